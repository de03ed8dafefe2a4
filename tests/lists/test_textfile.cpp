#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

#include "lists/textfile.h"

using textfile::splitLines;

TEST(TextFile, LineEndsCrLfCrAndLfMixed) {
    EXPECT_EQ(splitLines("a\r\nb\rc\nd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\n\r\nb\r\r"), (QStringList{"a", "", "b", ""}));
    EXPECT_EQ(splitLines("only\r\n"), QStringList{"only"});
    EXPECT_TRUE(splitLines("").isEmpty());
    // No field can end in a stray CR, whatever the line ends.
    for (const QString& l : splitLines("x\t\r\ny\t\rz\t\n\r")) EXPECT_FALSE(l.contains(u'\r'));
}

TEST(TextFile, InvalidUtf8LineFallsBackToWindows1252PerLine) {
    // Line 1 UTF-8, line 2 Windows-1252 (e-acute, euro sign, en dash).
    const QByteArray data = "caf\xC3\xA9\r\ncaf\xE9 \x80 \x96\r\n";
    const QStringList lines = splitLines(data);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QString::fromUtf8("café"));
    EXPECT_EQ(lines[1], QString::fromUtf8("café € –"));
}

TEST(TextFile, Utf8ValidatorRejectsMalformedSequences) {
    EXPECT_TRUE(textfile::isValidUtf8("plain ascii"));
    EXPECT_TRUE(textfile::isValidUtf8("\xF0\x9F\x98\x80"));   // emoji
    EXPECT_FALSE(textfile::isValidUtf8("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(textfile::isValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(textfile::isValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_FALSE(textfile::isValidUtf8("\xE2\x82"));          // cut short
}

TEST(TextFile, BinaryGarbageAndNulsDecodeWithoutLoss) {
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i) garbage.append(char((i * 7919) & 0xFF));
    const QStringList lines = splitLines(garbage);
    EXPECT_FALSE(lines.isEmpty());
    const QStringList nul = splitLines(QByteArray("a\0b\tc\r\n", 7));
    ASSERT_EQ(nul.size(), 1);
    EXPECT_EQ(nul[0].size(), 5);
    EXPECT_EQ(nul[0][1], QChar(u'\0'));
}

// One mark is dropped; a first line that begins with U+FEFF itself is
// written behind a mark of its own and so reads back whole.
TEST(TextFile, ByteOrderMarkIsDroppedOnceAndAFirstLineKeepsItsOwn) {
    EXPECT_EQ(splitLines("\xEF\xBB\xBFtitle\tfile\r\n"), QStringList{"title\tfile"});
    for (const QString& first : {QString(QChar(0xFEFF)) + "  x", QString(3, QChar(0xFEFF)) + "x"}) {
        const QStringList lines{first, "y"};
        EXPECT_EQ(splitLines(textfile::encodeLines(lines)), lines);
    }
    // Further lines keep it too, in a file that is UTF-8 and in one that is not.
    EXPECT_EQ(splitLines("a\r\n\xEF\xBB\xBF"
                         "b"),
              (QStringList{"a", QChar(0xFEFF) + QString("b")}));
    EXPECT_EQ(splitLines("\xE9\r\n\xEF\xBB\xBF"
                         "b"),
              (QStringList{"\u00E9", QChar(0xFEFF) + QString("b")}));
}

TEST(TextFile, WriteThenReadRoundTripsEveryLineWithCrLf) {
    QTemporaryDir dir;
    const QString p = dir.filePath("x.ini");
    const QStringList lines{"one\ttwo", "", QString::fromUtf8("ünï\tcödé"), QString(QChar(0))};
    ASSERT_TRUE(textfile::writeLines(p, lines));
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray raw = f.readAll();
    EXPECT_TRUE(raw.endsWith("\r\n"));
    EXPECT_EQ(raw.count("\r\n"), 4);
    QStringList back;
    ASSERT_EQ(textfile::readLines(p, back), textfile::ReadStatus::Ok);
    EXPECT_EQ(back, lines);
}

TEST(TextFile, ReadReportsMissingAndUnreadable) {
    QTemporaryDir dir;
    QStringList lines{"stale"};
    EXPECT_EQ(textfile::readLines(dir.filePath("none"), lines), textfile::ReadStatus::Missing);
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_EQ(textfile::readLines(dir.path(), lines), textfile::ReadStatus::Unreadable);
}

// A pipe or a link to a device named like a list neither holds the reader
// (open and read) nor makes it read for ever; both are unreadable files.
TEST(TextFile, PipesAndDevicesAreRefusedWithoutWaiting) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("mPipe.ini"), zero = dir.filePath("mZero.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(zero).constData()), 0);
    QStringList lines;
    EXPECT_EQ(textfile::readLines(fifo, lines), textfile::ReadStatus::Unreadable);
    EXPECT_EQ(textfile::readLines(zero, lines), textfile::ReadStatus::Unreadable);
    QByteArray bytes;
    EXPECT_EQ(textfile::readBytes(zero, bytes, 100), textfile::ReadStatus::Unreadable);
}

TEST(TextFile, AFileLongerThanItsFormatAllowsIsNotRead) {
    QTemporaryDir dir;
    const QString p = dir.filePath("Brennomix.cfg");
    ASSERT_TRUE(textfile::writeLines(p, {"12345678"}));  // ten bytes with CR LF
    QByteArray bytes;
    EXPECT_EQ(textfile::readBytes(p, bytes, 10), textfile::ReadStatus::Ok);
    EXPECT_EQ(bytes, "12345678\r\n");
    EXPECT_EQ(textfile::readBytes(p, bytes, 9), textfile::ReadStatus::Unreadable);
    EXPECT_TRUE(bytes.isEmpty());
}

TEST(TextFile, TenMegabyteLineSurvives) {
    QTemporaryDir dir;
    const QString p = dir.filePath("big.ini");
    const QString big(10 * 1024 * 1024, u'x');
    ASSERT_TRUE(textfile::writeLines(p, {big, "tail"}));
    QStringList back;
    ASSERT_EQ(textfile::readLines(p, back), textfile::ReadStatus::Ok);
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back[0].size(), big.size());
}

// A full disk: writes beyond the file-size limit come back short. The old
// file must stay byte-identical and the failure must be reported.
TEST(TextFile, FailedWriteLeavesPreviousFileIntact) {
    QTemporaryDir dir;
    const QString p = dir.filePath("list.ini");
    ASSERT_TRUE(textfile::writeLines(p, {"keep\tme"}));
    QStringList big;
    for (int i = 0; i < 20000; ++i) big << QStringLiteral("entry %1\tfile%1.exe").arg(i);

    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool ok = textfile::writeLines(p, big, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.isEmpty());
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("keep\tme\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"list.ini"});
}

TEST(TextFile, WriteIntoMissingFolderFails) {
    QTemporaryDir dir;
    EXPECT_FALSE(textfile::writeLines(dir.filePath("no/such/folder/x.ini"), {"a"}));
}
