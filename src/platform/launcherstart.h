#pragma once

#include <QString>

// The executable decides on its own whether it is the first copy, needing
// only Qt Core; the windows live in a module it loads only when it is to
// run them. A second copy thus costs little more than starting a process.

// What start-up hands to the windows.
struct LauncherStart {
    int* argc;
    char** argv;
    QString programFolder;
    QString commandLine;
    // Where to listen for later copies; empty when this copy runs without
    // a link.
    QString linkSocket;
};

// The module's file name and its entry point.
inline constexpr const char* kLauncherModule = "libbrennomix_ui.so";
inline constexpr const char* kLauncherEntry = "brennomix_run_launcher";
