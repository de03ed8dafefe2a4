#include <QElapsedTimer>
#include <QTest>

#include <cstdio>

#include "formfixture.h"
#include "lists/listfile.h"

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
    void type(const QString& text) { QTest::keyClicks(form->Text2, text); }
    QStringList sourceLines() const {
        QStringList out;
        for (int i = 1; i <= form->List1->ListItems().Count(); ++i)
            out << form->List1->ListItems().SubItem(i, 1);
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
    EXPECT_EQ(form->List1->BackColor(), listfile::rgb(255, 255, 208));

    form->Text2->clear();
    type("TOOLS");
    EXPECT_EQ(titles(), QStringList{"Tools\ttools.exe"});
    EXPECT_EQ(form->List1->ListItems().ForeColor(1), listfile::rgb(180, 0, 0));
}

TEST_F(QuickSearch, ALetterTypedInTheListOpensTheSearchWithIt) {
    writeList("Brennomix", {"Notepad\tnotepad.exe", "Calc\tcalc.exe", "Nano\tnano"});
    start();
    form->Cfg().quickSearch = true;
    QTest::keyClick(form->List1, Qt::Key_N);
    EXPECT_TRUE(form->Text2->isVisible());
    EXPECT_EQ(form->Text2->text(), "n");
    EXPECT_EQ(titles(), (QStringList{"Notepad", "Nano"}));
    type("a");
    EXPECT_EQ(titles(), QStringList{"Nano"});
}

TEST_F(QuickSearch, EmptyTextShowsEveryLineOfTheSource) {
    open({"one\t1.exe", "", "two\t2.exe", "three\t3.exe"});
    type("tw");
    EXPECT_EQ(titles(), QStringList{"two"});
    QTest::keyClick(form->Text2, Qt::Key_Backspace);
    QTest::keyClick(form->Text2, Qt::Key_Backspace);
    EXPECT_EQ(form->Text2->text(), QString());
    EXPECT_EQ(titles(), (QStringList{"one", "two", "three"}));
    // Ctrl+Backspace empties the text at once.
    type("thr");
    EXPECT_EQ(titles(), QStringList{"three"});
    QTest::keyClick(form->Text2, Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(form->Text2->text(), QString());
    EXPECT_EQ(titles(), (QStringList{"one", "two", "three"}));
}

TEST_F(QuickSearch, FiltersTheIndexWhenQuickSearchIsOffOrInFileSystemSearch) {
    open({"pad list\tlist.exe"});
    form->Search().setList2(SearchLines::fromLines({"pad index\tindex.exe", "other"}));
    form->Cfg().quickSearch = false;
    type("pad");
    EXPECT_EQ(titles(), QStringList{"pad index"});

    form->Cfg().quickSearch = true;
    form->Text2->clear();
    type("pad");
    EXPECT_EQ(titles(), QStringList{"pad list"});

    form->List1->SetBackColor(listfile::rgb(192, 255, 192));
    form->Text2->clear();
    type("pad");
    EXPECT_EQ(titles(), QStringList{"pad index"});
}

TEST_F(QuickSearch, AHiddenBoxFiltersNothing) {
    writeList("Brennomix", {"pad\tpad.exe", "other\to.exe"});
    start();
    form->Search().setList4(SearchLines::fromLines({"pad\tpad.exe"}));
    form->Text2->setText("pad");
    EXPECT_EQ(titles(), (QStringList{"pad", "other"}));
}

// A digit runs the result in that position (stay-open keeps the window and
// the box as they are) and never becomes search text.
TEST_F(QuickSearch, DigitsRunResultsAndNeverBecomeSearchText) {
    open({"a1\ta.exe", "b\tb.exe"});
    form->ToggleStayOpen();
    type("a");
    QTest::keyClick(form->Text2, Qt::Key_1);
    QTest::keyClick(form->Text2, Qt::Key_1, Qt::KeypadModifier);
    EXPECT_EQ(form->Text2->text(), "a");
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
    QTest::keyClick(form->Text2, Qt::Key_Return);
    EXPECT_EQ(form->List1->SelectedItem(), 1);
    EXPECT_TRUE(form->List1->hasFocus());

    form->Text2->setFocus();
    type("x");
    EXPECT_EQ(form->List1->ListItems().Count(), 0);
    QTest::keyClick(form->Text2, Qt::Key_Escape);
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
    form->List1->viewport()->repaint();
    const qint64 first = t.restart();
    EXPECT_EQ(form->List1->ListItems().Count(), 1'000'000);
    // Digits typed into the box run results, so the rest comes in at once.
    form->Text2->setText("entry 99999");
    const qint64 more = t.restart();
    EXPECT_EQ(titles(), (QStringList{"Entry 99999 of the index"} + [] {
                  QStringList l;
                  for (int i = 0; i < 10; ++i)
                      l << QStringLiteral("Entry %1 of the index").arg(999990 + i);
                  return l;
              }()));
    form->Text2->clear();
    form->List1->viewport()->repaint();
    const qint64 all = t.restart();
    EXPECT_EQ(form->List1->ListItems().Count(), 1'000'000);
    EXPECT_EQ(form->List1->ListItems().SubItem(1'000'000, 1),
              "Entry 999999 of the index\t/usr/share/applications/e999999.desktop");
    std::printf(
        "[ figures  ] 1,000,000 lines: first letter %lld ms, the rest of the text %lld ms, "
        "back to all %lld ms\n",
        static_cast<long long>(first), static_cast<long long>(more), static_cast<long long>(all));
}
