#pragma once

#include "app/form1.h"

// Named hooks into the main window's private state, for tests only: they
// set up a state a user reaches by a longer way, or read one that shows
// nowhere on the screen.
class Form1Hooks {
public:
    // Puts the key pause counter where it stands at some point of start-up
    // or after the menu (0 before the first tick, -5 right after the menu).
    static void setReadiness(Form1& f, int value) { f.readiness_ = value; }
    static bool hotkeyHooked(const Form1& f) { return f.hotkeyHooked_; }
    static bool hiddenFromTray(const Form1& f) { return f.hiddenFromTray_; }
    static void setHiddenFromTray(Form1& f, bool on) { f.hiddenFromTray_ = on; }
    static bool pressHandled(const Form1& f) { return f.pressHandled_; }
    static void setPressHandled(Form1& f, bool on) { f.pressHandled_ = on; }
    // The work area (twips) the window was last placed in.
    static placement::Rect workArea(const Form1& f) { return f.placement_.work(); }
};
