#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <cstdint>
#include <optional>

// The rules of list editing that need no window: how a path becomes an
// entry, which commands a view allows, where an entry moves, colours, and
// the command lines of the text editors.
namespace editrules {

// ---- adding entries from paths ----

// Title, Filename and Path of an entry made from a path.
struct PathEntry {
    QString title;
    QString filename;
    QString path;
};

// The entry for `p`: a web address ("scheme://host/...") takes its host as
// Title; a path ending in "/" is Title, Filename and Path at once; any other
// path is cut at its last "/" into the folder part (the Path, with its "/")
// and the name, whose last extension the Title loses when `isFile` (a
// folder, or a path that cannot be examined, keeps its whole name). A name
// without an extension, or one whose only "." starts it, is kept whole. Text
// with neither "/" nor "://" is the Filename alone. Nothing for an empty
// path and for an address with no "/" after its host.
// A TAB, CR or LF of the name (legal in a file name) becomes a blank in the
// Title; the Filename and Path keep the path as it is.
std::optional<PathEntry> entryFromPath(const QString& p, bool isFile);

// Why `p` cannot become an entry: its TAB, CR or LF would split the list
// line, and changing it would name another file. Empty when it can.
QString unstorablePathText(const QString& p);

// A Desktop Entry file: the shortcut of this platform (any letter case).
bool isShortcutPath(const QString& p);

// What a drop on the list adds: the first local file of a URI list, else
// the first line of its text, else the first address of the URI list;
// empty when it carries none of these. The text's tabs become blanks, since
// they would split the entry's fields; a local file keeps its exact name.
QString droppedPath(const QList<QUrl>& urls, const QString& text);

// The stem of the list a sublist entry with this Title opens.
QString sublistStem(const QString& title);
// A Title that can name a list file in the program folder: its stem holds
// no "/" and no NUL, and names something after cleaning.
bool isValidSublistName(const QString& title);

// ---- command availability ----

enum class EditView {
    ListWithEntries,  // a list loaded from its file, with entries
    EmptyList,        // a list loaded from its file, with none
    SearchResults,    // rows found by a search: nothing may be written
};

struct EditCommands {
    bool editList = false, browse = false;
    bool bold = false, color = false, rename = false, del = false, edit = false;
    bool order = false, newList = false, args = false, browseFor = false;
};

EditCommands commandsFor(EditView view);

// ---- moving entries ----

// The row an entry at `current` (from 1) moves to with `step` -1 (up) or
// +1 (down); 0 when it stays: no current row, not marked selected, or at
// the end it would leave.
int moveTarget(int current, int rows, bool selected, int step);

// ---- colours ----

// A colour value split into its channels, red lowest; true always.
bool ColorCodeToRGB(std::int32_t lColorCode, std::int16_t& iRed, std::int16_t& iGreen,
                    std::int16_t& iBlue);
// The colour value of three channels; a channel above 255 counts as 255,
// one below 0 as 0.
std::uint32_t colorValue(int red, int green, int blue);
// A colour box's text as a channel: a whole number from 0 to 32767 (the
// values the channel can hold); nothing otherwise.
std::optional<std::int16_t> parseChannel(const QString& text);
// The Color field: "r,g,b" in decimal.
QString colorField(int red, int green, int blue);

// ---- external editors ----

// The file "Editor" opens for an entry: its Path and the part of its
// Filename after the last "/".
QString editorFile(const QString& filename, const QString& path);

// The words of the command that opens `file` in `editor`, an editor's
// command line as the settings hold it and split by the rules of a desktop
// Exec line. `file` stays one word wherever it goes: in place of a %f, %F,
// %u or %U of the command line, else after the last word (nowhere when
// empty). Empty when the command line names no program or leaves a quote
// open.
QStringList editorCommand(const QString& editor, const QString& file);

}  // namespace editrules
