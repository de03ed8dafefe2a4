#pragma once

#include <QString>

#include <optional>

// Everything the user can ask of the launcher, by whichever way it comes:
// a key, a menu item, a button or a relayed command word. Each way names
// one of these, so a rule about a command holds for all of them.
enum class Command {
    // Commands that change the shown list or its file.
    Save,            // Ctrl+Alt+S, the edit bar's Save
    Drop,            // files dropped on the list
    Paste,           // Shift+Ins, "&Paste"
    NewSublist,      // "&New list", the edit bar's New
    Rename,          // F6, "Re&name"
    SetColor,        // F4, "&Set color"
    Bold,            // "&Bold"
    EditArguments,   // F9, "Edit arguments"
    Delete,          // the edit bar's Delete
    Cut,             // Shift+Del, "&Delete (Cut)": Copy, then Delete
    MoveUp,          // Ctrl+Up, the edit bar's Up
    MoveDown,        // Ctrl+Down, the edit bar's Down
    BrowseForEntry,  // "&Browse for selected item"
    AddFromFile,     // the Browse button
    EditMode,        // F8, "Edit List m&ode", the Edit list button
    EditListFile,    // "Edit saved list in notepad"
    AskSave,         // "List not saved. Save now?" before the list is replaced
    // Commands that only show, run or switch.
    Run,          // Enter, a click on a row
    RunStayOpen,  // Ctrl+Enter, "R&un this and stay open"
    OpenFolder,   // Shift+Enter, "Open &parent folder"
    Copy,         // Ctrl+Ins, "&Copy"
    Editor,       // "Editor": the entry's file in the configured editor
    Pendix,       // "Send to &Pendix"
    Back,         // Left, the Back button
    Top,          // Home, the Top button
    QuickSearch,  // Ctrl+Space, a letter typed on the list
    FocusSearch,  // Down from the list's top into the search box
    FocusList,    // Down from the search box into the list
    CloseSearch,  // Escape: closes the search box, else the window
    AllListsSearch,
    FileSystemSearch,  // F3, "Fin&d in preset folders and all lists", "/search"
    FileFinder,        // the file finder with the search text
    FileLocator,       // the file locator with the search text
    RefreshIndex,      // "&Refresh FS Search List", "/rescan"
    RunBox,            // "&myRun...", the launcher's own run box
    RunDialog,         // "&Run...", the desktop's run dialog
    ContextMenu,
    StayOpen,      // F5, "S&tay open"
    Tray,          // F7, "Stay in tra&y"
    OnTop,         // F11, "&Always on Top"
    AutoShowHide,  // "Auto Sho&w/Hide"
    Columns,
    CheckEntries,
    Help,  // F1, "&Help-Settings", "&Settings"
    HideIcons,
    MinimizeAll,
    ShowDesktop,  // "Hi&de Icons and minimize windows", "/showdesktop"
    Lock,         // "&Lock session", "/lock"
    Sidebar,      // "S&ideBar"
    Hide,
    Quit,  // "&Quit", "quit"
};

namespace command {

// A command that writes the shown list or its file, or changes entries
// that a later save would write.
bool changesList(Command c);

// What a relayed command word asks, tested in a fixed order: "quit", then
// "/showdesktop", "/rescan", "/search" in any case. Other words (a list
// name, digits, "/hide", "/lock", "/r /...") are read after the recall.
std::optional<Command> fromWord(const QString& word);

// "/r /rest": the part started as a command line and handled as a word
// of its own; nothing when the word holds no "/r /".
std::optional<QString> runPrefixRest(const QString& word);

}  // namespace command
