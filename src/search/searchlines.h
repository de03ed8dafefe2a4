#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

class QIODevice;

#include <cstdint>
#include <memory>
#include <vector>

// Lines a search box filters (the shown list's file, or the file-system
// index of a million lines), held as one byte buffer with line offsets
// rather than one string per line.
//
// Next to the lines it keeps their title fields (the part before the first
// TAB) case-folded, one after another with a line end after each, so a
// search runs over that one buffer as a plain byte search.
//
// Lines are UTF-8; a line that is not valid UTF-8 is taken as
// Windows-1252, as the program's text files are read.
class SearchLines {
public:
    int size() const { return int(starts_.size()) - 1; }
    bool isEmpty() const { return size() == 0; }
    void clear();

    // Appends one line (without its line end).
    void append(QByteArrayView line);
    void append(const QString& line) { append(QByteArrayView(line.toUtf8())); }
    void append(const SearchLines& other);
    static SearchLines fromLines(const QStringList& lines);

    // Takes a whole file's content: a line ends at CR LF, CR or LF, a
    // UTF-8 byte-order mark at the start is dropped, and a final line end
    // does not add an empty line.
    void assignFile(QByteArray data);
    // Reads a whole file as by assignFile; false (and the lines untouched)
    // when it cannot be read or is no plain file (a pipe, a device). A large file is mapped, not
    // copied.
    bool readFile(const QString& path);
    // The content as written to a file: every line followed by CR LF.
    // A first line that begins with a byte-order mark gets one more before
    // it, as reading drops one.
    QByteArray fileBytes() const;
    // Writes that content to `out` a block at a time; false when a write
    // failed or fell short.
    bool writeTo(QIODevice& out) const;

    QByteArrayView bytes(int i) const;
    QString line(int i) const;
    QStringList toStringList() const;

    // The case-folded titles, each followed by "\n", and where line i's
    // title starts in it (foldedStart(size()) is its end).
    QByteArrayView foldedTitles() const { return QByteArrayView(folded_.constData(), foldedSize_); }
    std::int64_t foldedStart(int i) const { return foldedStarts_[size_t(i)]; }
    const std::vector<std::int64_t>& foldedStarts() const { return foldedStarts_; }
    QByteArrayView foldedTitle(int i) const;

    // Changes whenever the lines change; a filter result is only refined
    // against the same lines.
    std::uint64_t generation() const { return generation_; }

    // Bytes the content takes, for the memory figures.
    std::int64_t heldBytes() const;

private:
    bool needsByteOrderMark() const;
    void foldTitle(QByteArrayView line);
    void reserveFolded(qsizetype bytes);
    void touch();
    void assignBytes(QByteArray data, std::shared_ptr<const void> keep);

    // What data_ may point into without owning it (a mapped file); shared
    // by copies of these lines.
    std::shared_ptr<const void> keep_;
    QByteArray data_;
    // Line i is data_[starts_[i], starts_[i + 1]) without its line end.
    std::vector<std::int64_t> starts_{0};
    QByteArray folded_;
    qsizetype foldedSize_ = 0;
    std::vector<std::int64_t> foldedStarts_{0};
    std::uint64_t generation_ = 0;
};

// The search text as the titles are kept: case-folded UTF-8.
QByteArray foldSearchText(const QString& text);
