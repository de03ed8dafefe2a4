#include "lists/listdocument.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "edit/editrules.h"
#include "lists/textfile.h"
#include "search/searchlines.h"

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

// An entry's line as read, in the list format: its own bytes, whatever
// their encoding, as six fields (those past the sixth dropped). False when
// the fields dropped are what made the line not UTF-8: the fields kept
// would then read differently, and the entry is written as text instead.
bool appendAsSixFields(QByteArray& out, QByteArrayView line) {
    int tabs = 0;
    qsizetype end = line.size();
    for (qsizetype k = 0; k < line.size(); ++k) {
        if (line[k] != '\t') continue;
        if (++tabs == listfile::kFields) {
            end = k;
            break;
        }
    }
    if (end < line.size() && !textfile::isValidUtf8(line) && textfile::isValidUtf8(line.first(end)))
        return false;
    out.append(line.data(), end);
    for (int t = std::min(tabs, listfile::kFields - 1); t < listfile::kFields - 1; ++t) out += '\t';
    return true;
}

}  // namespace

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
    hold(bytes);
    stem_ = stem;
    stamp_ = stampOf(bytes, state);
    heldIsStamp_ = true;
    return true;
}

bool ListDocument::reopen(const QString& folder, const QString& stem) {
    if (!loaded() || folder != folder_ || stem != stem_ || !heldIsStamp_ ||
        changedOnDisk(Check::Thorough))
        return load(folder, stem);
    rows_ = EditedRows(file_);
    dirty_ = false;
    error_.clear();
    return true;
}

void ListDocument::hold(const QByteArray& bytes) {
    auto lines = std::make_shared<SearchLines>(SearchLines::Titles::Raw);
    lines->assignFile(bytes);
    lines_ = std::move(lines);
    file_ = std::make_shared<FileRows>(lines_);
    rows_ = EditedRows(file_);
}

void ListDocument::clear() {
    stem_.clear();
    askedStem_.clear();
    error_.clear();
    lines_.reset();
    file_.reset();
    rows_ = EditedRows();
    dirty_ = false;
    stamp_ = {};
    heldIsStamp_ = false;
}

std::vector<ListEntry> ListDocument::entries() const {
    std::vector<ListEntry> out;
    out.reserve(size_t(count()));
    for (int i = 1; i <= count(); ++i) out.push_back(entry(i));
    return out;
}

std::shared_ptr<const ListRows> ListDocument::rows() const {
    return std::make_shared<EditedRows>(rows_);
}

ListDocument::Stamp ListDocument::stampOf(const QByteArray& bytes,
                                          const textfile::FileState& state) {
    // The size is that of the bytes themselves: a time that could not be
    // read then only makes the next quick check read the file.
    return Stamp{textfile::FileState{bytes.size(), state.mtimeNs}, bytes, true};
}

bool ListDocument::changedOnDisk(Check how) const {
    if (!loaded()) return false;
    const std::optional<textfile::FileState> now = textfile::stateOf(path());
    // Gone: a change, unless its absence was already accepted.
    if (!now) return stamp_.present;
    if (now->size != stamp_.state.size) return true;
    // Two writes within one tick of the file system's clock can share a
    // time, so only the content is proof before a save.
    if (how == Check::Quick && now->mtimeNs == stamp_.state.mtimeNs) return false;
    // A new time over the same content (touched, checked out again) takes
    // nothing that a save would drop.
    return !textfile::holdsBytes(path(), stamp_.bytes);
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
    heldIsStamp_ = false;
}

int ListDocument::add(ListEntry e) {
    dirty_ = true;
    return rows_.add(std::move(e));
}

void ListDocument::remove(int i) {
    rows_.remove(i);
    dirty_ = true;
}

void ListDocument::swap(int i, int j) {
    rows_.swap(i, j);
    dirty_ = true;
}

void ListDocument::setTitle(int i, const QString& title) {
    rows_.change(i).title = title;
    dirty_ = true;
}

void ListDocument::setField(int i, int k, const QString& text) {
    rows_.change(i).fields[size_t(k - 1)] = text;
    dirty_ = true;
}

void ListDocument::setLook(int i, std::uint32_t color, bool bold) {
    ListEntry& e = rows_.change(i);
    e.color = color;
    e.bold = bold;
    dirty_ = true;
}

void ListDocument::markTitle(int i, const QString& mark) {
    rows_.change(i).title.prepend(mark);
}

QStringList ListDocument::lines() const {
    QStringList out;
    out.reserve(count());
    for (int i = 1; i <= count(); ++i) {
        QByteArray line;
        const int b = rows_.baseRow(i);
        if (b && appendAsSixFields(line, file_->bytes(b)))
            out << textfile::decodeLine(line);
        else
            out << entry(i).line();
    }
    return out;
}

QByteArray ListDocument::fileBytes() const {
    QByteArray out;
    const int n = count();
    for (int i = 1; i <= n; ++i) {
        // Reading drops one byte-order mark: a first line that itself begins
        // with one keeps it only behind a mark of its own.
        const qsizetype at = out.size();
        const int b = rows_.baseRow(i);
        if (b && appendAsSixFields(out, file_->bytes(b))) {
            if (i == 1 && out.startsWith("\xEF\xBB\xBF")) out.prepend("\xEF\xBB\xBF");
        } else {
            out.truncate(at);
            const QString line = entry(i).line();
            if (i == 1 && line.startsWith(QChar(0xFEFF))) out += "\xEF\xBB\xBF";
            out += line.toUtf8();
        }
        out += "\r\n";
    }
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
    const QByteArray bytes = fileBytes();
    textfile::FileState state;
    if (!textfile::writeBytes(path(), bytes, &error_, &state)) {
        if (error) *error = error_;
        return false;
    }
    // What was written is held from now on: the entries read back as the
    // file holds them.
    hold(bytes);
    stamp_ = stampOf(bytes, state);
    heldIsStamp_ = true;
    dirty_ = false;
    return true;
}

ListDocument::Rename ListDocument::rename(int i, const QString& title) {
    const QString oldTitle = rows_.title(i);
    bool moveFile = false;
    QString oldFile, newFile;
    if (rows_.field(i, 1).isEmpty()) {
        const QString oldStem = editrules::sublistStem(oldTitle);
        const QString newStem = editrules::sublistStem(title);
        oldFile = listfile::pathFor(folder_, oldStem);
        newFile = listfile::pathFor(folder_, newStem);
        moveFile =
            oldStem != newStem && listfile::isSafeStem(oldStem) && QFileInfo::exists(oldFile);
        if (moveFile && QFileInfo::exists(newFile)) return Rename::NameTaken;
    }
    const bool wasDirty = dirty_;
    rows_.change(i).title = title;
    dirty_ = true;
    if (!save()) {
        rows_.change(i).title = oldTitle;
        dirty_ = wasDirty;
        return Rename::SaveFailed;
    }
    if (!moveFile || renameWithoutReplacing(oldFile, newFile)) return Rename::Done;
    rows_.change(i).title = oldTitle;
    dirty_ = true;
    return save() ? Rename::FileNotMoved : Rename::RollbackFailed;
}
