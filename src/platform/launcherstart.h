#pragma once

// The executable decides on its own whether it is the first copy, with
// plain system calls; the windows, and Qt with them, live in a module it
// loads only when it is to run them. A second copy thus costs little more
// than starting a process.

// What start-up hands to the windows: file names and text as the system
// gives them (bytes of the local encoding), since the executable has no
// string type of Qt's to hand over.
struct LauncherStart {
    int* argc;
    char** argv;
    const char* programFolder;
    const char* commandLine;
    // Where to listen for later copies; empty when this copy runs without
    // a link.
    const char* linkSocket;
};

// The module's file name and its entry point.
inline constexpr const char* kLauncherModule = "libbrennomix_ui.so";
inline constexpr const char* kLauncherEntry = "brennomix_run_launcher";
