#include "app/commandword.h"

#include <QStringDecoder>

namespace commandword {

QStringList relayWords(const QString& commandLine) {
    QStringList words;
    for (const std::string& w : linkwire::relayWords(commandLine.toStdString())) {
        // A U+FEFF the command line begins with is kept as it stands.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                         QStringDecoder::Flag::ConvertInitialBom);
        words << decoder.decode(QByteArrayView(w.data(), qsizetype(w.size())));
    }
    return words;
}

namespace {
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
}  // namespace

bool isNumeric(QStringView text) {
    qsizetype i = 0, n = text.size();
    while (i < n && isBlank(text[i])) ++i;
    while (n > i && isBlank(text[n - 1])) --n;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text[i])) ++i, ++digits;
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
        qsizetype exponent = 0;
        while (i < n && isDigit(text[i])) ++i, ++exponent;
        if (exponent == 0) return false;
    }
    return i == n;
}

int digitEntry(QChar c) {
    if (!isDigit(c)) return 0;
    const int d = c.unicode() - u'0';
    return d == 0 ? 10 : d;
}

}  // namespace commandword
