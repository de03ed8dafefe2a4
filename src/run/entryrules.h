#pragma once

#include <QString>

#include <optional>

// How a row of the main list becomes something to start, and the texts the
// launcher shows about it. A row is either a list row (Title, Filename, Path,
// Arguments in its sub-items 1 to 3) or a search result, whose sub-item 1 is
// the whole TAB-separated source line it was found in.
namespace entryrules {

struct EntryFields {
    QString filename;
    QString path;
    QString arguments;
};

// A search result carries its source line, and only such a line holds a TAB.
bool isResultRow(const QString& subItem1);

// Filename, Path and Arguments of a row, whichever its shape.
EntryFields fieldsOf(const QString& subItem1, const QString& subItem2, const QString& subItem3);

// An empty Filename opens a sublist; so does a result row of a sublist line
// (the title followed by five empty fields).
bool isSublistRow(const QString& subItem1);

// The file a shortcut row names: Filename when it holds a folder already,
// else Path run together with Filename (Path normally ends in "/").
QString fullPath(const QString& filename, const QString& path);

// A ".lnk" anywhere in the name, or a name ending in ".desktop", any case.
bool isShortcutRow(const QString& filename);

// "Launching  " and the file name, all upper case.
QString launchingText(const QString& filename);

// The name tried again when a target was not found: its base name.
QString retryName(const QString& filename);

// The report of a target not found; `offerBrowse` adds the offer to look for it.
QString notFoundText(const QString& dir, const QString& filename, bool offerBrowse);
inline constexpr const char* kNotFoundTitle = "Task not found.";

// The full path that Copy puts on the clipboard, from sub-items 1 and 2 of
// a row; nothing for bare program names, addresses and sublists.
std::optional<QString> copyablePath(const QString& subItem1, const QString& subItem2);

// The folder part of a path with its final "/" ("" when there is none).
QString folderOf(const QString& path);

// Row position under a pointer Y (twips from the top of the first row, rows
// 240 twips high): -1 above the rows, 0 for the first row. Computed in
// single precision, rounding up, as positions have always been.
int rowIndexAt(float y);

// The arguments handed to the countdown program Pendix for an entry.
QString pendixArguments(const QString& path, const QString& filename, const QString& arguments);

// Shortcut arguments first, then the entry's own, blank-separated.
QString joinArguments(const QString& first, const QString& second);

}  // namespace entryrules
