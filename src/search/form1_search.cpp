#include <QFile>

#include "app/form1.h"
#include "lists/listfile.h"
#include "platform/platform.h"
#include "run/keycodes.h"
#include "search/fsindex.h"

namespace {

// The file-system search colours the list light green; its source is List2.
constexpr std::uint32_t kFileSystemSearchColor = listfile::rgb(192, 255, 192);
// Reading every list marks the view pale yellow until the index is built.
constexpr std::uint32_t kReadingListsColor = listfile::rgb(255, 255, 192);

QString itemsFoundCaption(int count) {
    return QStringLiteral("Brennomix (%1 items found.)").arg(count);
}

}  // namespace

// Filters the source lines by the search text. Result rows refer to their
// lines in the source, so no line is copied however many are found, and the
// view lays out only the rows it paints.
void Form1::Text2_Change() {
    if (!model_.searchBoxShown()) return;
    const bool fileSystem = model_.view().kind == ViewKind::FileSystem || !config_.quickSearch;
    const std::shared_ptr<const SearchLines> source =
        fileSystem ? Search().List2() : Search().List4();
    const std::vector<int>& found = Search().filter().update(*source, Text2->text());
    auto rows = std::make_shared<ResultRows>(
        source->size(), [source](int i) { return source->line(i); }, &quicksearch::rowText,
        &quicksearch::rowColor);
    rows->assign(found);
    List1->ListItems().SetRows(std::move(rows));

    CheckListOverflow();
    List1->viewport()->update();
}

void Form1::Text2_KeyDown(int& KeyCode, int Shift) {
    const bool digit = (KeyCode >= '0' && KeyCode <= '9') ||
                       (KeyCode >= keycodes::Numpad0 && KeyCode <= keycodes::Numpad9);
    if (!digit) return;
    // A digit runs the result in that position; it never becomes search text.
    List1_KeyDown(KeyCode, Shift);
    KeyCode = 0;
}

void Form1::Text2_KeyUp(int& KeyCode, int Shift) {
    if (KeyCode == keycodes::Back && Shift == keycodes::CtrlMask) Text2->clear();
    if (KeyCode == keycodes::Escape) {
        if (List1->ListItems().Count() == 0) {
            QString top = QString::fromLatin1(listfile::kTopStem);
            LoadList(top);
        }
        KeyCode = 0;
    }
    if (KeyCode == keycodes::Return && List1->ListItems().Count() > 0) {
        List1->SetSelected(1, true);
        if (List1->ListItems().Count() == 1) {
            int mode = 0;
            RunSelection(mode, 0, 0);
        } else {
            List1->setFocus();
        }
    }
}

// Opens the search box ("searchFS": over the file-system index; any other
// word: by the source rule of the quick search) or, when it is shown, closes
// it whatever the word, keeping the rows found.
void Form1::mSearch(const QString& word) {
    // Edit mode keeps the list on screen until it ends.
    if (model_.modes().editMode) return;
    if (model_.searchBoxShown()) {
        if (List1->ListItems().Count() == 0) {
            QString top = QString::fromLatin1(listfile::kTopStem);
            LoadList(top);
        }
        showSearchBox(false);
        CheckListOverflow();
        return;
    }
    Search().setSearchShown(true);
    // A list whose save failed stays on screen.
    if (ListDirty() && !AskSaveList()) return;
    // From here on the view shows results: nothing may save them as a list.
    model_.showResults(word == u"searchFS" ? ViewKind::FileSystem : ViewKind::AllLists);
    DisableEditCommands();
    Text2->clear();
    List1->ListItems().Clear();
    showDigits(false);
    showSearchBox(true);
    Text2->raise();
    Text2->setFocus();
    if (word != u"searchFS") {
        EnsureSearchIndex();
        return;
    }

    if (!FileExists(appPath_ + u'/' + QString::fromLatin1(fsindex::kFileName))) {
        BuildFsIndex();
        return;
    }
    if (!Search().fsIndexLoaded()) LoadFsIndex();
    Search().setFsIndexLoaded(true);
    BuildFsIndex();
}

// Builds the index unless this run already holds it: the lists are read at
// once, the folders are walked on a worker thread, and FsIndexBuilt finishes.
// While a build runs, another call only marks the file-system search; the
// running build refreshes the results when it ends.
void Form1::BuildFsIndex() {
    setListColor(kFileSystemSearchColor);
    if (Search().scanBusy()) return;
    Search().setScanBusy(true);
    if (Search().fsIndexLoaded()) {
        FsIndexBuilt();
        return;
    }
    setCaption(QStringLiteral("Brennomix (Scanning...)"));
    Search().setList2({});
    ReadAllLists();
    Search().setFsIndexLoaded(true);
    setListColor(kFileSystemSearchColor);
    const std::vector<fsindex::FolderSetting> folders = fsindex::folderSettings(
        config_.fsSearchPaths, [this](int n) { return plat_.specialFolders(n); });
    Search().walkFolders(folders, appPath_ + u'/' + QString::fromLatin1(fsindex::kFileName),
                         [this] {
                             // The refresh command may have cleared the flag
                             // meanwhile: the index is whole now.
                             Search().setFsIndexLoaded(true);
                             setCaption(itemsFoundCaption(Search().List2()->size()));
                             FsIndexBuilt();
                         });
}

void Form1::FsIndexBuilt() {
    Search().setScanBusy(false);
    if (!Text2->text().isEmpty()) Text2_Change();
}

void Form1::ReadAllLists() {
    Search().setFsIndexLoaded(false);
    setListColor(kReadingListsColor);
    SearchLines lines;
    fsindex::ReadAllLists(appPath_, lines, Search().List3());
    Search().setList2(std::move(lines));
    if (!Text2->text().isEmpty()) Text2_Change();
}

void Form1::LoadFsIndex() {
    const QString file = appPath_ + u'/' + QString::fromLatin1(fsindex::kFileName);
    SearchLines lines;
    const QString caption = model_.caption();
    setCaption(QStringLiteral("Brennomix (Loading...)"));
    if (!fsindex::LoadFsIndex(file, lines)) {
        setCaption(caption);
        return;
    }
    Search().setList2(std::move(lines));
    setCaption(itemsFoundCaption(Search().List2()->size()));
}

// The folders to index changed: the cached index no longer covers them, so
// the next file-system search builds it anew.
void Form1::FsIndexStale() {
    const QString file = appPath_ + u'/' + QString::fromLatin1(fsindex::kFileName);
    if (FileExists(file)) QFile::remove(file);
    Search().setFsIndexLoaded(false);
}

void Form1::EnsureSearchIndex() {
    // A running build fills the index itself and refreshes the results.
    if (Search().fsIndexLoaded() || Search().scanBusy()) return;
    const QString file = appPath_ + u'/' + QString::fromLatin1(fsindex::kFileName);
    if (FileExists(file)) {
        Search().setList2({});
        LoadFsIndex();
        if (Search().List2()->size() > 0) {
            Search().setFsIndexLoaded(true);
            return;
        }
    }
    // Without the cache the entries of every list are still found; the
    // folders are left to the file-system search, which walks them.
    const std::uint32_t color = model_.listColor();
    ReadAllLists();
    setListColor(color);
}

// While a build runs, a refresh waits for it: the file that build writes
// is the fresh one.
void Form1::mnuRefresh_Click() {
    const QString file = appPath_ + u'/' + QString::fromLatin1(fsindex::kFileName);
    if (!Search().scanBusy()) {
        if (FileExists(file)) QFile::remove(file);
        Search().setFsIndexLoaded(false);
    }
    showSearchBox(false);
    mSearch(QStringLiteral("searchFS"));
}

void Form1::mnuFindFS_Click() {
    mSearch(QStringLiteral("searchFS"));
}
