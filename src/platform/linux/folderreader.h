#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

#include "platform/folderitem.h"

// Reading folders and application entries for the file-system index. Every
// function here may run on a worker thread.
namespace folderreader {

// Lists a folder with one open and a few large directory reads, taking each
// name's type from the listing itself; only a name of unknown type is
// looked at more closely. A symbolic link (to a folder or not) counts as a
// file, and a folder that is itself a symbolic link is not read, so a walk
// never follows one. A name whose type cannot be found counts as a folder.
bool readFolder(const QByteArray& path, std::vector<FolderItem>& items);

// The title of a desktop entry for the index: the Name of its [Desktop
// Entry] group in the first of `languages` it is given in ("de_AT", "de"),
// else the plain Name; empty when it has none. False when the entry is
// hidden from menus (Hidden or NoDisplay true).
bool desktopEntryTitle(const QByteArray& fileText, const QStringList& languages, QByteArray& title);

// The message languages of the user, most specific first ("de_AT", "de").
QStringList userLanguages();

// The folders behind a special-folder number (0 desktop, 5 documents,
// 11 the user's start menu, 22 everyone's start menus; 25 and 46 have none
// here).
QStringList specialFolders(int number);

}  // namespace folderreader
