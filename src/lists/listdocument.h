#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

#include "lists/listfile.h"
#include "lists/listrows.h"
#include "lists/textfile.h"

class SearchLines;

// A list read from its file in the program folder, with the changes made to
// it since. The file's bytes are held as they were read, one buffer with
// line offsets; only the entries changed here are held apart, and an entry
// not changed is written back byte for byte. Every write of a list file goes through save(): a
// document that was not read from its file (a refused name, an unreadable file) has nothing it may
// write.
class ListDocument final : public ListRows {
public:
    // Reads the list `stem` of `folder`. False when the name is refused or
    // the file cannot be read: the document is then empty and bound to no
    // file, so nothing can be saved over what could not be read.
    bool load(const QString& folder, const QString& stem);
    // Shows list `stem` again as its file holds it: when the file still holds
    // what was last read or written, the entries held are taken back without
    // reading them again (changes made here since are dropped); otherwise as
    // load(). True when the list is there.
    bool reopen(const QString& folder, const QString& stem);
    // Empty and bound to no file.
    void clear();

    // The stem of the file the entries were read from; empty when none.
    const QString& stem() const { return stem_; }
    bool loaded() const { return !stem_.isEmpty(); }
    const QString& folder() const { return folder_; }
    // The file of `stem()`, or of the list a failed load was asked for.
    QString path() const;
    // Why the last load or save failed, in the system's words.
    const QString& error() const { return error_; }

    // Lists are plain text that other editors, sync tools and version
    // control change too. A change of the file since this document last
    // read or wrote it, its own saves not counted; a file gone or no longer
    // a plain file is a change. Quick trusts an unchanged size and time
    // and reads nothing then; Thorough compares the content as well.
    enum class Check { Quick, Thorough };
    bool changedOnDisk(Check how = Check::Thorough) const;
    // The file as it is now becomes the one the next save may replace:
    // the other change was seen and is to be written over.
    void acceptDiskState();

    int count() const override { return rows_.count(); }
    ListEntry entry(int i) const override { return rows_.entry(i); }
    QString title(int i) const override { return rows_.title(i); }
    QString field(int i, int k) const override { return rows_.field(i, k); }
    std::uint32_t color(int i) const override { return rows_.color(i); }
    bool bold(int i) const override { return rows_.bold(i); }
    std::vector<ListEntry> entries() const;
    // The entries as they are now, for a view: shares what it can and
    // stays as it is when the list changes afterwards.
    std::shared_ptr<const ListRows> rows() const;
    // The lines of the file as last read or written (a search filters
    // them); null when no file was read.
    const std::shared_ptr<const SearchLines>& heldLines() const { return lines_; }

    bool dirty() const { return dirty_; }
    void setDirty(bool on) { dirty_ = on; }

    // Edits; each marks the list changed except where said.
    int add(ListEntry e);
    void remove(int i);
    // Exchanges two entries, fields and look.
    void swap(int i, int j);
    void setTitle(int i, const QString& title);
    // k from 1 (Filename) to 5 (Bold).
    void setField(int i, int k, const QString& text);
    void setLook(int i, std::uint32_t color, bool bold);
    // A mark in front of a title that only shows: the list stays unchanged
    // unless saved afterwards.
    void markTitle(int i, const QString& mark);

    // The lines the file holds after a save.
    QStringList lines() const;
    // The bytes a save writes, every entry in the list format: an entry not
    // changed since it was read keeps the bytes of its fields as the file
    // held them (text that is not UTF-8, NUL bytes), a changed one is
    // written as UTF-8.
    QByteArray fileBytes() const;

    // The one rule that writes a list file: the entries go to the file they
    // were read from, whole or not at all, and never over a change made to
    // it by another program since it was read (changedOnDisk). True when
    // written; the list is then unchanged since its save.
    bool save(QString* error = nullptr);

    enum class Rename {
        Done,
        NameTaken,      // another list has the new name: nothing changed
        SaveFailed,     // the list could not be saved: title and file as they were
        FileNotMoved,   // saved, but the sublist's file kept its name: title rolled back
        RollbackFailed  // as FileNotMoved, and the rolled-back title could not be saved
    };
    // Gives entry i a new title. A sublist's file takes the new name, but
    // only after the list holding the new title was saved; when the file
    // cannot follow, the old title is saved back. No failure leaves a title
    // without its file.
    Rename rename(int i, const QString& title);

private:
    // What the file held when this document last read or wrote it.
    // The content itself is kept, not a digest: it is the buffer the
    // entries are held in, so it costs nothing more.
    struct Stamp {
        textfile::FileState state;
        QByteArray bytes;
        bool present = false;
    };
    static Stamp stampOf(const QByteArray& bytes, const textfile::FileState& state);
    // Holds `bytes` as the file's lines, every entry unchanged.
    void hold(const QByteArray& bytes);

    QString folder_;
    QString stem_;
    QString askedStem_;
    QString error_;
    std::shared_ptr<const SearchLines> lines_;
    std::shared_ptr<const FileRows> file_;
    EditedRows rows_;
    bool dirty_ = false;
    Stamp stamp_;
    // The lines held are the content the stamp names.
    bool heldIsStamp_ = false;
};
