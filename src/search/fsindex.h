#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

#include "platform/folderitem.h"
#include "search/searchlines.h"

// The file-system index: every line of every list reachable from the top
// list, then one line "name TAB name TAB folder/" for every file of the
// indexed folders. It is cached in "FsSearch.txt" in the program folder.
namespace fsindex {

inline constexpr const char* kFileName = "FsSearch.txt";

// The special folders the index knows, by their old numbers.
enum SpecialFolder {
    UserDesktop = 0,
    UserDocuments = 5,
    UserStartMenu = 11,
    CommonStartMenu = 22,
    CommonDesktop = 25,
    CommonDocuments = 46,
};

// One folder setting to index: a folder, optionally followed by "*"
// patterns separated by "|".
struct FolderSetting {
    QString setting;
    // The folder holds application entries (a start menu): a ".desktop"
    // file is indexed under the name it shows.
    bool applications = false;
};

// The folder settings `fsSearchPaths` names, in indexing order: empty means
// the six special folders; a relative folder is left out; "desktop", "my documents" and "start
// menu" (any case) name two special folders each; `specialFolders` gives the folders behind a
// number (none, one or several).
std::vector<FolderSetting> folderSettings(const QString& fsSearchPaths,
                                          const std::function<QStringList(int)>& specialFolders);

// What a walk needs from outside.
struct Walker {
    ReadFolder readFolder;
    // The title of a desktop entry file in an application folder; false
    // when the entry is hidden and must be left out. May be empty.
    std::function<bool(const QByteArray& path, QByteArray& title)> desktopEntryTitle;
    // Set from another thread to end the walk early.
    const std::atomic<bool>* stop = nullptr;
};

// Splits a setting at its first "*" into folder and patterns and walks it;
// an empty folder indexes nothing.
void IndexFolderSetting(const FolderSetting& entry, const Walker& walker, SearchLines& out);
// Walks `folder` once per pattern ("|"-separated; empty means every file).
void WalkFolderPatterns(const QString& folder, const QString& patterns, bool applications,
                        const Walker& walker, SearchLines& out);
// Depth first: the folder's matching files in listing order, then each
// subfolder's whole tree in listing order.
void WalkFolder(const QByteArray& folder, const QByteArray& pattern, bool applications,
                const Walker& walker, SearchLines& out);
// The shell wildcards "*" and "?" as the file system names files (case
// counts); "*.*" is every file, as it always was.
bool patternMatches(const QByteArray& pattern, const QByteArray& name);

// The folder setting with `folder` added to the folders it names.
QString withSearchFolder(const QString& fsSearchPaths, const QString& folder);
// A folder the setting can hold: absolute, and without the ";" that
// separates its folders.
inline bool fitsSearchSetting(const QString& folder) {
    return folder.startsWith(u'/') && !folder.contains(u';');
}
// An index line is TAB-separated fields ended by a line end: a path may
// become a field only when it holds no TAB, CR or LF.
bool fitsIndexLine(QByteArrayView path);
// A title as an index line can hold it: TAB, CR and LF become blanks.
QByteArray indexTitle(QByteArray title);

// Reads the top list and every list it reaches, breadth first, appending
// their lines to `lines` and the names of the lists met to `names`. A list
// named again inside its own chain (a circle) is not read again; a list
// named twice from different places is read twice.
void ReadAllLists(const QString& programFolder, SearchLines& lines, QStringList& names);

// Reads FsSearch.txt whole; false (and `lines` untouched) when it cannot be
// read. Any content loads: every line is one index line.
bool LoadFsIndex(const QString& file, SearchLines& lines);
// Replaces FsSearch.txt whole or not at all, readable by the user only.
bool SaveFsIndex(const QString& file, const SearchLines& lines);

}  // namespace fsindex
