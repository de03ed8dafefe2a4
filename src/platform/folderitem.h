#pragma once

#include <QByteArray>

#include <functional>
#include <vector>

// One name of a folder listing, as the file system gives it.
struct FolderItem {
    QByteArray name;
    // A folder to walk into; a symbolic link is never one, so a walk cannot
    // loop or leave its tree.
    bool folder = false;
};

// Lists the folder at `path` in the order the file system keeps its names
// ("." and ".." left out); false when it cannot be read.
using ReadFolder = std::function<bool(const QByteArray& path, std::vector<FolderItem>& items)>;
