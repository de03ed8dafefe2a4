#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "lists/contrast.h"
#include "lists/listview.h"
#include "waitfor.h"

namespace {
ListModel::Row row(const QString& text, const QString& file = QString()) {
    ListModel::Row r;
    r.text = text;
    r.sub[0] = file;
    return r;
}

// "Entry 1" to "Entry n", decoded as they are read, like a list file's rows.
class NumberedRows final : public ListRows {
public:
    explicit NumberedRows(int n) : n_(n) {}
    int count() const override { return n_; }
    ListEntry entry(int i) const override {
        ListEntry e;
        e.title = QStringLiteral("Entry %1").arg(i);
        return e;
    }

private:
    int n_;
};

// Counts the view's walks over all of its rows.
class CountingView : public ListView {
public:
    int layouts = 0;
    void doItemsLayout() override {
        ++layouts;
        ListView::doItemsLayout();
    }
};
}  // namespace

TEST(ListModel, PassesTheItemModelTesterThroughEveryOperation) {
    ListModel m;
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(m.Add("a"), 1);
    EXPECT_EQ(m.Add("b"), 2);
    m.AddRows({row("c", "c.exe"), row("d")});
    m.SetSubItem(2, 3, "args");
    m.SetForeColor(1, listfile::rgb(1, 2, 3));
    m.SetBold(2, true);
    m.Swap(1, 4);
    m.Remove(2);
    m.SetColumnText(2, "Filename");
    EXPECT_EQ(m.Count(), 3);
    EXPECT_EQ(m.Text(1), "d");
    EXPECT_EQ(m.Text(3), "a");
    EXPECT_EQ(m.ForeColor(3), listfile::rgb(1, 2, 3));
    EXPECT_EQ(m.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Filename");
    m.SetResultSource({"x\tx.exe", "!y\ty.exe"},
                      [](const QString& l) { return l.section(u'\t', 0, 0); });
    m.AddResults({1, 0}, {listfile::rgb(180, 0, 0), listfile::kDefaultTextColor});
    EXPECT_EQ(m.Text(1), "!y");
    EXPECT_EQ(m.SubItem(1, 1), "!y\ty.exe");
    m.Clear();
    EXPECT_EQ(m.Count(), 0);
}

TEST(ListModel, OutOfRangeRowsAreHarmless) {
    ListModel m;
    EXPECT_EQ(m.Text(1), QString());
    m.SetText(0, "x");
    m.SetSubItem(5, 1, "x");
    m.Remove(3);
    m.Swap(1, 2);
    EXPECT_EQ(m.Count(), 0);
}

// A field of megabytes shows only its start (never half a character), while
// the row keeps every character for saving.
TEST(ListModel, AHugeFieldShowsItsStartAndKeepsEveryCharacter) {
    ListModel m;
    const QString huge = QString(listfile::kMaxShownChars - 1, u'a') + QString::fromUtf8("😀") +
                         QString(1 << 20, u'b');
    m.AddRows({row(huge, huge)});
    for (int column : {0, 1}) {
        const QString shown = m.data(m.index(0, column), Qt::DisplayRole).toString();
        EXPECT_EQ(shown, huge.left(listfile::kMaxShownChars - 1)) << column;
    }
    EXPECT_EQ(m.Text(1), huge);
    EXPECT_EQ(m.SubItem(1, 1), huge);
    m.SetText(1, "short");
    EXPECT_EQ(m.data(m.index(0, 0), Qt::DisplayRole).toString(), "short");
}

TEST(ListModel, ResultRowsReferToTheirSourceLines) {
    ListModel m;
    QStringList source;
    for (int i = 0; i < 1000; ++i) source << QStringLiteral("title %1\tfile%1").arg(i);
    m.SetResultSource(source, [](const QString& l) { return l.section(u'\t', 0, 0); });
    m.AddResults({999, 5}, {});
    EXPECT_EQ(m.Text(1), "title 999");
    EXPECT_EQ(m.SubItem(1, 1), "title 999\tfile999");
    // The source list is shared with the model, not copied.
    EXPECT_EQ(m.ResultSource().constData(), source.constData());
    m.SetSubItem(2, 1, QString());
    EXPECT_EQ(m.SubItem(2, 1), QString());
    m.SetText(2, " ! renamed");
    EXPECT_EQ(m.Text(2), " ! renamed");
}

// Result rows are kept as bare references until one is changed; every
// operation sees the same rows either way.
TEST(ListModel, ResultRowsTakeTheirColourFromTheLineAndSurviveEdits) {
    ListModel m;
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QStringList source = {"a\ta.exe", "!b\tb.exe", "c\tc.exe"};
    m.SetResultSource(
        source, [](const QString& l) { return l.section(u'\t', 0, 0); },
        [](const QString& l) { return l.startsWith(u'!') ? 180u : listfile::kDefaultTextColor; });
    m.AddResults({1, 2, 0}, {listfile::rgb(0, 0, 9)});
    EXPECT_EQ(m.Count(), 3);
    EXPECT_EQ(m.ForeColor(1), listfile::rgb(0, 0, 9));  // given
    EXPECT_EQ(m.ForeColor(2), listfile::kDefaultTextColor);
    m.AddResults({1}, {});
    EXPECT_EQ(m.ForeColor(4), 180u);  // from its line
    EXPECT_FALSE(m.Bold(4));

    m.SetBold(2, true);
    EXPECT_TRUE(m.Bold(2));
    EXPECT_EQ(m.ForeColor(4), 180u);
    EXPECT_EQ(m.Text(3), "a");
    EXPECT_EQ(m.SubItem(3, 1), "a\ta.exe");
    m.Swap(1, 3);
    EXPECT_EQ(m.Text(1), "a");
    EXPECT_EQ(m.ForeColor(3), listfile::rgb(0, 0, 9));
    m.Remove(1);
    m.Add("plain");
    EXPECT_EQ(m.Count(), 4);
    EXPECT_EQ(m.Text(4), "plain");
    EXPECT_EQ(m.SubItem(4, 1), QString());
    // More results after full rows are full rows too.
    m.AddResults({0}, {});
    EXPECT_EQ(m.Text(5), "a");
}

TEST(ListView, SelectionCurrentRowAndColumns) {
    ListView v;
    v.ListItems().AddRows({row("a"), row("b"), row("c")});
    EXPECT_EQ(v.SelectedItem(), 0);
    v.SetSelected(2, true);
    EXPECT_EQ(v.SelectedItem(), 2);
    EXPECT_TRUE(v.Selected(2));
    // The current row stays when its mark is taken off.
    v.SetSelected(2, false);
    EXPECT_EQ(v.SelectedItem(), 2);
    EXPECT_FALSE(v.Selected(2));
    v.SetColumnWidth(1, 3900);
    v.SetColumnWidth(2, 0);
    EXPECT_FALSE(v.isColumnHidden(0));
    EXPECT_TRUE(v.isColumnHidden(1));
    v.SetColumnWidth(2, 1500);
    EXPECT_EQ(v.columnWidth(1), 100);  // 1500 twips at 15 twips a pixel
    EXPECT_TRUE(v.HideColumnHeaders());
}

TEST(ListView, TypedCharacterSelectsTheNextRowBeginningWithIt) {
    ListView v;
    v.SetColumnWidth(1, 3900);
    v.resize(300, 200);
    v.show();
    v.ListItems().AddRows({row("alpha"), row("beta"), row("bravo"), row("charlie")});
    v.setFocus();
    QTest::keyClick(&v, Qt::Key_B);
    EXPECT_EQ(v.SelectedItem(), 2);
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClick(&v, Qt::Key_B);
    EXPECT_EQ(v.SelectedItem(), 3);
}

TEST(ListView, KeyAndMouseEventsArriveInTheProgramsTerms) {
    ListView v;
    v.resize(300, 200);
    v.show();
    v.SetTwipsPerPixel(15, 15);
    v.SetColumnWidth(1, 3900);
    v.SetRowHeight(16);
    v.ListItems().AddRows({row("a"), row("b"), row("c")});
    int lastKey = -1, lastShift = -1, pressed = 0;
    float lastY = -1;
    v.onKeyDown = [&](int& k, int s) {
        lastKey = k;
        lastShift = s;
        if (k == 40) k = 0;  // swallow Down
    };
    v.onMouseDown = [&](int b, int, float, float y) {
        pressed = b;
        lastY = y;
    };
    v.SetSelected(1, true);
    QTest::keyClick(&v, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(lastKey, 40);
    EXPECT_EQ(lastShift, 3);
    EXPECT_EQ(v.SelectedItem(), 1);  // swallowed: the view did not move
    QTest::keyClick(&v, Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(lastKey, 101);
    QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, QPoint(10, 20));
    EXPECT_EQ(pressed, 1);
    EXPECT_FLOAT_EQ(lastY, 300);  // 20 pixels down the rows
    EXPECT_EQ(v.SelectedItem(), 2);
}

// A million rows load in one insertion and scroll without a visible stall;
// the figures are printed, not asserted (timings belong to the benchmarks).
TEST(ListView, MillionRowsLoadAndScroll) {
    ListView v;
    v.SetColumnWidth(1, 3900);
    v.resize(400, 600);
    v.show();
    std::vector<ListModel::Row> rows(1'000'000);
    for (size_t i = 0; i < rows.size(); ++i) rows[i].text = QString::number(i);
    QElapsedTimer t;
    t.start();
    v.ListItems().AddRows(std::move(rows));
    QCoreApplication::processEvents();
    const qint64 load = t.elapsed();
    t.restart();
    QScrollBar* sb = v.verticalScrollBar();
    for (int step = 0; step < 50; ++step) {
        sb->setValue(sb->maximum() * step / 49);
        v.viewport()->repaint();
    }
    const qint64 scroll = t.elapsed();
    EXPECT_EQ(v.ListItems().Count(), 1'000'000);
    EXPECT_EQ(sb->value(), sb->maximum());
    EXPECT_EQ(v.ListItems().Text(1'000'000), "999999");
    std::printf("[ figures  ] 1,000,000 rows: insert+layout %lld ms, 50 scroll repaints %lld ms\n",
                static_cast<long long>(load), static_cast<long long>(scroll));
}

// A window hidden in the tray gets its list back while hidden; called back,
// it paints the rows it holds without first walking all of them, and shows
// them from the first row with none chosen.
TEST(ListView, RowsGivenWhileHiddenAreLaidOutBeforeTheViewIsShownAgain) {
    CountingView v;
    v.SetColumnWidth(1, 3900);
    v.resize(300, 200);
    v.show();
    v.ListItems().SetRows(std::make_shared<NumberedRows>(20));
    ASSERT_TRUE(waitFor([&] { return v.indexAt(QPoint(5, 5)).isValid(); }));
    v.hide();
    v.ListItems().SetRows(std::make_shared<NumberedRows>(100'000));
    const int whileHidden = v.layouts;
    v.show();
    ASSERT_TRUE(waitFor([&] { return v.isVisible(); }));
    v.viewport()->repaint();
    EXPECT_EQ(v.layouts, whileHidden);
    EXPECT_EQ(v.indexAt(QPoint(5, 5)).row(), 0);
    EXPECT_EQ(v.SelectedItem(), 0);
    EXPECT_EQ(v.verticalScrollBar()->value(), 0);
    EXPECT_GT(v.verticalScrollBar()->maximum(), 0);
}

// A dark theme keeps the stored colours but draws them legibly; a search's
// pale background takes them back as they are.
TEST(ListView, RowColoursAreDrawnLegiblyOnTheViewsBackground) {
    ListView v;
    QPalette p = v.palette();
    p.setColor(QPalette::Base, QColor(42, 42, 42));
    v.setPalette(p);
    ListModel& m = v.ListItems();
    m.Add("tools");
    m.SetForeColor(1, listfile::rgb(180, 0, 0));
    auto shown = [&] {
        return valueFromColor(m.data(m.index(0, 0), Qt::ForegroundRole).value<QColor>());
    };
    EXPECT_GE(contrast::ratio(shown(), listfile::rgb(42, 42, 42)), contrast::kReadable);
    EXPECT_EQ(m.ForeColor(1), listfile::rgb(180, 0, 0));
    v.SetBackColor(listfile::rgb(255, 255, 208));
    EXPECT_EQ(shown(), listfile::rgb(180, 0, 0));
}
