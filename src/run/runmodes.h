#pragma once

#include <QString>

// The switches that decide what the window does around a run, held as
// state of their own rather than read back from labels and check marks.
struct RunModes {
    // The window stays after a run ("S").
    bool stayOpen = false;
    // Closing hides the window in the tray ("R").
    bool resident = false;
    bool onTop = true;
    bool autoShowHide = false;
    bool editMode = false;
    // Hover selection was on when edit mode began; it comes back after.
    bool hoverSwitchedOffByEdit = false;

    // The status letter the window shows: stay-open wins over residency.
    QString statusLetter() const {
        return stayOpen ? QStringLiteral("S") : resident ? QStringLiteral("R") : QString();
    }
    // Enters or leaves edit mode. Hover selection would move the selection
    // away from the entry being edited: it is off during edit mode and
    // comes back when edit mode switched it off.
    void setEditMode(bool on, bool& hoverSelect) {
        editMode = on;
        if (on && hoverSelect) {
            hoverSwitchedOffByEdit = true;
            hoverSelect = false;
        } else if (!on && hoverSwitchedOffByEdit) {
            hoverSwitchedOffByEdit = false;
            hoverSelect = true;
        }
    }
};

// What the window must do after an entry was started or opened.
enum class RunNext {
    Close,        // the entry started: the window closes unless a mode keeps it
    OpenSublist,  // the entry is a sublist: it replaces the shown list, the window stays
    AskBrowse,    // not found, and the list can be edited: offer to look for it
    NotFound,     // not found, in a view that cannot be edited: say so
};

namespace runmodes {

// The shell's answer for a file that is not there.
inline constexpr int kNotFound = 2;

// The outcome of running a row: a sublist opens, a start that the shell
// did not find asks to browse where the entry can be edited.
RunNext afterStart(bool sublist, int shellCode, bool listEditable);

}  // namespace runmodes
