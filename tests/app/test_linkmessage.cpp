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
