#pragma once

#include <QString>
#include <QStringList>

#include "lists/textfile.h"

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
// Ten short lines; a longer file is no settings file and is not read.
inline constexpr qint64 kMaxFileSize = 1 << 20;

// Whether the settings file may be written. One that could not be read
// (no permission, a pipe, no plain file) holds settings this run never saw:
// writing would replace them with defaults, so it is left alone until a
// later read succeeds, and the user hears of it once.
class WriteGuard {
public:
    void afterRead(textfile::ReadStatus status) {
        held_ = status == textfile::ReadStatus::Unreadable;
        if (!held_) told_ = false;
    }
    // False while held; `tell` is set on the first refusal only.
    bool mayWrite(bool& tell) {
        tell = held_ && !told_;
        if (held_) told_ = true;
        return !held_;
    }

private:
    bool held_ = false;
    bool told_ = false;
};

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
