#pragma once

#include <string>

// The file to load the window module from. Beside the executable when it is
// there (a build folder, or a portable copy kept in one folder); otherwise
// the module's bare name, which the dynamic loader looks up along the
// executable's RUNPATH: the private library folder of an installed copy.
std::string launcherModuleFile(const std::string& executableFolder, const std::string& moduleName);
