#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

class QFile;

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
// A first line that begins with U+FEFF is preceded by a byte-order mark, so
// that reading gives it back whole.
QByteArray encodeLines(const QStringList& lines);

enum class ReadStatus { Ok, Missing, Unreadable };

// The size and modification time of a file, the time to the nanosecond.
struct FileState {
    qint64 size = -1;
    qint64 mtimeNs = 0;
    bool operator==(const FileState&) const = default;
};

// The state of the plain file at `path`; nullopt when there is none.
std::optional<FileState> stateOf(const QString& path);

// Every file the program reads from outside is opened here: without waiting,
// and only when it is a plain file. A pipe would hold the window until
// someone writes to it, a device like /dev/zero would never end, a folder
// is no file. On Ok `file` is open for reading and owns the descriptor.
// `state`, when given, gets the size and time of the file opened; `error`,
// when given, says why a read failed (the system's own words).
ReadStatus openPlainFile(const QString& path, QFile& file, FileState* state = nullptr,
                         QString* error = nullptr);

// Reads the whole file at `path` into `data` (left empty unless Ok). When
// `limit` is not negative, a file longer than that is Unreadable: it is not
// a file of the kind asked for, and is not read into memory.
// `state`, when given, gets the state of the file the bytes came from.
ReadStatus readBytes(const QString& path, QByteArray& data, qint64 limit = -1,
                     FileState* state = nullptr, QString* error = nullptr);

// Asks for large pages behind a big buffer before it is first written:
// taking fresh memory a small page at a time is what makes reading a list
// or an index of a million lines slow on some machines. Small buffers are
// left as they are.
void preferLargePages(const void* data, qsizetype bytes);

// The rest of an opened file in one buffer, sized by the file and backed
// by large pages where it is big, then whatever it grew by meanwhile (or
// all of a file that tells no size).
QByteArray readRest(QFile& file);

// True when the plain file at `path` holds exactly `bytes`. Read a block at
// a time, so a large file costs no more memory than one block.
bool holdsBytes(const QString& path, QByteArrayView bytes);

// Reads the lines of the file at `path`. `lines` is left empty unless Ok;
// otherwise `error`, when given, says why.
ReadStatus readLines(const QString& path, QStringList& lines, qint64 limit = -1,
                     QString* error = nullptr);

// Replaces the file at `path` with `lines`. A new file is written beside the
// old one and renamed over it only when every byte reached the disk, so a
// failure (full disk, no permission) leaves the previous file untouched.
// On failure returns false and, when `error` is given, a reason.
bool writeLines(const QString& path, const QStringList& lines, QString* error = nullptr);
// The same for bytes already encoded; `state`, when given, receives the
// state of the file as written.
bool writeBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                FileState* state = nullptr);

}  // namespace textfile
