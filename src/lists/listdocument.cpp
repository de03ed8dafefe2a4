#include "lists/listdocument.h"

#include <QCryptographicHash>
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
    QByteArray bytes;
    textfile::FileState state;
    if (textfile::readBytes(listfile::pathFor(folder, stem), bytes, -1, &state, &error_) !=
        textfile::ReadStatus::Ok)
        return false;
    const QStringList lines = textfile::splitLines(bytes);
    entries_.reserve(size_t(lines.size()));
    for (const QString& line : lines)
        if (!line.isEmpty()) entries_.push_back(ListEntry::fromLine(line));
    stem_ = stem;
    stamp_ = stampOf(bytes, state);
    return true;
}

void ListDocument::clear() {
    stem_.clear();
    askedStem_.clear();
    error_.clear();
    entries_.clear();
    dirty_ = false;
    stamp_ = {};
}

ListDocument::Stamp ListDocument::stampOf(const QByteArray& bytes,
                                          const textfile::FileState& state) {
    // The size is that of the bytes themselves: a time that could not be
    // read then only makes the next quick check read the file.
    return Stamp{textfile::FileState{bytes.size(), state.mtimeNs},
                 QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)};
}

bool ListDocument::changedOnDisk(Check how) const {
    if (!loaded()) return false;
    const std::optional<textfile::FileState> now = textfile::stateOf(path());
    // Gone: a change, unless its absence was already accepted.
    if (!now) return !stamp_.hash.isEmpty();
    if (now->size != stamp_.state.size) return true;
    // Two writes within one tick of the file system's clock can share a
    // time, so only the content is proof before a save.
    if (how == Check::Quick && now->mtimeNs == stamp_.state.mtimeNs) return false;
    QByteArray bytes;
    if (textfile::readBytes(path(), bytes) != textfile::ReadStatus::Ok) return true;
    // A new time over the same content (touched, checked out again) takes
    // nothing that a save would drop.
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256) != stamp_.hash;
}

void ListDocument::acceptDiskState() {
    if (!loaded()) return;
    QByteArray bytes;
    textfile::FileState state;
    if (textfile::readBytes(path(), bytes, -1, &state) == textfile::ReadStatus::Ok)
        stamp_ = stampOf(bytes, state);
    else
        // Gone or unreadable: the save may put the list back in its place.
        stamp_ = {};
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
    const QString& stem = loaded() ? stem_ : askedStem_;
    return stem.isEmpty() ? QString() : listfile::pathFor(folder_, stem);
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
    if (changedOnDisk()) {
        error_ = QStringLiteral("The list file was changed by another program");
        if (error) *error = error_;
        return false;
    }
    const QByteArray bytes = textfile::encodeLines(lines());
    textfile::FileState state;
    if (!textfile::writeBytes(path(), bytes, &error_, &state)) {
        if (error) *error = error_;
        return false;
    }
    stamp_ = stampOf(bytes, state);
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
