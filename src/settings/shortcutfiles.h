#pragma once

#include <QString>

// The two Desktop Entry files the launcher writes for itself: the menu
// entry that carries the user's keyboard shortcut ("/install", "Make Start
// Menu shortcut") and the autostart entry that starts it resident at
// log-in.
namespace shortcutfiles {

// The autostart entry's file.
inline constexpr const char* kFileName = "Brennomix.desktop";
// The menu entry's file: the installed entry's name, so that the user's
// entry overrides it instead of standing beside it as a second "Brennomix".
inline constexpr const char* kMenuFileName = "brennomix.desktop";
// Where earlier versions wrote the menu entry.
inline constexpr const char* kOldMenuFileName = "Brennomix.desktop";
// The name the installed menu entry starts the program by (found on PATH).
inline constexpr const char* kInstalledName = "brennomix";
// The key of the menu entry that keeps the shortcut text ("CTRL+ALT+A").
inline constexpr const char* kShortcutKey = "X-Brennomix-Shortcut";

// One Exec argument as the Desktop Entry standard wants it written in the
// file: quoted when it holds a reserved character, with the quoting and
// the string escapes applied, "%" doubled.
QString execArgument(const QString& word);

// The menu entry for `program` keeping `keyText`, with the installed
// entry's actions (search files, rebuild the index, quit).
QString launcherEntry(const QString& program, const QString& keyText);

// How an entry names the running program `programFile` (absolute): by the
// installed name, as the installed entry does, when that name on PATH
// (`onPath`, empty when none) is this very file; else by its path, so that
// a copy run from a build folder keeps starting that copy.
QString entryProgram(const QString& programFile, const QString& onPath);

// The program an entry's Exec line starts (its first word); empty when the
// line cannot be read.
QString execProgramOf(const QString& entryText);

// The autostart entry: `program` with the argument "/resident".
QString autostartEntry(const QString& program);

// The shortcut text kept in a menu entry's text; empty when none.
QString keyTextOf(const QString& entryText);

}  // namespace shortcutfiles
