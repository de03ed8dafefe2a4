#pragma once

#include <QString>

#include <functional>

// Where the program keeps its lists and settings, first match wins:
// $BRENNOMIX_HOME; the executable's folder when a Brennomix.ini stands there
// (portable use); $XDG_CONFIG_HOME/brennomix (normally ~/.config/brennomix).
// `env` reads an environment variable ("" when unset).
QString resolveProgramFolder(const std::function<QString(const char*)>& env,
                             const QString& executableFolder);
