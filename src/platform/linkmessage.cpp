#include "platform/linkmessage.h"

#include <QStringDecoder>

namespace linkmessage {

QByteArray encode(const QStringList& words) {
    std::vector<std::string> utf8;
    utf8.reserve(size_t(words.size()));
    for (const QString& w : words) utf8.push_back(w.toStdString());
    const std::string message = linkwire::encode(utf8);
    return QByteArray(message.data(), qsizetype(message.size()));
}

Decoded decode(QByteArrayView bytes) {
    const linkwire::Decoded wire =
        linkwire::decode(std::string_view(bytes.data(), size_t(bytes.size())));
    Decoded d;
    d.status = wire.status;
    for (const std::string& w : wire.words) {
        // U+FEFF at a word's start is part of the word, not a byte-order mark.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                         QStringDecoder::Flag::ConvertInitialBom);
        d.words << decoder.decode(QByteArrayView(w.data(), qsizetype(w.size())));
    }
    return d;
}

}  // namespace linkmessage
