#pragma once

#include <QChar>

#include <optional>
#include <vector>

#include "app/command.h"

// The keyboard command table: which key, with which modifiers (the sum 1
// Shift, 2 Ctrl, 4 Alt), does what in which state of the window. The two
// deciders follow the order in which the keys have always been tested; the
// main window carries out what they decide.
namespace keytable {

// ---- a key pressed on the list ----

struct ListKeyState {
    bool digitColumnShown = false;  // all rows fit, so digits may run them
    int rows = 0;
    int current = 0;                    // the list's current row, 0 when none
    bool currentIsFirstByText = false;  // its text equals the first row's
    bool lastRowSelected = false;
    bool searchBoxShown = false;
    bool editMode = false;
    bool browseEnabled = false;  // the view shows a list loaded from its file
    bool quickSearch = false;
    bool pageKeysAsArrows = false;
};

struct ListCommand {
    // What the key asks; none when the key is the list's own.
    std::optional<Command> command;
    // Above 0: the row selected first (a digit, a wrapping arrow). With Run,
    // that row runs, wherever the pointer is.
    int row = 0;
    QChar letter;  // QuickSearch: the letter the search box opens with
};

// Decides what a key press on the list does. May change `keyCode`: 0 means
// the list view must not process the key itself.
ListCommand listKeyDown(int& keyCode, int shift, const ListKeyState& s);

// Characters the list's own type-to-select never sees: digits and the keys
// that go to the top list.
bool swallowsCharacter(int keyAscii);

// ---- a key released anywhere in the window (seen before the control) ----

struct WindowKeyState {
    bool searchTextPresent = false;
    bool runBoxShown = false;  // the run box has the keys Escape and "*"
};

// The commands of one key release, in order. CloseSearch is decided when
// it is carried out, after the commands before it. May change `keyCode`.
std::vector<Command> formKeyUp(int& keyCode, int shift, const WindowKeyState& s);

}  // namespace keytable
