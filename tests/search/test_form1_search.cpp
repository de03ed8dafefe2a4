#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include "formfixture.h"
#include "lists/listfile.h"
#include "qtprinters.h"
#include "run/keycodes.h"
#include "waitfor.h"

namespace {

class QuickSearch : public FormFixture {
protected:
    // The launcher with the given top list, and the box opened on it to
    // search the list (the quick-search setting on).
    void open(const QStringList& lines) {
        writeList("Brennomix", lines);
        start();
        form->Cfg().quickSearch = true;
        form->StartQuickSearch();
    }
    void type(const QString& text) { QTest::keyClicks(control<QLineEdit>(*form, "Text2"), text); }
    QStringList sourceLines() const {
        QStringList out;
        for (int i = 1; i <= control<ListView>(*form, "List1")->ListItems().Count(); ++i)
            out << control<ListView>(*form, "List1")->ListItems().SubItem(i, 1);
        return out;
    }
};

}  // namespace

TEST_F(QuickSearch, TypingFiltersTheListFileByTitle) {
    open({"Notepad\tnotepad.exe", "Calc\tpad.exe", "WordPad\twrite.exe\t/usr\t\t\t",
          "!Tools\ttools.exe", "notes pad"});
    type("pad");
    EXPECT_EQ(titles(), (QStringList{"Notepad", "WordPad", "notes pad"}));
    // Each row keeps its whole source line, so running it finds every field.
    EXPECT_EQ(sourceLines(),
              (QStringList{"Notepad\tnotepad.exe", "WordPad\twrite.exe\t/usr\t\t\t", "notes pad"}));
    EXPECT_EQ(control<ListView>(*form, "List1")->BackColor(), listfile::rgb(255, 255, 208));

    control<QLineEdit>(*form, "Text2")->clear();
    type("TOOLS");
    EXPECT_EQ(titles(), QStringList{"Tools\ttools.exe"});
    EXPECT_EQ(control<ListView>(*form, "List1")->ListItems().ForeColor(1),
              listfile::rgb(180, 0, 0));
}

TEST_F(QuickSearch, ALetterTypedInTheListOpensTheSearchWithIt) {
    writeList("Brennomix", {"Notepad\tnotepad.exe", "Calc\tcalc.exe", "Nano\tnano"});
    start();
    form->Cfg().quickSearch = true;
    QTest::keyClick(control<ListView>(*form, "List1"), Qt::Key_N);
    EXPECT_TRUE(control<QLineEdit>(*form, "Text2")->isVisible());
    EXPECT_EQ(control<QLineEdit>(*form, "Text2")->text(), "n");
    EXPECT_EQ(titles(), (QStringList{"Notepad", "Nano"}));
    type("a");
    EXPECT_EQ(titles(), QStringList{"Nano"});
}

TEST_F(QuickSearch, EmptyTextShowsEveryLineOfTheSource) {
    open({"one\t1.exe", "", "two\t2.exe", "three\t3.exe"});
    type("tw");
    EXPECT_EQ(titles(), QStringList{"two"});
    QTest::keyClick(control<QLineEdit>(*form, "Text2"), Qt::Key_Backspace);
    QTest::keyClick(control<QLineEdit>(*form, "Text2"), Qt::Key_Backspace);
    EXPECT_EQ(control<QLineEdit>(*form, "Text2")->text(), QString());
    EXPECT_EQ(titles(), (QStringList{"one", "two", "three"}));
    // Ctrl+Backspace empties the text at once.
    type("thr");
    EXPECT_EQ(titles(), QStringList{"three"});
    QTest::keyClick(control<QLineEdit>(*form, "Text2"), Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(control<QLineEdit>(*form, "Text2")->text(), QString());
    EXPECT_EQ(titles(), (QStringList{"one", "two", "three"}));
}

TEST_F(QuickSearch, FiltersTheIndexWhenQuickSearchIsOffOrInFileSystemSearch) {
    open({"pad list\tlist.exe"});
    form->Search().setList2(SearchLines::fromLines({"pad index\tindex.exe", "other"}));
    form->Cfg().quickSearch = false;
    type("pad");
    EXPECT_EQ(titles(), QStringList{"pad index"});

    form->Cfg().quickSearch = true;
    control<QLineEdit>(*form, "Text2")->clear();
    type("pad");
    EXPECT_EQ(titles(), QStringList{"pad list"});

    form->Model().showResults(ViewKind::FileSystem);
    control<QLineEdit>(*form, "Text2")->clear();
    type("pad");
    EXPECT_EQ(titles(), QStringList{"pad index"});
}

TEST_F(QuickSearch, AHiddenBoxFiltersNothing) {
    writeList("Brennomix", {"pad\tpad.exe", "other\to.exe"});
    start();
    form->Search().setList4(SearchLines::fromLines({"pad\tpad.exe"}));
    control<QLineEdit>(*form, "Text2")->setText("pad");
    EXPECT_EQ(titles(), (QStringList{"pad", "other"}));
}

// A digit runs the result in that position (stay-open keeps the window and
// the box as they are) and never becomes search text.
TEST_F(QuickSearch, DigitsRunResultsAndNeverBecomeSearchText) {
    open({"a1\ta.exe", "b\tb.exe"});
    form->ToggleStayOpen();
    type("a");
    QTest::keyClick(control<QLineEdit>(*form, "Text2"), Qt::Key_1);
    QTest::keyClick(control<QLineEdit>(*form, "Text2"), Qt::Key_1, Qt::KeypadModifier);
    EXPECT_EQ(control<QLineEdit>(*form, "Text2")->text(), "a");
    EXPECT_EQ(plat.callsStartingWith("shellExecute|a.exe|").size(), 2);
}

TEST_F(QuickSearch, EnterSelectsTheFirstResultAndEscapeWithNoneLoadsTheTopList) {
    writeList("mtools", {"pad one\t1.exe", "pad two\t2.exe", "other\to.exe"});
    writeList("Brennomix", {"top\ttop.exe"});
    start("mtools");
    // Key releases reach the box through the window, which must be active.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->Cfg().quickSearch = true;
    form->StartQuickSearch();
    type("pad");
    QTest::keyClick(control<QLineEdit>(*form, "Text2"), Qt::Key_Return);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 1);
    EXPECT_TRUE(control<ListView>(*form, "List1")->hasFocus());

    control<QLineEdit>(*form, "Text2")->setFocus();
    type("x");
    EXPECT_EQ(control<ListView>(*form, "List1")->ListItems().Count(), 0);
    QTest::keyClick(control<QLineEdit>(*form, "Text2"), Qt::Key_Escape);
    EXPECT_EQ(form->windowTitle(), "Brennomix Launcher");
    EXPECT_EQ(titles(), QStringList{"top"});
}

// A million index lines: the rows refer to the lines (nothing is copied),
// and each further letter only re-examines the rows already found. The
// figures are printed, not asserted.
TEST_F(QuickSearch, AMillionLinesStayResponsive) {
    open({"x\tx.exe"});
    SearchLines index;
    for (int i = 0; i < 1'000'000; ++i)
        index.append(
            QStringLiteral("Entry %1 of the index\t/usr/share/applications/e%1.desktop").arg(i));
    form->Search().setList2(std::move(index));
    form->Cfg().quickSearch = false;

    QElapsedTimer t;
    t.start();
    type("e");
    control<ListView>(*form, "List1")->viewport()->repaint();
    const qint64 first = t.restart();
    EXPECT_EQ(control<ListView>(*form, "List1")->ListItems().Count(), 1'000'000);
    // Digits typed into the box run results, so the rest comes in at once.
    control<QLineEdit>(*form, "Text2")->setText("entry 99999");
    const qint64 more = t.restart();
    EXPECT_EQ(titles(), (QStringList{"Entry 99999 of the index"} + [] {
                  QStringList l;
                  for (int i = 0; i < 10; ++i)
                      l << QStringLiteral("Entry %1 of the index").arg(999990 + i);
                  return l;
              }()));
    control<QLineEdit>(*form, "Text2")->clear();
    control<ListView>(*form, "List1")->viewport()->repaint();
    const qint64 all = t.restart();
    EXPECT_EQ(control<ListView>(*form, "List1")->ListItems().Count(), 1'000'000);
    EXPECT_EQ(control<ListView>(*form, "List1")->ListItems().SubItem(1'000'000, 1),
              "Entry 999999 of the index\t/usr/share/applications/e999999.desktop");
    std::printf(
        "[ figures  ] 1,000,000 lines: first letter %lld ms, the rest of the text %lld ms, "
        "back to all %lld ms\n",
        static_cast<long long>(first), static_cast<long long>(more), static_cast<long long>(all));
}

namespace {

// The file-system search over a program folder whose settings name a
// temporary tree.
class FileSystemSearch : public FormFixture {
protected:
    QTemporaryDir treeDir;
    QString tree;

    void SetUp() override {
        tree = treeDir.path() + "/tree";
        QDir().mkpath(tree + "/sub");
        touchFile(tree + "/a.exe");
        touchFile(tree + "/sub/b.txt");
        writeList("Brennomix", {"Games\t\t\t\t\t", "Edit\tgedit"});
        writeList("mGames", {"Chess\tchess"});
    }
    static void touchFile(const QString& p) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    Form1& startSearching() {
        start();
        form->Cfg().fsSearchPaths = tree;
        return *form;
    }
    void type(const QString& text) { QTest::keyClicks(control<QLineEdit>(*form, "Text2"), text); }
    bool built() const {
        return waitFor([&] { return !form->Search().scanBusy(); });
    }
    QStringList indexFileLines() const {
        return QString::fromUtf8(readFile("FsSearch.txt")).split("\r\n", Qt::SkipEmptyParts);
    }
    QStringList expectedIndex() const {
        return {"Games\t\t\t\t\t", "Edit\tgedit", "Chess\tchess", "a.exe\ta.exe\t" + tree + "/",
                "b.txt\tb.txt\t" + tree + "/sub/"};
    }
};

}  // namespace

TEST_F(FileSystemSearch, FirstSearchScansWritesTheFileAndFindsFiles) {
    startSearching();
    form->mSearch("searchFS");
    EXPECT_TRUE(control<QLineEdit>(*form, "Text2")->isVisible());
    EXPECT_EQ(control<QLineEdit>(*form, "Text2")->text(), QString());
    EXPECT_EQ(control<ListView>(*form, "List1")->ListItems().Count(), 0);
    EXPECT_EQ(control<ListView>(*form, "List1")->BackColor(), listfile::rgb(192, 255, 192));
    EXPECT_EQ(form->windowTitle(), "Brennomix (Scanning...)");

    ASSERT_TRUE(built());
    EXPECT_EQ(form->windowTitle(), "Brennomix (5 items found.)");
    EXPECT_EQ(indexFileLines(), expectedIndex());
    // It names the user's files: for the user's eyes only.
    EXPECT_EQ(QFile(path("FsSearch.txt")).permissions() & 0x0FFF,
              QFileDevice::ReadUser | QFileDevice::WriteUser);

    type("B.T");
    EXPECT_EQ(titles(), QStringList{"b.txt"});
    form->ToggleStayOpen();
    QTest::keyClick(control<QLineEdit>(*form, "Text2"), Qt::Key_Return);
    EXPECT_EQ(plat.callsStartingWith("shellExecute|b.txt|").size(), 1);

    // F3 again closes the box and keeps the rows.
    form->mSearch("searchFS");
    EXPECT_TRUE(control<QLineEdit>(*form, "Text2")->isHidden());
    EXPECT_EQ(titles(), QStringList{"b.txt"});
}

TEST_F(FileSystemSearch, TheNextRunLoadsTheCachedFile) {
    writeFile("FsSearch.txt", "cached\tcached.exe\t/x/\r\nother\r\n");
    startSearching();
    form->mSearch("searchFS");
    EXPECT_FALSE(form->Search().scanBusy());
    EXPECT_EQ(form->windowTitle(), "Brennomix (2 items found.)");
    type("cach");
    EXPECT_EQ(titles(), QStringList{"cached"});
    // Loaded once per run: closing and opening again keeps the index.
    form->mSearch("searchFS");
    writeFile("FsSearch.txt", "changed\r\n");
    form->mSearch("searchFS");
    type("cach");
    EXPECT_EQ(titles(), QStringList{"cached"});
}

TEST_F(FileSystemSearch, RefreshRebuildsAndNeverStartsASecondBuild) {
    writeFile("FsSearch.txt", "stale\r\n");
    startSearching();
    form->mnuRefresh_Click();
    EXPECT_EQ(form->windowTitle(), "Brennomix (Scanning...)");
    EXPECT_TRUE(form->Search().walking());
    // A refresh and more searches while the walk runs join it.
    form->mnuRefresh_Click();
    form->mSearch("disable");
    form->mSearch("searchFS");
    EXPECT_TRUE(control<QLineEdit>(*form, "Text2")->isVisible());
    type("a.e");
    ASSERT_TRUE(built());
    EXPECT_EQ(indexFileLines(), expectedIndex());
    // The results were refreshed by the build's end.
    EXPECT_EQ(titles(), QStringList{"a.exe"});

    touchFile(tree + "/sub/new.sh");
    form->mnuRefresh_Click();
    ASSERT_TRUE(built());
    EXPECT_EQ(indexFileLines(), expectedIndex() << "new.sh\tnew.sh\t" + tree + "/sub/");
}

// A found sublist entry (five TABs after its title) opens in place.
TEST_F(FileSystemSearch, AFoundSublistOpensInPlace) {
    startSearching();
    form->mSearch("searchFS");
    ASSERT_TRUE(built());
    type("game");
    ASSERT_EQ(titles(), QStringList{"Games"});
    int enter = keycodes::Return;
    form->Text2_KeyUp(enter, 0);
    EXPECT_EQ(form->windowTitle(), "Brennomix Games");
    EXPECT_EQ(titles(), QStringList{"Chess"});
    EXPECT_TRUE(control<QLineEdit>(*form, "Text2")->isHidden());
}

TEST_F(FileSystemSearch, EscapeAndKeypadStarCloseTheBoxOnly) {
    startSearching();
    form->mSearch("all-lists");
    // With no rows found, closing loads the top list.
    int escape = keycodes::Escape;
    form->Form_KeyUp(escape, 0);
    EXPECT_TRUE(control<QLineEdit>(*form, "Text2")->isHidden());
    EXPECT_EQ(titles(), (QStringList{"Games", "Edit"}));
    EXPECT_TRUE(form->isVisible());

    form->Cfg().quickSearch = true;
    form->StartQuickSearch();
    type("edi");
    int star = keycodes::Multiply;
    form->Form_KeyUp(star, 0);
    EXPECT_TRUE(control<QLineEdit>(*form, "Text2")->isHidden());
    EXPECT_EQ(titles(), QStringList{"Edit"});
    EXPECT_EQ(control<QLineEdit>(*form, "Text2")->text(), "edi");
}

TEST_F(FileSystemSearch, TheFirstAllListsSearchLoadsTheCachedIndexWithoutAWalk) {
    const QByteArray cached = "Chess\tchess\r\nold.exe\told.exe\t/x/\r\n";
    writeFile("FsSearch.txt", cached);
    startSearching();
    form->Cfg().quickSearch = false;
    form->mSearch("all-lists");
    EXPECT_FALSE(form->Search().walking());
    type("ches");
    EXPECT_EQ(titles(), QStringList{"Chess"});
    form->mSearch("disable");

    // The file-system search then keeps the loaded index.
    form->mSearch("searchFS");
    EXPECT_FALSE(form->Search().walking());
    type("old");
    EXPECT_EQ(titles(), QStringList{"old.exe"});
    EXPECT_EQ(readFile("FsSearch.txt"), cached);
}

TEST_F(FileSystemSearch, WithoutACacheTheSearchesFindEveryListsEntries) {
    startSearching();
    form->Cfg().quickSearch = false;
    const std::uint32_t plain = control<ListView>(*form, "List1")->BackColor();
    form->mSearch("all-lists");
    EXPECT_FALSE(form->Search().walking());
    EXPECT_EQ(control<ListView>(*form, "List1")->BackColor(), plain);
    type("ches");
    EXPECT_EQ(titles(), QStringList{"Chess"});
    form->mSearch("disable");

    // Ctrl+letter with the quick-search setting off searches the same lines.
    QString top = "Brennomix";
    form->LoadList(top);
    QTest::keyClick(control<ListView>(*form, "List1"), Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(control<QLineEdit>(*form, "Text2")->isVisible());
    EXPECT_EQ(titles(), QStringList{"Chess"});
    EXPECT_FALSE(QFile::exists(path("FsSearch.txt")));
    form->mSearch("disable");

    // The folders are still walked by the first file-system search.
    form->mSearch("searchFS");
    ASSERT_TRUE(built());
    EXPECT_EQ(indexFileLines(), expectedIndex());
}

TEST_F(FileSystemSearch, AChangedListIsOfferedForSavingAndEditModeBlocksTheSearch) {
    startSearching();
    form->SetListDirty(true);
    form->mSearch("all-lists");
    EXPECT_TRUE(dlg.shown.filter("List not saved. Save now?").size() == 1);
    EXPECT_TRUE(control<QLineEdit>(*form, "Text2")->isVisible());
    form->mSearch("disable");

    QString top = "Brennomix";
    form->LoadList(top);
    form->mnuOrder_Click();
    ASSERT_TRUE(form->EditMode());
    form->mSearch("searchFS");
    EXPECT_TRUE(control<QLineEdit>(*form, "Text2")->isHidden());
    EXPECT_FALSE(form->Search().walking());
}
