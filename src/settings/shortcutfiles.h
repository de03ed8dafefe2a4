#pragma once

#include <QString>

// The two Desktop Entry files the launcher writes for itself: the menu
// entry that carries the user's keyboard shortcut ("/install", "Make Start
// Menu shortcut") and the autostart entry that starts it resident at
// log-in. Both are named "Brennomix.desktop", each in its own folder.
namespace shortcutfiles {

inline constexpr const char* kFileName = "Brennomix.desktop";
// The key of the menu entry that keeps the shortcut text ("CTRL+ALT+A").
inline constexpr const char* kShortcutKey = "X-Brennomix-Shortcut";

// One Exec argument as the Desktop Entry standard wants it written in the
// file: quoted when it holds a reserved character, with the quoting and
// the string escapes applied, "%" doubled.
QString execArgument(const QString& word);

// The menu entry for `program` (its absolute path) keeping `keyText`.
QString launcherEntry(const QString& program, const QString& keyText);

// The autostart entry: `program` with the argument "/resident".
QString autostartEntry(const QString& program);

// The shortcut text kept in a menu entry's text; empty when none.
QString keyTextOf(const QString& entryText);

}  // namespace shortcutfiles
