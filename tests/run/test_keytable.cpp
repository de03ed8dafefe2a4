#include <gtest/gtest.h>

#include "qtprinters.h"

#include "run/keycodes.h"
#include "run/keytable.h"

using namespace keytable;
using keycodes::Numpad0;

namespace {

ListKeyState fitting(int rows) {
    ListKeyState s;
    s.digitColumnShown = true;
    s.rows = rows;
    s.browseEnabled = true;
    return s;
}

// The action of a key press, and the key code it leaves.
struct Pressed {
    ListCommand command;
    int code;
};
Pressed press(int code, int shift, const ListKeyState& s) {
    ListCommand c = listKeyDown(code, shift, s);
    return {c, code};
}

std::vector<Command> release(int& code, int shift, WindowKeyState s = {}) {
    return formKeyUp(code, shift, s);
}

}  // namespace

TEST(KeyTable, DigitsRunTheRowAtTheirPositionWhileAllRowsFit) {
    EXPECT_EQ(press('3', 0, fitting(12)).command.row, 3);
    EXPECT_EQ(press('0', 0, fitting(12)).command.command, Command::Run);
    EXPECT_EQ(press('0', 0, fitting(12)).command.row, 10);
    EXPECT_EQ(press('0', 0, fitting(10)).command.row, 10);
    EXPECT_EQ(press('0', 0, fitting(9)).command.command, std::nullopt);
    EXPECT_EQ(press('9', 0, fitting(9)).command.row, 9);
    EXPECT_EQ(press('5', 0, fitting(2)).command.command, std::nullopt);
    // Keypad digits: 1 to 9 become the main digits, keypad 0 keeps its code.
    Pressed pad5 = press(Numpad0 + 5, 0, fitting(12));
    EXPECT_EQ(pad5.command.row, 5);
    EXPECT_EQ(pad5.code, '5');
    Pressed pad0 = press(Numpad0, 0, fitting(12));
    EXPECT_EQ(pad0.command.row, 10);
    EXPECT_EQ(pad0.code, Numpad0);

    // A scrolling list, or any modifier: digits are ordinary keys.
    ListKeyState scrolling = fitting(30);
    scrolling.digitColumnShown = false;
    EXPECT_EQ(press('3', 0, scrolling).command.command, std::nullopt);
    EXPECT_EQ(press('3', 1, fitting(12)).command.command, std::nullopt);
}

TEST(KeyTable, ArrowsAndPageKeysWrap) {
    ListKeyState s = fitting(5);
    s.current = 1;
    s.currentIsFirstByText = true;
    Pressed up = press(keycodes::Up, 0, s);
    EXPECT_EQ(up.command.command, std::nullopt);
    EXPECT_EQ(up.command.row, 5);
    EXPECT_EQ(up.code, 0);
    s.currentIsFirstByText = false;
    s.current = 3;
    Pressed inside = press(keycodes::Up, 0, s);
    EXPECT_EQ(inside.command.command, std::nullopt);
    EXPECT_EQ(inside.code, keycodes::Up);  // the list moves by itself

    s.current = 5;
    s.lastRowSelected = true;
    Pressed down = press(keycodes::Down, 0, s);
    EXPECT_EQ(down.command.row, 1);
    EXPECT_EQ(down.code, 0);

    // Page keys move as arrows only when the setting says so.
    EXPECT_EQ(press(keycodes::PageDown, 0, s).command.command, std::nullopt);
    s.pageKeysAsArrows = true;
    EXPECT_EQ(press(keycodes::PageDown, 0, s).command.row, 1);
    s.current = 1;
    EXPECT_EQ(press(keycodes::PageUp, 0, s).command.row, 5);
    s.current = 3;
    EXPECT_EQ(press(keycodes::PageUp, 0, s).command.row, 2);
    EXPECT_EQ(press(keycodes::PageDown, 0, s).command.row, 4);
}

TEST(KeyTable, RunBackAndTopListKeys) {
    ListKeyState s = fitting(3);
    Pressed right = press(keycodes::Right, 0, s);
    EXPECT_EQ(right.command.command, Command::Run);
    EXPECT_EQ(right.code, keycodes::Return);
    EXPECT_EQ(press(keycodes::Space, 0, s).command.command, Command::Run);
    EXPECT_EQ(press(keycodes::Return, 2, s).command.command, std::nullopt);
    EXPECT_EQ(press(keycodes::Left, 0, s).command.command, Command::Back);

    EXPECT_EQ(press(keycodes::Back, 4, s).command.command, Command::Top);
    s.searchBoxShown = true;
    EXPECT_EQ(press(keycodes::Back, 0, s).command.command, Command::FocusSearch);
    EXPECT_EQ(press(keycodes::Back, 2, s).command.command, std::nullopt);
    s.searchBoxShown = false;

    EXPECT_EQ(press(keycodes::Oem3, 0, s).command.command, Command::Top);
    EXPECT_EQ(press(keycodes::Oem3, 1, s).command.command, std::nullopt);
    for (int code : {int(keycodes::Oem8), int(keycodes::Subtract), int(keycodes::Decimal)})
        EXPECT_EQ(press(code, 3, s).command.command, Command::Top) << code;
    // In edit mode these keys stay in the list; Backspace still leaves it.
    s.editMode = true;
    EXPECT_EQ(press(keycodes::Oem3, 0, s).command.command, std::nullopt);
    EXPECT_EQ(press(keycodes::Subtract, 0, s).command.command, std::nullopt);
    EXPECT_EQ(press(keycodes::Back, 0, s).command.command, Command::Top);
}

TEST(KeyTable, CtrlKeysAndTheQuickSearchLetters) {
    ListKeyState s = fitting(3);
    const struct {
        int code;
        Command action;
    } ctrl[] = {{keycodes::Down, Command::MoveDown},     {keycodes::Up, Command::MoveUp},
                {keycodes::Right, Command::RunStayOpen}, {keycodes::Left, Command::Top},
                {keycodes::Insert, Command::Copy},       {keycodes::F8, Command::CheckEntries}};
    for (const auto& k : ctrl) {
        Pressed p = press(k.code, 2, s);
        EXPECT_EQ(p.command.command, k.action) << k.code;
        EXPECT_EQ(p.code, k.code >= keycodes::Left && k.code <= keycodes::Down ? 0 : k.code);
    }
    EXPECT_EQ(press(keycodes::Insert, 1, s).command.command, Command::Paste);
    EXPECT_EQ(press(keycodes::Delete, 1, s).command.command, Command::Cut);
    EXPECT_EQ(press(keycodes::Delete, 2, s).command.command, Command::Cut);
    s.browseEnabled = false;  // search results: nothing to paste into or cut from
    EXPECT_EQ(press(keycodes::Insert, 1, s).command.command, std::nullopt);
    EXPECT_EQ(press(keycodes::Delete, 1, s).command.command, std::nullopt);

    Pressed ctrlK = press('K', 2, s);
    EXPECT_EQ(ctrlK.command.command, Command::QuickSearch);
    EXPECT_EQ(ctrlK.command.letter, QChar(u'k'));
    EXPECT_EQ(press('K', 0, s).command.command, std::nullopt);
    s.quickSearch = true;
    EXPECT_EQ(press('K', 0, s).command.command, Command::QuickSearch);
    EXPECT_EQ(press('K', 6, s).command.command, Command::QuickSearch);
    s.searchBoxShown = true;
    EXPECT_EQ(press('K', 0, s).command.command, std::nullopt);

    EXPECT_EQ(press(keycodes::F4, 0, s).command.command, Command::SetColor);
    EXPECT_EQ(press(keycodes::F6, 0, s).command.command, Command::Rename);
    EXPECT_EQ(press(keycodes::F9, 0, s).command.command, Command::EditArguments);
    EXPECT_EQ(press(keycodes::F9, 1, s).command.command, std::nullopt);
}

TEST(KeyTable, CharactersTheListNeverTypesToSelect) {
    for (char c : std::string("*-.0123456789`")) EXPECT_TRUE(swallowsCharacter(c)) << c;
    for (char c : std::string("aZ +/")) EXPECT_FALSE(swallowsCharacter(c)) << c;
}

TEST(KeyTable, WindowKeysOnRelease) {
    using A = Command;
    int k = keycodes::F10;
    EXPECT_EQ(release(k, 0), std::vector<A>{A::ContextMenu});
    EXPECT_EQ(k, 0);
    k = keycodes::Apps;
    EXPECT_EQ(release(k, 0), std::vector<A>{A::ContextMenu});

    const struct {
        int code, shift;
        A action;
    } single[] = {{keycodes::F1, 0, A::Help},
                  {keycodes::F8, 0, A::EditMode},
                  {keycodes::F11, 0, A::OnTop},
                  {keycodes::Return, 1, A::OpenFolder},
                  {keycodes::Oem3, 2, A::RunBox},
                  {keycodes::Oem3, 3, A::RunBox},
                  {keycodes::Tab, 2, A::RunDialog},
                  {keycodes::Space, 3, A::AllListsSearch},
                  {keycodes::Return, 2, A::RunStayOpen},
                  {keycodes::Return, 3, A::RunStayOpen},
                  {keycodes::F3, 5, A::FileSystemSearch},
                  {'F', 6, A::FileSystemSearch},
                  {keycodes::F12, 4, A::Columns},
                  {keycodes::F5, 7, A::StayOpen},
                  {'A', 4, A::StayOpen},
                  {keycodes::F7, 1, A::Tray},
                  {'S', 4, A::Tray},
                  {'S', 6, A::Save},
                  {keycodes::Escape, 3, A::CloseSearch},
                  {keycodes::Multiply, 0, A::CloseSearch}};
    for (const auto& r : single) {
        int code = r.code;
        EXPECT_EQ(release(code, r.shift), std::vector<A>{r.action}) << r.code << "/" << r.shift;
    }
    for (const auto& [code0, shift] : std::vector<std::pair<int, int>>{{keycodes::F1, 2},
                                                                       {keycodes::Return, 0},
                                                                       {keycodes::Oem3, 4},
                                                                       {'A', 0},
                                                                       {'S', 2},
                                                                       {keycodes::F12, 0},
                                                                       {keycodes::F12, 1}}) {
        int code = code0;
        EXPECT_TRUE(release(code, shift).empty()) << code0 << "/" << shift;
    }

    // F12 with search text starts the file finder, then acts as Escape.
    WindowKeyState searching;
    searching.searchTextPresent = true;
    k = keycodes::F12;
    EXPECT_EQ(release(k, 0, searching), (std::vector<A>{A::FileFinder, A::CloseSearch}));
    EXPECT_EQ(k, keycodes::Escape);
    k = keycodes::F12;
    EXPECT_EQ(release(k, 1, searching), std::vector<A>{A::FileLocator});

    // Down gives the list the focus unless the run box is open.
    k = keycodes::PageDown;
    EXPECT_EQ(release(k, 0), std::vector<A>{A::FocusList});
    WindowKeyState running;
    running.runBoxShown = true;
    k = keycodes::Down;
    EXPECT_TRUE(release(k, 0, running).empty());
    // Escape and "*" belong to the open run box, never closing the window.
    k = keycodes::Escape;
    EXPECT_TRUE(release(k, 0, running).empty());
    k = keycodes::Multiply;
    EXPECT_TRUE(release(k, 0, running).empty());
}
