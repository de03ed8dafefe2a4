#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Reading and writing the program's text files (lists, settings, index).
//
// Files are read as UTF-8; a line that is not valid UTF-8 is taken as
// Windows-1252, so files written by older Windows copies still load. A line
// ends at CR LF, CR or LF. Files are written as UTF-8 with CR LF after every
// line, whole or not at all.
namespace textfile {

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(QByteArrayView bytes);

// Decodes one line: UTF-8 when valid, else Windows-1252.
QString decodeLine(QByteArrayView bytes);

// Splits raw file content into decoded lines. A UTF-8 byte-order mark at the
// start is dropped. Empty lines are kept; a final line end does not add an
// empty last line.
QStringList splitLines(const QByteArray& data);

// The bytes of `lines` as written to disk: UTF-8, CR LF after each line.
QByteArray encodeLines(const QStringList& lines);

enum class ReadStatus { Ok, Missing, Unreadable };

// Reads the lines of the file at `path`. `lines` is left empty unless Ok;
// otherwise `error`, when given, says why (the system's own words).
ReadStatus readLines(const QString& path, QStringList& lines, QString* error = nullptr);

// Replaces the file at `path` with `lines`. A new file is written beside the
// old one and renamed over it only when every byte reached the disk, so a
// failure (full disk, no permission) leaves the previous file untouched.
// On failure returns false and, when `error` is given, a reason.
bool writeLines(const QString& path, const QStringList& lines, QString* error = nullptr);

}  // namespace textfile
