#pragma once

#include <QString>

#include <optional>

// A keyboard shortcut as the user types it for the Start-menu entry:
// modifiers and one key joined by "+", for example "CTRL+ALT+A".
struct KeyCombination {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool super = false;
    // The key in upper case: one character ("A", "7", ";"), a function key
    // ("F1" to "F24") or a named key ("SPACE", "HOME", "PGUP", ...).
    QString key;
    bool operator==(const KeyCombination&) const = default;
};

namespace keycombination {

// Reads a shortcut text, any letter case, blanks around the parts allowed.
// Empty when the text is no shortcut: a line break or other control
// character anywhere, an empty part ("CTRL+"), an unknown
// name ("FOO"), a modifier as the last part, or an ordinary key with no
// modifier but Shift (a global "A" would take the key from every program).
std::optional<KeyCombination> parse(const QString& text);

// The X keysym of the combination's key: the Latin-1 code of a character,
// else the keysym of a function or named key; 0 for none.
unsigned keysym(const KeyCombination& k);

}  // namespace keycombination
