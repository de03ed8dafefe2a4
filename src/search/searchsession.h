#pragma once

#include <QObject>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "search/fsindex.h"
#include "search/quicksearch.h"
#include "search/searchlines.h"

class Platform;

// The state of the search box and the file-system index that the main
// window keeps between events: what the box filters (the index, the shown
// list's lines), the running filter, and the index build.
//
// Lines a search shows are shared with the list view, never changed in
// place: new lines replace the old ones, which live on while rows still
// refer to them.
class SearchSession : public QObject {
    Q_OBJECT

public:
    explicit SearchSession(Platform& platform, QObject* parent = nullptr);
    // Ends a running walk early and waits for it.
    ~SearchSession() override;

    // A build is running; the program must not end meanwhile.
    bool scanBusy() const { return scanBusy_; }
    void setScanBusy(bool on) { scanBusy_ = on; }
    // The list view shows search results instead of a list.
    bool searchShown() const { return searchShown_; }
    void setSearchShown(bool on) { searchShown_ = on; }
    // List2 holds the index of this run.
    bool fsIndexLoaded() const { return fsIndexLoaded_; }
    void setFsIndexLoaded(bool on) { fsIndexLoaded_ = on; }

    // The file-system index.
    std::shared_ptr<const SearchLines> List2() const { return list2_; }
    void setList2(SearchLines lines);
    // Names of the lists met while reading every list.
    QStringList& List3() { return list3_; }
    // The shown list's lines, for the quick search.
    std::shared_ptr<const SearchLines> List4() const { return list4_; }
    void setList4(SearchLines lines);
    // The lines a list already holds, shared rather than copied.
    void setList4(std::shared_ptr<const SearchLines> lines);

    quicksearch::Filter& filter() { return filter_; }

    // Walks the folders on a worker thread, appending their file lines to
    // List2, and writes the whole index to `indexFile`. `done` runs on this
    // object's thread once List2 holds the result.
    void walkFolders(std::vector<fsindex::FolderSetting> folders, const QString& indexFile,
                     std::function<void()> done);
    bool walking() const { return worker_.joinable(); }

private:
    Platform& plat_;
    bool scanBusy_ = false;
    bool searchShown_ = false;
    bool fsIndexLoaded_ = false;
    std::shared_ptr<const SearchLines> list2_;
    std::shared_ptr<const SearchLines> list4_;
    QStringList list3_;
    quicksearch::Filter filter_;

    std::thread worker_;
    std::atomic<bool> stop_{false};
};
