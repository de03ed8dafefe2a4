#include <gtest/gtest.h>

#include "app/commandword.h"
#include "platform/linkmessage.h"

using namespace commandword;

TEST(CommandWord, SecondCopyRelaysTheDummyWordThenItsCommandLine) {
    EXPECT_EQ(relayWords(""), (QStringList{"aa", ""}));
    EXPECT_EQ(relayWords("/QuIt"), (QStringList{"aa", "quit"}));
    EXPECT_EQ(relayWords("QUIT"), (QStringList{"aa", "QUIT"}));
    EXPECT_EQ(relayWords("/r /sh -c 'x'"), (QStringList{"aa", "/r /sh -c 'x'"}));
}

TEST(CommandWord, NumericTestAcceptsSignsPointsExponentsAndBlanks) {
    for (const char* yes :
         {"123", "0", " 12 ", "+1", "-1", "1.5", ".5", "5.", "1e5", "1E+5", "2d-3", "\t7"})
        EXPECT_TRUE(isNumeric(QString::fromLatin1(yes))) << yes;
    for (const char* no :
         {"", " ", "+", ".", "e5", "1e", "12a", "1 2", "--1", "1.2.3", "abc", "1,000"})
        EXPECT_FALSE(isNumeric(QString::fromLatin1(no))) << no;
}

TEST(CommandWord, DigitsSelectEntriesOneToTen) {
    EXPECT_EQ(digitEntry(u'1'), 1);
    EXPECT_EQ(digitEntry(u'9'), 9);
    EXPECT_EQ(digitEntry(u'0'), 10);
    EXPECT_EQ(digitEntry(u'.'), 0);
    EXPECT_EQ(digitEntry(u'-'), 0);
    EXPECT_EQ(digitEntry(QChar(0x0663)), 0);  // an Arabic-Indic three
}

using namespace linkmessage;

TEST(LinkMessage, RoundTripsWordsArrivingInPieces) {
    const QStringList words = {"aa", "", "/r /sh -c 'echo ä €'", "mtools"};
    const QByteArray bytes = encode(words);
    ASSERT_FALSE(bytes.isEmpty());
    for (qsizetype n = 0; n < bytes.size(); ++n)
        ASSERT_EQ(decode(bytes.first(n)).status, Status::Incomplete) << n;
    const Decoded d = decode(bytes);
    EXPECT_EQ(d.status, Status::Complete);
    EXPECT_EQ(d.words, words);
}

TEST(LinkMessage, RefusesWhatBreaksTheBounds) {
    EXPECT_TRUE(encode({}).isEmpty());
    EXPECT_TRUE(encode(QStringList(kMaxWords + 1, "x")).isEmpty());
    EXPECT_TRUE(encode({QString(kMaxWordBytes + 1, u'x')}).isEmpty());
    EXPECT_TRUE(encode({QString(kMaxWordBytes / 2 + 1, QChar(0xe9))}).isEmpty());  // 2 bytes each
    EXPECT_FALSE(encode({QString(kMaxWordBytes, u'x')}).isEmpty());
    EXPECT_TRUE(encode({QStringLiteral("a\0b")}).isEmpty());
}

TEST(LinkMessage, DropsGarbageAsSoonAsItShows) {
    const QByteArray good = encode({"aa", "mtools"});
    auto status = [](const QByteArray& b) { return decode(b).status; };
    EXPECT_EQ(status("GET / HTTP/1.0\r\n"), Status::Invalid);
    EXPECT_EQ(status("X"), Status::Invalid);
    EXPECT_EQ(status(good + "x"), Status::Invalid);
    // A count of words out of bounds, known before any word arrives.
    QByteArray none = good.first(8) + QByteArray("\0\0\0\0", 4);
    EXPECT_EQ(status(none), Status::Invalid);
    QByteArray many = good.first(8) + QByteArray("\0\0\1\0", 4);
    EXPECT_EQ(status(many), Status::Invalid);
    // An oversized word is refused from its length alone.
    QByteArray huge = good.first(12) + QByteArray("\0\1\0\0", 4);
    EXPECT_EQ(status(huge), Status::Invalid);
    // Invalid UTF-8 and NUL characters are not a command line.
    QByteArray bad = good;
    bad[bad.size() - 1] = char(0xff);
    EXPECT_EQ(status(bad), Status::Invalid);
    bad[bad.size() - 1] = '\0';
    EXPECT_EQ(status(bad), Status::Invalid);
}
