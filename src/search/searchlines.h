#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include "search/lineoffsets.h"

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
    // Whether the folded titles are kept beside the lines. The index is
    // searched at every keystroke and keeps them; a list is searched only
    // while its search box is open, so its titles are folded as the search
    // reads them rather than held for as long as the list is shown.
    enum class Titles { Folded, Raw };
    SearchLines() = default;
    explicit SearchLines(Titles titles) : titles_(titles) {}
    bool foldsTitles() const { return titles_ == Titles::Folded; }

    int size() const { return int(starts_.size()) - 1; }
    bool isEmpty() const { return size() == 0; }
    void clear();

    // Appends one line (without its line end).
    void append(QByteArrayView line);
    void append(const QString& line) { append(QByteArrayView(line.toUtf8())); }
    void append(const SearchLines& other);
    static SearchLines fromLines(const QStringList& lines, Titles titles = Titles::Folded);

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
    // All lines with their line ends, and where line i starts in it
    // (lineStarts()[size()] is its end).
    const char* lineData() const { return data_.constData(); }
    const LineOffsets& lineStarts() const { return starts_; }
    QString line(int i) const;
    QStringList toStringList() const;

    // The case-folded titles, each followed by "\n", and where line i's
    // title starts in it (foldedStart(size()) is its end). Empty for raw
    // titles.
    QByteArrayView foldedTitles() const { return QByteArrayView(folded_.constData(), foldedSize_); }
    std::int64_t foldedStart(int i) const { return foldedStarts_[size_t(i)]; }
    const LineOffsets& foldedStarts() const { return foldedStarts_; }
    QByteArrayView foldedTitle(int i) const;

    // Changes whenever the lines change; a filter result is only refined
    // against the same lines.
    std::uint64_t generation() const { return generation_; }

    // Bytes the content takes, for the memory figures.
    std::int64_t heldBytes() const;

private:
    bool needsByteOrderMark() const;
    void foldTitle(QByteArrayView line);
    void appendFolded(const SearchLines& other);
    void reserveFolded(qsizetype bytes);
    void touch();
    void assignBytes(QByteArray data, std::shared_ptr<const void> keep);

    // What data_ may point into without owning it (a mapped file); shared
    // by copies of these lines.
    std::shared_ptr<const void> keep_;
    QByteArray data_;
    // Line i is data_[starts_[i], starts_[i + 1]) without its line end.
    LineOffsets starts_;
    QByteArray folded_;
    qsizetype foldedSize_ = 0;
    LineOffsets foldedStarts_;
    std::uint64_t generation_ = 0;
    Titles titles_ = Titles::Folded;
};

// The search text as the titles are kept: case-folded UTF-8.
QByteArray foldSearchText(const QString& text);
