// The link message on its own: words go over the link unchanged.
#include <gtest/gtest.h>

#include "platform/linkmessage.h"
#include "qtprinters.h"

using namespace linkmessage;

// U+FEFF at a word's start is a character of the word like any other.
TEST(LinkMessage, WordsDecodeAsTheyWereEncodedEvenWithAByteOrderMarkFirst) {
    const QStringList words{QChar(0xFEFF) + QString("name"), "", "ünï\tcödé"};
    const QByteArray message = encode(words);
    const Decoded d = decode(message);
    ASSERT_EQ(d.status, Status::Complete);
    EXPECT_EQ(d.words, words);
    EXPECT_EQ(decode(QByteArrayView(message).chopped(1)).status, Status::Incomplete);
}

// What the executable relays from its raw arguments, read back by the
// running copy's decoder.
TEST(LinkWire, ACommandLineOfAnyBytesArrivesAsTheWordsThatWereSent) {
    using linkwire::relayWords;
    EXPECT_EQ(relayWords("/QuIt"), (std::vector<std::string>{"aa", "quit"}));
    EXPECT_EQ(relayWords("/quit now")[1], "/quit now");
    // Bytes that are no UTF-8 (a file name in another encoding, a cut
    // sequence, an overlong form, a surrogate) stand as U+FFFD, so the
    // running copy accepts the words instead of dropping them as garbage.
    const std::string raw(
        "a\xff"
        "b\xc0\x80"
        "c\xed\xa0\x80"
        "d\xe2\x82",
        12);
    const std::vector<std::string> words = relayWords(raw);
    const Decoded d = decode(QByteArray::fromStdString(linkwire::encode(words)));
    ASSERT_EQ(d.status, Status::Complete);
    EXPECT_EQ(d.words[1], QString::fromUtf8(raw));
    const std::string kept = "\xef\xbb\xbf\xc3\xbc\xf0\x9f\x98\x80";
    EXPECT_EQ(relayWords(kept)[1], kept);
    // Words the decoder would refuse are never sent.
    EXPECT_TRUE(linkwire::encode({"aa", std::string("x\0y", 3)}).empty());
    EXPECT_TRUE(linkwire::encode({"aa", "\xc3"}).empty());
    EXPECT_TRUE(linkwire::encode({"aa", std::string(kMaxWordBytes + 1, 'x')}).empty());
}
