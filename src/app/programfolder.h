#pragma once

#include <functional>
#include <string>
#include <string_view>

// Where the program keeps its lists and settings, first match wins:
// $BRENNOMIX_HOME; the executable's folder when a Brennomix.ini stands there
// (portable use); $XDG_CONFIG_HOME/brennomix (normally ~/.config/brennomix).
// `env` reads an environment variable ("" when unset). Plain C++, so that a
// second copy finds its running copy without loading Qt.
std::string resolveProgramFolder(const std::function<std::string(const char*)>& env,
                                 const std::string& executableFolder);

// `path` without empty and "." parts, with each ".." taking the part before
// it away, and without a trailing slash: the form Qt's QDir::cleanPath gives.
std::string cleanPath(std::string_view path);

// Makes `folder` and the folders above it that are missing.
void makeFolders(const std::string& folder);
