#pragma once

#include <QString>
#include <QStringList>

// The settings held while the program runs, and the ten-line settings file
// "Brennomix.cfg" they are read from and written to.
struct Config {
    QString fsSearchPaths;          // folders of the file-system search, ";"-separated
    int hotkeyCode = 0;             // upper-case character code; 0 = no hotkey
    bool window2Mouse = false;      // show the window under the pointer
    bool hoverSelect = false;       // hover selection in effect now
    bool hoverSelectSaved = false;  // hover selection as configured
    bool hideWhenRecalled = false;  // a recall hides a visible window
    bool pageKeysAsArrows = false;
    int sidebarPosition = 0;  // 0 none, 1 top, 2 left, 3 right, 4 bottom
    bool autoShowHide = false;
    bool quickSearch = false;
    QString editor;
};

namespace configfile {

inline constexpr const char* kFileName = "Brennomix.cfg";
inline constexpr const char* kDefaultSearchPaths = "Desktop;My Documents;Start Menu";

// What reading the file asks of the windows besides filling Config.
struct Effects {
    bool showSidebar = false;   // show the sidebar at cfg.sidebarPosition
    bool autoShowHide = false;  // check "Auto Show/Hide" and start its timer
};

// Applies the lines of a settings file to `cfg`. Lines are taken by
// position, one whole line per setting: a comma or quote inside a folder or
// the editor's path stays in its line. Leading blanks are skipped. A short
// file leaves the settings of its missing lines as the rules say (False, 0,
// unchanged or "notepad.exe"). Does not touch hoverSelectSaved.
Effects apply(const QStringList& lines, Config& cfg);

// The ten lines written for `cfg`; the sidebar position is only written
// while the sidebar is shown.
QStringList lines(const Config& cfg, bool sidebarShown);

}  // namespace configfile
