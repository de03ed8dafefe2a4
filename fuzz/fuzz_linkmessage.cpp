// The link message decoder, fed whatever a peer may send: a complete
// message is exactly what encoding its words gives, every beginning of it is
// incomplete, and nothing may follow it.
#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include "fuzzcheck.h"
#include "platform/linkmessage.h"

using namespace linkmessage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const Decoded d = decode(bytes);
    if (d.status == Status::Complete) {
        FUZZ_CHECK(!d.words.isEmpty() && d.words.size() <= kMaxWords);
        FUZZ_CHECK(encode(d.words) == bytes);
        for (qsizetype cut = 0; cut < bytes.size(); cut += 1 + bytes.size() / 64)
            FUZZ_CHECK(decode(bytes.first(cut)).status == Status::Incomplete);
        FUZZ_CHECK(decode(bytes.toByteArray() + 'x').status == Status::Invalid);
    } else {
        FUZZ_CHECK(d.words.isEmpty());
        // Garbage stays garbage however much more arrives.
        if (d.status == Status::Invalid)
            FUZZ_CHECK(decode(bytes.toByteArray() + QByteArray(16, '\0')).status ==
                       Status::Invalid);
    }

    // The same bytes as words of a message that encodes them: it decodes
    // back to those words, or the words break the bounds and nothing is sent.
    const QStringList words = QString::fromUtf8(bytes).split(u'\x1f');
    const QByteArray message = encode(words);
    if (!message.isEmpty()) {
        const Decoded back = decode(message);
        FUZZ_CHECK(back.status == Status::Complete);
        FUZZ_CHECK(back.words == words);
    } else {
        bool outOfBounds = words.size() > kMaxWords;
        for (const QString& w : words)
            outOfBounds = outOfBounds || w.toUtf8().size() > kMaxWordBytes || w.contains(QChar(0));
        FUZZ_CHECK(outOfBounds);
    }
    return 0;
}
