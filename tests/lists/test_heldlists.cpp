// Lists held as their file's bytes: what a load keeps, what a save writes
// back, and a million entries loaded, filtered and shown again.
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "controls.h"
#include "lists/listdocument.h"
#include "lists/listrows.h"
#include "runfixture.h"
#include "search/quicksearch.h"
#include "search/searchlines.h"

namespace {

QByteArray joinFields(std::initializer_list<QByteArray> fields) {
    QByteArray out;
    for (const QByteArray& f : fields)
        out += (out.isEmpty() && &f == fields.begin() ? "" : "\t") + f;
    return out;
}

// A line of the list file for entry i (from 0): every thousandth is green
// and bold, one holds bytes that are not UTF-8 and a NUL.
QByteArray millionLine(int i) {
    static const char odd[] = "Caf\xE9 \x00 bar\tcaf\xE9\t\t\t\t";
    if (i == 500'000) return QByteArray(odd, sizeof odd - 1);
    const QByteArray n = QByteArray::number(i);
    if (i % 1000 == 0)
        return joinFields({"Entry " + n, "/usr/bin/tool" + n, "", "", "0,128,0", "Bold"});
    return joinFields({"Entry " + n, "/usr/bin/tool" + n, "", "", "", ""});
}

// The file of a million entries, LF and CR LF ends alternating and the last
// line without one; `saved` gets the bytes a save writes for it.
QByteArray millionFile(QByteArray* saved) {
    QByteArray out, again;
    out.reserve(50 << 20);
    again.reserve(50 << 20);
    for (int i = 0; i < 1'000'000; ++i) {
        const QByteArray line = millionLine(i);
        out += line;
        if (i + 1 < 1'000'000) out += i % 2 ? "\r\n" : "\n";
        again += line + "\r\n";
    }
    *saved = again;
    return out;
}

class HeldList : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ListDocument doc;

    QString file() const { return dir.path() + "/Brennomix.ini"; }
    void write(const QByteArray& bytes) const {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    QByteArray read() const {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool load() { return doc.load(dir.path(), "Brennomix"); }
};

}  // namespace

TEST_F(HeldList, UntouchedEntriesKeepTheirBytesAndChangedOnesAreWrittenAsUtf8) {
    static const char oddBytes[] = "Caf\xE9\tcaf\xE9.sh\t/opt/\x00x\t-v\t1,2,3\tBold";
    const QByteArray odd(oddBytes, sizeof oddBytes - 1);
    write("first\tone.sh\t\t\t\t\n" + odd + "\r\n\r\nTools\rplain\ttwo\n" +
          "last\tthree.sh\t\t\t0,0,255\tBold");
    ASSERT_TRUE(load());
    ASSERT_EQ(doc.count(), 5);  // the empty line is no entry
    EXPECT_EQ(doc.title(2), QString::fromUtf8("Café"));
    EXPECT_EQ(doc.field(2, 2), QString("/opt/") + QChar(u'\0') + "x");
    EXPECT_EQ(doc.color(2), listfile::rgb(1, 2, 3));
    EXPECT_TRUE(doc.bold(2));
    EXPECT_EQ(doc.color(3), listfile::kSublistColor);
    EXPECT_EQ(doc.entry(5).fields[0], "three.sh");
    EXPECT_EQ(doc.color(5), listfile::rgb(0, 0, 255));

    doc.setField(4, 1, QString::fromUtf8("zwei é"));
    ASSERT_TRUE(doc.save());
    const QByteArray saved =
        "first\tone.sh\t\t\t\t\r\n" + odd + "\r\nTools\t\t\t\t\t\r\n" +
        "plain\tzwei \xC3\xA9\t\t\t\t\r\nlast\tthree.sh\t\t\t0,0,255\tBold\r\n";
    EXPECT_EQ(read(), saved);
    // What was written is what is held now: read again, the same entries.
    ListDocument again;
    ASSERT_TRUE(again.load(dir.path(), "Brennomix"));
    EXPECT_EQ(again.entries(), doc.entries());
}

// A line whose only byte that is not UTF-8 lies past the sixth field reads
// as Windows-1252: the fields kept must read the same after a save.
TEST_F(HeldList, FieldsDroppedBySavingNeverChangeHowTheRestReads) {
    write("Caf\xC3\xA9\tx.sh\t\t\t\t\t\xE9\r\n");
    ASSERT_TRUE(load());
    const std::vector<ListEntry> before = doc.entries();
    ASSERT_TRUE(doc.save());
    ListDocument again;
    ASSERT_TRUE(again.load(dir.path(), "Brennomix"));
    EXPECT_EQ(again.entries(), before);
}

// The rows a view was given stay as they were when the list changes after.
TEST_F(HeldList, RowsGivenToAViewAreNotChangedByLaterEdits) {
    write("a\ta.sh\r\nb\tb.sh\r\nc\tc.sh\r\n");
    ASSERT_TRUE(load());
    const std::shared_ptr<const ListRows> shown = doc.rows();
    doc.swap(1, 3);
    doc.setTitle(2, "changed");
    doc.remove(1);
    doc.add(ListEntry{"new", {}, listfile::kDefaultTextColor, false});
    EXPECT_EQ(shown->count(), 3);
    EXPECT_EQ(shown->title(1), "a");
    EXPECT_EQ(shown->title(2), "b");
    EXPECT_EQ(shown->title(3), "c");
    EXPECT_EQ(doc.count(), 3);
    EXPECT_EQ(doc.title(1), "changed");
    EXPECT_EQ(doc.title(3), "new");
}

// Going back to a list shows the entries held, unless another program
// changed the file meanwhile (same size, same second: the content decides).
TEST_F(HeldList, ReopeningDropsChangesHereAndReadsAFileChangedElsewhere) {
    write("alpha\ta\r\n");
    ASSERT_TRUE(load());
    const std::shared_ptr<const SearchLines> held = doc.heldLines();
    doc.setTitle(1, "mine");
    ASSERT_TRUE(doc.reopen(dir.path(), "Brennomix"));
    EXPECT_EQ(doc.heldLines(), held);
    EXPECT_EQ(doc.title(1), "alpha");
    EXPECT_FALSE(doc.dirty());

    write("bravo\tb\r\n");
    ASSERT_TRUE(doc.reopen(dir.path(), "Brennomix"));
    EXPECT_NE(doc.heldLines(), held);
    EXPECT_EQ(doc.title(1), "bravo");
}

TEST_F(HeldList, AMillionEntriesLoadFilterComeBackAndSaveAsTheyWereRead) {
    QByteArray saved;
    write(millionFile(&saved));
    ASSERT_TRUE(load());
    ASSERT_EQ(doc.count(), 1'000'000);
    EXPECT_EQ(doc.title(1), "Entry 0");
    EXPECT_EQ(doc.field(1'000'000, 1), "/usr/bin/tool999999");
    EXPECT_EQ(doc.color(3001), listfile::rgb(0, 128, 0));
    EXPECT_TRUE(doc.bold(3001));
    EXPECT_FALSE(doc.bold(3002));
    EXPECT_EQ(doc.title(500'001), QString::fromUtf8("Café ") + QChar(u'\0') + " bar");

    const std::shared_ptr<const SearchLines> lines = doc.heldLines();
    ResultRows found(
        lines->size(), [lines](int i) { return lines->line(i); }, &quicksearch::rowText,
        &quicksearch::rowColor);
    found.assign(quicksearch::filter(*lines, foldSearchText("ENTRY 99999")));
    ASSERT_EQ(found.count(), 11);
    EXPECT_EQ(found.title(1), "Entry 99999");
    EXPECT_EQ(found.field(11, 1), QString::fromLatin1(millionLine(999'999)));

    ASSERT_TRUE(doc.reopen(dir.path(), "Brennomix"));
    EXPECT_EQ(doc.heldLines(), lines);
    ASSERT_TRUE(doc.save());
    EXPECT_EQ(read(), saved);
}

// The same through the window: the letter filters the rows the list holds,
// Escape and Backspace show the list again as it was read.
using HeldRowsOnScreen = RunFixture;

TEST_F(HeldRowsOnScreen, AMillionEntriesFilterAndComeBackWithoutReadingTheFileAgain) {
    QByteArray saved;
    plat.work = QRect(0, 0, 1280, 400);
    writeFile("Brennomix.ini", millionFile(&saved));
    start();
    form->activateWindow();
    waitFor([this] { return form->isActiveWindow(); }, 2000);
    form->Cfg().quickSearch = true;
    const ListModel& rows = control<ListView>(*form, "List1")->ListItems();
    ASSERT_EQ(rows.Count(), 1'000'000);
    EXPECT_EQ(rows.Text(1'000'000), "Entry 999999");
    EXPECT_EQ(rows.ForeColor(1001), listfile::rgb(0, 128, 0));
    const std::shared_ptr<const SearchLines> held = form->Model().list().heldLines();

    control<ListView>(*form, "List1")->setFocus();
    key(Qt::Key_Z);
    EXPECT_EQ(form->Search().List4(), held);
    EXPECT_EQ(rows.Count(), 0);
    for (const QString& more : {QStringLiteral("9"), QStringLiteral("99")}) {
        control<QLineEdit>(*form, "Text2")->setText("entry 9999" + more);
        EXPECT_EQ(rows.Count(), more.size() == 1 ? 11 : 1);
    }
    EXPECT_EQ(rows.SubItem(1, 1), QString::fromLatin1(millionLine(999'999)));

    key(Qt::Key_Escape);
    EXPECT_FALSE(control<QLineEdit>(*form, "Text2")->isVisible());
    control<ListView>(*form, "List1")->setFocus();
    key(Qt::Key_Backspace);
    EXPECT_EQ(form->Model().list().heldLines(), held);
    ASSERT_EQ(rows.Count(), 1'000'000);
    EXPECT_EQ(rows.Text(1), "Entry 0");
    EXPECT_TRUE(rows.Bold(1'000'000 - 999));
    ASSERT_TRUE(form->SaveList());
    EXPECT_EQ(readFile("Brennomix.ini"), saved);
}
