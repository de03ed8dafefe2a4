#include "platform/commandline.h"

namespace commandline {

QStringList split(const QString& line) {
    QStringList words;
    QString word;
    bool inWord = false;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = line[i];
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') {
            if (inWord) words << word;
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == u'\'') {
            const qsizetype end = line.indexOf(u'\'', i + 1);
            const qsizetype stop = end < 0 ? n : end;
            word += line.mid(i + 1, stop - i - 1);
            i = stop;
        } else if (c == u'"') {
            for (++i; i < n && line[i] != u'"'; ++i) {
                if (line[i] == u'\\' && i + 1 < n &&
                    QStringLiteral("$`\"\\\n").contains(line[i + 1]))
                    ++i;
                word += line[i];
            }
        } else if (c == u'\\') {
            if (i + 1 < n) word += line[++i];
        } else {
            word += c;
        }
    }
    if (inWord) words << word;
    return words;
}

QString quote(const QString& word) {
    if (word.isEmpty()) return QStringLiteral("''");
    bool plain = true;
    for (QChar c : word) {
        if (!(c.isLetterOrNumber() || QStringLiteral("_@%+=:,./-").contains(c))) {
            plain = false;
            break;
        }
    }
    if (plain) return word;
    QString q = word;
    q.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + q + u'\'';
}

QString join(const QStringList& words) {
    QStringList quoted;
    quoted.reserve(words.size());
    for (const QString& w : words) quoted << quote(w);
    return quoted.join(u' ');
}

bool splitExec(const QString& exec, QStringList& words) {
    words.clear();
    QString word;
    bool inWord = false;
    const qsizetype n = exec.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = exec[i];
        if (c == u' ' || c == u'\t' || c == u'\n') {
            if (inWord) words << word;
            word.clear();
            inWord = false;
        } else if (c == u'"') {
            inWord = true;
            for (++i;; ++i) {
                if (i >= n) return false;
                if (exec[i] == u'"') break;
                if (exec[i] == u'\\' && i + 1 < n && QStringLiteral("\"`$\\").contains(exec[i + 1]))
                    ++i;
                word += exec[i];
            }
        } else {
            inWord = true;
            word += c;
        }
    }
    if (inWord) words << word;
    return true;
}

}  // namespace commandline
