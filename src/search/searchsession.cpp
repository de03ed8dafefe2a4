#include "search/searchsession.h"

#include "platform/platform.h"

SearchSession::SearchSession(Platform& platform, QObject* parent)
    : QObject(parent),
      plat_(platform),
      list2_(std::make_shared<SearchLines>()),
      list4_(std::make_shared<SearchLines>()) {}

SearchSession::~SearchSession() {
    stop_ = true;
    if (worker_.joinable()) worker_.join();
}

void SearchSession::setList2(SearchLines lines) {
    list2_ = std::make_shared<const SearchLines>(std::move(lines));
}

void SearchSession::setList4(SearchLines lines) {
    list4_ = std::make_shared<const SearchLines>(std::move(lines));
}

void SearchSession::setList4(std::shared_ptr<const SearchLines> lines) {
    list4_ = lines ? std::move(lines) : std::make_shared<const SearchLines>();
}

void SearchSession::walkFolders(std::vector<fsindex::FolderSetting> folders,
                                const QString& indexFile, std::function<void()> done) {
    if (worker_.joinable()) return;
    stop_ = false;
    // The walk starts from the lines read so far and hands the whole index
    // back; the window keeps answering meanwhile.
    worker_ = std::thread([this, folders = std::move(folders), indexFile, lists = list2_,
                           done = std::move(done)]() mutable {
        fsindex::Walker walker;
        walker.readFolder = [this](const QByteArray& path, std::vector<FolderItem>& items) {
            return plat_.readFolder(path, items);
        };
        walker.desktopEntryTitle = [this](const QByteArray& path, QByteArray& title) {
            return plat_.desktopEntryTitle(path, title);
        };
        walker.stop = &stop_;
        auto index = std::make_shared<SearchLines>(*lists);
        for (const fsindex::FolderSetting& entry : folders)
            fsindex::IndexFolderSetting(entry, walker, *index);
        if (!stop_) fsindex::SaveFsIndex(indexFile, *index);
        QMetaObject::invokeMethod(
            this,
            [this, index, done = std::move(done)] {
                if (worker_.joinable()) worker_.join();
                list2_ = index;
                if (done) done();
            },
            Qt::QueuedConnection);
    });
}
