#include "run/keytable.h"

#include "run/keycodes.h"

namespace keytable {

using namespace keycodes;

namespace {

constexpr int kNone = 0, kShift = ShiftMask, kCtrl = CtrlMask, kAlt = AltMask;
constexpr int kCtrlAlt = CtrlMask | AltMask;

ListCommand act(std::optional<Command> c, int row = 0) {
    return {c, row, QChar()};
}

bool isDigitKey(int k) {
    return (k >= '0' && k <= '9') || (k >= Numpad0 && k <= Numpad9);
}

// Digits run the row at their position: 1 to 9, and 0 for the tenth.
ListCommand digitKey(int& k) {
    if (k > Numpad0 && k <= Numpad9) k -= Numpad0 - '0';
    return act(Command::Run, (k == Numpad0 || k == '0') ? 10 : k - '0');
}

}  // namespace

ListCommand listKeyDown(int& k, int shift, const ListKeyState& s) {
    if (shift == kNone && s.digitColumnShown && isDigitKey(k)) {
        ListCommand c = digitKey(k);
        const int n = c.row == 10 ? 0 : c.row;
        if (n > s.rows) return {};
        if (n == 0 && s.rows < 10) return {};
        return c;
    }

    if (k == Back && !s.searchBoxShown) return act(Command::Top);
    if (((k == Oem3 && shift == kNone) || k == Oem8 || k == Subtract || k == Decimal) &&
        !s.editMode)
        return act(Command::Top);
    if (k == Insert && shift == kShift && s.browseEnabled) return act(Command::Paste);
    if (k == Delete && (shift == kShift || shift == kCtrl) && s.browseEnabled)
        return act(Command::Cut);

    if (shift == kCtrl || s.quickSearch) {
        if (k >= 'A' && k <= 'Z' && !s.searchBoxShown)
            return {Command::QuickSearch, 0, QChar(k).toLower()};
        if (shift == kCtrl) {
            std::optional<Command> a;
            switch (k) {
                case Down:
                    a = Command::MoveDown;
                    break;
                case Right:
                    a = Command::RunStayOpen;
                    break;
                case Up:
                    a = Command::MoveUp;
                    break;
                case Left:
                    a = Command::Top;
                    break;
                case Insert:
                    a = Command::Copy;
                    break;
                case F8:
                    a = Command::CheckEntries;
                    break;
                default:
                    break;
            }
            // The arrows never also move the list's own selection.
            if (k >= Left && k <= Down) k = 0;
            if (a) return act(a);
        }
    }

    if (shift == kNone) {
        switch (k) {
            case Back:
                if (s.searchBoxShown) return act(Command::FocusSearch);
                break;
            case F4:
                return act(Command::SetColor);
            case F6:
                return act(Command::Rename);
            case F9:
                return act(Command::EditArguments);
            case PageUp:
                if (s.pageKeysAsArrows && s.rows > 0) {
                    k = 0;
                    return act(std::nullopt, s.current <= 1 ? s.rows : s.current - 1);
                }
                break;
            case PageDown:
                if (s.pageKeysAsArrows && s.rows > 0) {
                    k = 0;
                    return act(std::nullopt,
                               (s.current < 1 || s.current >= s.rows) ? 1 : s.current + 1);
                }
                break;
            case Up:
                // By text: a row titled like the first one wraps as well.
                if (s.rows >= 1 && s.current >= 1 && s.currentIsFirstByText) {
                    k = 0;
                    return act(std::nullopt, s.rows);
                }
                break;
            case Down:
                if (s.rows >= 1 && s.lastRowSelected) {
                    k = 0;
                    return act(std::nullopt, 1);
                }
                break;
            case Left:
                return act(Command::Back);
            case Right:
                k = Return;
                break;
            default:
                break;
        }
    }

    if ((k == Space || k == Return) && shift == kNone) return act(Command::Run);
    return {};
}

bool swallowsCharacter(int a) {
    return a == '*' || a == '-' || a == '.' || (a >= '0' && a <= '9') || a == '`';
}

std::vector<Command> formKeyUp(int& k, int shift, const WindowKeyState& s) {
    std::vector<Command> out;
    if (shift == kNone) {
        switch (k) {
            case F1:
                out.push_back(Command::Help);
                break;
            case F8:
                out.push_back(Command::EditMode);
                break;
            case F10:
            case Apps:
                k = 0;
                out.push_back(Command::ContextMenu);
                break;
            case F11:
                out.push_back(Command::OnTop);
                break;
            case F12:
                if (s.searchTextPresent) {
                    out.push_back(Command::FileFinder);
                    // Then as Escape: the window closes behind the finder.
                    k = Escape;
                }
                break;
            case Down:
            case PageDown:
                if (!s.runBoxShown) out.push_back(Command::FocusList);
                break;
            default:
                break;
        }
    }
    if (shift == kShift) {
        if (k == Return) out.push_back(Command::OpenFolder);
        if (k == F12 && s.searchTextPresent) out.push_back(Command::FileLocator);
    }
    if (shift == kCtrl || shift == (kCtrl | kShift)) {
        switch (k) {
            case Oem3:
                out.push_back(Command::RunBox);
                break;
            case Tab:
                out.push_back(Command::RunDialog);
                break;
            case Space:
                out.push_back(Command::AllListsSearch);
                break;
            case Return:
                out.push_back(Command::RunStayOpen);
                break;
            default:
                break;
        }
    }
    if (k == F3 || (k == 'F' && shift == kCtrlAlt)) out.push_back(Command::FileSystemSearch);
    if (k == F12 && shift == kAlt) out.push_back(Command::Columns);
    if (k == F5 || (k == 'A' && shift == kAlt)) out.push_back(Command::StayOpen);
    if (k == F7 || (k == 'S' && shift == kAlt)) out.push_back(Command::Tray);
    if (k == 'S' && shift == kCtrlAlt) out.push_back(Command::Save);
    // The run box owns these keys while it is open: Escape closes its
    // completion list or the box itself, and "*" is typed into it.
    if ((k == Multiply || k == Escape) && !s.runBoxShown) out.push_back(Command::CloseSearch);
    return out;
}

}  // namespace keytable
