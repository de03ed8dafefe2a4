#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Desktop Entry files (".desktop"), the shortcuts of Linux desktops, read
// by the rules of the freedesktop.org Desktop Entry standard: the keys
// of the [Desktop Entry] group, string escapes in values, the quoting of the
// Exec key and its field codes.
namespace desktopentry {

// Entries are small; anything larger is not one worth reading.
inline constexpr qint64 kMaxFileSize = 1 << 20;

struct Entry {
    bool valid = false;  // the file has a [Desktop Entry] group
    QString type;        // "Application", "Link", ...
    QString name;        // the untranslated Name
    QString exec;        // as unescaped from the file, still quoted
    QString path;        // working directory
    QString icon;
    QString url;  // of a Link
    bool terminal = false;
};

// Reads the [Desktop Entry] group of a file's text. Localised keys
// ("Name[de]") and other groups are ignored; the first of a repeated key
// wins.
Entry parse(const QString& text);

// Undoes the string escapes of a value: \s \n \t \r \\ .
QString unescapeValue(const QString& value);

// Splits an Exec value into words: blanks separate them, double quotes keep
// them together, and inside quotes a backslash escapes " ` $ and \ . False
// when a quote is left open.
bool splitExec(const QString& exec, QStringList& words);

// Replaces the field codes of Exec words: %f and %u by the first of `files`,
// %F and %U (standing alone) by all of them, %i by "--icon" and the icon,
// %c by the name, %k by the file's location, %% by "%"; any other code is
// removed. A word that held only a code that expands to nothing disappears.
QStringList expandFieldCodes(const QStringList& words, const QStringList& files, const Entry& e,
                             const QString& location);

// The words of a command run inside `terminal`: each emulator has its own
// way of taking a command with its arguments.
QStringList terminalArguments(const QString& terminal, const QStringList& command);

}  // namespace desktopentry
