#include "platform/linkmessage.h"

#include <QStringDecoder>

namespace linkmessage {

namespace {

void appendNumber(QByteArray& out, quint32 v) {
    out.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
}

quint32 numberAt(QByteArrayView bytes, qsizetype at) {
    const auto b = [&](qsizetype k) { return quint32(quint8(bytes[at + k])); };
    return (b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3);
}

// Strict UTF-8 without NUL characters: a command line can hold neither
// invalid bytes nor NULs, so either means the bytes are not ours.
bool decodeWord(QByteArrayView bytes, QString& word) {
    if (bytes.contains('\0')) return false;
    // U+FEFF at a word's start is part of the word, not a byte-order mark.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    word = decoder.decode(bytes);
    return !decoder.hasError();
}

constexpr qsizetype kMarkSize = sizeof(kMark);

}  // namespace

QByteArray encode(const QStringList& words) {
    if (words.isEmpty() || words.size() > kMaxWords) return {};
    QByteArray out(kMark, kMarkSize);
    appendNumber(out, quint32(words.size()));
    for (const QString& w : words) {
        const QByteArray utf8 = w.toUtf8();
        if (utf8.size() > kMaxWordBytes || utf8.contains('\0')) return {};
        appendNumber(out, quint32(utf8.size()));
        out += utf8;
    }
    return out;
}

Decoded decode(QByteArrayView bytes) {
    Decoded d;
    const qsizetype have = bytes.size();
    // The mark is checked on what has arrived, so garbage is refused at once.
    if (QByteArrayView(kMark, std::min(have, kMarkSize)) !=
        bytes.first(std::min(have, kMarkSize))) {
        d.status = Status::Invalid;
        return d;
    }
    qsizetype at = kMarkSize;
    if (have < at + 4) return d;
    const quint32 count = numberAt(bytes, at);
    at += 4;
    if (count == 0 || count > quint32(kMaxWords)) {
        d.status = Status::Invalid;
        return d;
    }
    QStringList words;
    for (quint32 k = 0; k < count; ++k) {
        if (have < at + 4) return d;
        const quint32 length = numberAt(bytes, at);
        at += 4;
        if (length > quint32(kMaxWordBytes)) {
            d.status = Status::Invalid;
            return d;
        }
        if (have < at + qsizetype(length)) return d;
        QString word;
        if (!decodeWord(bytes.sliced(at, length), word)) {
            d.status = Status::Invalid;
            return d;
        }
        words << word;
        at += length;
    }
    d.status = at == have ? Status::Complete : Status::Invalid;
    if (d.status == Status::Complete) d.words = words;
    return d;
}

}  // namespace linkmessage
