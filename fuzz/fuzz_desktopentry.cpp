// Desktop entries as any bytes: parsed, their index title taken, their Exec
// line split. Words quoted by the Exec rules split back to themselves, and
// words joined for the shell split back to themselves.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include "fuzzcheck.h"
#include "platform/commandline.h"
#include "platform/linux/desktopentry.h"
#include "platform/linux/folderreader.h"

namespace {

QString execQuoted(const QStringList& words) {
    QStringList out;
    for (QString w : words) {
        QString q;
        for (QChar c : w) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') q += u'\\';
            q += c;
        }
        out << u'"' + q + u'"';
    }
    return out.join(u' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);
    const desktopentry::Entry e = desktopentry::parse(text);

    QByteArray title;
    folderreader::desktopEntryTitle(bytes, {QStringLiteral("de_AT"), QStringLiteral("de")}, title);

    QStringList words;
    if (desktopentry::splitExec(e.exec, words)) {
        QStringList again;
        FUZZ_CHECK(desktopentry::splitExec(execQuoted(words), again));
        FUZZ_CHECK(again == words);
        desktopentry::expandFieldCodes(words, {QStringLiteral("/a b/c")}, e,
                                       QStringLiteral("/x.desktop"));
        FUZZ_CHECK(commandline::split(commandline::join(words)) == words);
    }
    QStringList raw;
    if (desktopentry::splitExec(text, raw)) {
        for (const QString& w : raw) FUZZ_CHECK(!w.isEmpty() || text.contains(u'"'));
    }
    // Any text as words, one a line: joined for the shell and split again.
    QStringList lines = text.split(u'\n');
    FUZZ_CHECK(commandline::split(commandline::join(lines)) == lines);
    return 0;
}
