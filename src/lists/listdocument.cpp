#include "lists/listdocument.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <cerrno>
#include <cstdio>

#include "edit/editrules.h"
#include "lists/textfile.h"

namespace {

// Moves a file to a name that is free, in one step; never over another file.
bool renameWithoutReplacing(const QString& from, const QString& to) {
    const QByteArray a = QFile::encodeName(from), b = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return true;
    // A file system without the no-replace rename: the caller has seen
    // that the new name is free.
    if (errno != EINVAL && errno != ENOSYS) return false;
    if (QFileInfo::exists(to)) return false;
    return std::rename(a.constData(), b.constData()) == 0;
}

}  // namespace

ListEntry ListEntry::fromLine(const QString& line) {
    const listfile::ParsedLine p = listfile::parseLine(line);
    ListEntry e;
    e.title = p.fields[0];
    for (qsizetype k = 1; k < p.fields.size(); ++k) e.fields[size_t(k - 1)] = p.fields[k];
    e.color = p.color;
    e.bold = p.bold;
    return e;
}

QString ListEntry::line() const {
    return listfile::formatLine(title, fields);
}

bool ListDocument::load(const QString& folder, const QString& stem) {
    clear();
    folder_ = folder;
    askedStem_ = stem;
    error_.clear();
    if (!listfile::isSafeStem(stem)) return false;
    QStringList lines;
    if (textfile::readLines(listfile::pathFor(folder, stem), lines, &error_) !=
        textfile::ReadStatus::Ok)
        return false;
    entries_.reserve(size_t(lines.size()));
    for (const QString& line : lines)
        if (!line.isEmpty()) entries_.push_back(ListEntry::fromLine(line));
    stem_ = stem;
    return true;
}

void ListDocument::clear() {
    stem_.clear();
    askedStem_.clear();
    error_.clear();
    entries_.clear();
    dirty_ = false;
}

int ListDocument::add(ListEntry e) {
    entries_.push_back(std::move(e));
    dirty_ = true;
    return count();
}

void ListDocument::remove(int i) {
    entries_.erase(entries_.begin() + (i - 1));
    dirty_ = true;
}

void ListDocument::swap(int i, int j) {
    std::swap(entries_[size_t(i - 1)], entries_[size_t(j - 1)]);
    dirty_ = true;
}

void ListDocument::setTitle(int i, const QString& title) {
    entries_[size_t(i - 1)].title = title;
    dirty_ = true;
}

void ListDocument::setField(int i, int k, const QString& text) {
    entries_[size_t(i - 1)].fields[size_t(k - 1)] = text;
    dirty_ = true;
}

void ListDocument::setLook(int i, std::uint32_t color, bool bold) {
    entries_[size_t(i - 1)].color = color;
    entries_[size_t(i - 1)].bold = bold;
    dirty_ = true;
}

void ListDocument::markTitle(int i, const QString& mark) {
    entries_[size_t(i - 1)].title.prepend(mark);
}

QStringList ListDocument::lines() const {
    QStringList out;
    out.reserve(count());
    for (const ListEntry& e : entries_) out << e.line();
    return out;
}

QString ListDocument::path() const {
    return listfile::pathFor(folder_, loaded() ? stem_ : askedStem_);
}

bool ListDocument::save(QString* error) {
    if (!loaded() || !listfile::isSafeStem(stem_)) {
        // Writing would replace a file that was never read, or none at all.
        error_ = askedStem_.isEmpty() ? QStringLiteral("No list file")
                                      : QStringLiteral(
                                            "The list could not be read, so saving "
                                            "would replace what it holds");
        if (error) *error = error_;
        return false;
    }
    if (!textfile::writeLines(listfile::pathFor(folder_, stem_), lines(), &error_)) {
        if (error) *error = error_;
        return false;
    }
    dirty_ = false;
    return true;
}

ListDocument::Rename ListDocument::rename(int i, const QString& title) {
    ListEntry& e = entries_[size_t(i - 1)];
    const QString oldTitle = e.title;
    bool moveFile = false;
    QString oldFile, newFile;
    if (e.fields[0].isEmpty()) {
        const QString oldStem = editrules::sublistStem(oldTitle);
        const QString newStem = editrules::sublistStem(title);
        oldFile = listfile::pathFor(folder_, oldStem);
        newFile = listfile::pathFor(folder_, newStem);
        moveFile =
            oldStem != newStem && listfile::isSafeStem(oldStem) && QFileInfo::exists(oldFile);
        if (moveFile && QFileInfo::exists(newFile)) return Rename::NameTaken;
    }
    const bool wasDirty = dirty_;
    e.title = title;
    dirty_ = true;
    if (!save()) {
        e.title = oldTitle;
        dirty_ = wasDirty;
        return Rename::SaveFailed;
    }
    if (!moveFile || renameWithoutReplacing(oldFile, newFile)) return Rename::Done;
    entries_[size_t(i - 1)].title = oldTitle;
    dirty_ = true;
    return save() ? Rename::FileNotMoved : Rename::RollbackFailed;
}
