#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

#include "lists/listfile.h"
#include "lists/textfile.h"

// One entry of a list: its Title, the five fields after it (Filename,
// Path, Arguments, Color, Bold) and the look it is shown with. The look is
// kept apart from the fields: a new sublist is shown bold in the sublist
// colour although its file line carries neither.
struct ListEntry {
    QString title;
    std::array<QString, 5> fields;
    std::uint32_t color = listfile::kDefaultTextColor;
    bool bold = false;

    // The entry a line of a list file holds.
    static ListEntry fromLine(const QString& line);
    QString line() const;
    bool operator==(const ListEntry&) const = default;
};

// The rows of a list as a view reads them, counted from 1.
class ListRows {
public:
    virtual ~ListRows() = default;
    virtual int count() const = 0;
    virtual const ListEntry& entry(int i) const = 0;
};

// A list read from its file in the program folder, with the changes made to
// it since. Every write of a list file goes through save(): a document
// that was not read from its file (a refused name, an unreadable file) has
// nothing it may write.
class ListDocument final : public ListRows {
public:
    // Reads the list `stem` of `folder`. False when the name is refused or
    // the file cannot be read: the document is then empty and bound to no
    // file, so nothing can be saved over what could not be read.
    bool load(const QString& folder, const QString& stem);
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

    int count() const override { return int(entries_.size()); }
    const ListEntry& entry(int i) const override { return entries_[size_t(i - 1)]; }
    const std::vector<ListEntry>& entries() const { return entries_; }

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
    struct Stamp {
        textfile::FileState state;
        QByteArray hash;
    };
    static Stamp stampOf(const QByteArray& bytes, const textfile::FileState& state);

    QString folder_;
    QString stem_;
    QString askedStem_;
    QString error_;
    std::vector<ListEntry> entries_;
    bool dirty_ = false;
    Stamp stamp_;
};
