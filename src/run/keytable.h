#pragma once

#include <QChar>

#include <vector>

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

enum class ListAction {
    None,
    RunRow,  // select `row` and run it
    Run,     // run the current row
    SelectRow,
    TopList,
    Back,
    QuickSearch,  // open the search box with `letter`
    FocusSearch,
    Paste,
    Cut,
    Copy,
    MoveUp,
    MoveDown,
    RunStayOpen,
    CheckEntries,
    SetColor,
    Rename,
    EditArguments,
};

struct ListCommand {
    ListAction action = ListAction::None;
    int row = 0;
    QChar letter;
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

enum class WindowAction {
    Help,
    EditMode,
    PopupMenu,
    OnTop,
    FileFinder,  // Norva with the search text, then close the search
    FocusList,
    ParentFolder,
    FileLocator,  // the external file locator with the search text
    RunBox,
    RunDialog,
    AllListsSearch,
    RunStayOpen,
    FileSystemSearch,
    Columns,
    StayOpen,
    Tray,
    Save,
    // Close the search box when it is shown, else close the window; decided
    // when it is carried out, after the actions before it.
    Escape,
};

// The actions of one key release, in order. May change `keyCode`.
std::vector<WindowAction> formKeyUp(int& keyCode, int shift, const WindowKeyState& s);

}  // namespace keytable
