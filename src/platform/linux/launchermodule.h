#pragma once

#include <QString>

// The file to load the window module from. Beside the executable when it is
// there (a build folder, or a portable copy kept in one folder); otherwise
// the module's bare name, which the dynamic loader looks up along the
// executable's RUNPATH: the private library folder of an installed copy.
QString launcherModuleFile(const QString& executableFolder, const QString& moduleName);
