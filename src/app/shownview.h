#pragma once

#include <QString>

// What the main list shows. Only a list read from its file can be edited
// or saved: results of a search are lines gathered from elsewhere, and a
// refused or unreadable name shows nothing that belongs to a file.
enum class ViewKind {
    Nothing,      // a refused or unreadable list name
    List,         // a list read from its file
    QuickSearch,  // the shown list filtered
    AllLists,     // lines of every list
    FileSystem,   // the file-system index
};

struct ShownView {
    ViewKind kind = ViewKind::Nothing;
    // List: the list shown. Nothing: the name that was refused or could not
    // be read. Search results: the list shown before the search, the one
    // a sublist found there is opened from.
    QString stem;

    bool editable() const { return kind == ViewKind::List; }
    bool results() const {
        return kind == ViewKind::QuickSearch || kind == ViewKind::AllLists ||
               kind == ViewKind::FileSystem;
    }
    // The list that Back returns to from a list opened here. Results and an
    // unreadable name lead back to the list they were reached from, never
    // to a caption.
    QString listStem() const { return stem; }
    bool operator==(const ShownView&) const = default;
};
