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

// What the window must do after an entry was run.
enum class RunNext {
    Close,        // the entry started (or nothing could run): the window closes
    Stay,         // the entry started, and a mode or the way it was run keeps the window
    OpenSublist,  // the entry is a sublist: it replaces the shown list, the window stays
    AskBrowse,    // not found, and the list can be edited: offer to look for it
    NotFound,     // not found, in a view that cannot be edited: say so
};

// What is known once a row was run.
struct RunFacts {
    bool sublist = false;  // the row names a sublist: nothing was started
    int shellCode = 0;     // the shell's answer to the start; 0 when nothing started
    bool listEditable = false;
    // Stay-open is on, or the run asked to keep the window (Ctrl, "Run this").
    bool keepOpen = false;
};

// A run's decision with what the window needs to carry it out.
struct RunOutcome {
    RunNext next = RunNext::Close;
    // Not found: the folder and the name looked for, for the question or
    // the message.
    QString dir;
    QString filename;
};

namespace runmodes {

// The shell's answer for a file that is not there.
inline constexpr int kNotFound = 2;

// What the window does after a run: a sublist opens; a start the shell did
// not find asks to browse where the entry can be edited, else says so; a
// start closes the window unless it was asked to stay.
RunNext afterRun(const RunFacts& facts);

}  // namespace runmodes
