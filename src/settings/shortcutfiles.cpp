#include "settings/shortcutfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace shortcutfiles {

namespace {

// Characters that make the standard require an Exec argument to be quoted.
bool reserved(QChar c) {
    static const QString chars = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    return chars.contains(c);
}

// The string escapes of a value; a value cannot hold a raw line break.
QString escapeValue(const QString& v) {
    QString out;
    for (QChar c : v) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else
            out += c;
    }
    return out;
}

QString entry(const QString& exec, const QString& extra) {
    QStringList l;
    l << QStringLiteral("[Desktop Entry]") << QStringLiteral("Type=Application")
      << QStringLiteral("Name=Brennomix") << QStringLiteral("Comment=Quick Program Launcher")
      << QStringLiteral("Exec=") + exec << QStringLiteral("Terminal=false");
    if (!extra.isEmpty()) l << extra;
    return l.join(u'\n') + u'\n';
}

}  // namespace

QString execArgument(const QString& word) {
    QString w = word;
    w.replace(u'%', QStringLiteral("%%"));
    bool quote = w.isEmpty();
    for (QChar c : w) quote = quote || reserved(c);
    if (quote) {
        QString q;
        for (QChar c : w) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') q += u'\\';
            q += c;
        }
        w = u'"' + q + u'"';
    }
    return escapeValue(w);
}

QString launcherEntry(const QString& program, const QString& keyText) {
    const QString exec = execArgument(program);
    QString extra =
        QStringLiteral("Icon=brennomix\nCategories=Utility;\nActions=Search;Rescan;Quit;\n") +
        QLatin1String(kShortcutKey) + u'=' + escapeValue(keyText) + u'\n';
    const struct {
        const char* id;
        const char* name;
        const char* word;
    } actions[] = {{"Search", "Search Files", "/search"},
                   {"Rescan", "Rebuild the File Index", "/rescan"},
                   {"Quit", "Quit", "/quit"}};
    for (const auto& a : actions)
        extra += QStringLiteral("\n[Desktop Action %1]\nName=%2\nExec=%3 %4\n")
                     .arg(QLatin1String(a.id), QLatin1String(a.name), exec, QLatin1String(a.word));
    extra.chop(1);
    return entry(exec, extra);
}

QString entryProgram(const QString& programFile, const QString& onPath) {
    if (onPath.isEmpty()) return programFile;
    // Links (a /usr/bin link to /usr/lib/...) are followed where they exist.
    auto real = [](const QString& path) {
        const QString c = QFileInfo(path).canonicalFilePath();
        return c.isEmpty() ? QDir::cleanPath(path) : c;
    };
    return real(onPath) == real(programFile) ? QString::fromLatin1(kInstalledName) : programFile;
}

QString execProgramOf(const QString& entryText) {
    for (QString line : entryText.split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.startsWith(u'[') && line != u"[Desktop Entry]") break;
        if (!line.startsWith(QStringLiteral("Exec="))) continue;
        // The value's string escapes first, then the Exec quoting.
        QString exec;
        const QString value = line.mid(5);
        for (qsizetype i = 0; i < value.size(); ++i) {
            if (value[i] == u'\\' && i + 1 < value.size()) {
                const QChar n = value[++i];
                exec += n == u's'   ? QChar(u' ')
                        : n == u'n' ? QChar(u'\n')
                        : n == u't' ? QChar(u'\t')
                        : n == u'r' ? QChar(u'\r')
                                    : n;
            } else {
                exec += value[i];
            }
        }
        // "%%" is a literal "%" (the field codes' escape).
        if (!exec.startsWith(u'"'))
            return exec.section(u' ', 0, 0).replace(QStringLiteral("%%"), QStringLiteral("%"));
        QString word;
        for (qsizetype i = 1; i < exec.size(); ++i) {
            if (exec[i] == u'"') return word.replace(QStringLiteral("%%"), QStringLiteral("%"));
            if (exec[i] == u'\\' && i + 1 < exec.size()) ++i;
            word += exec[i];
        }
        return QString();  // a quote left open
    }
    return QString();
}

QString autostartEntry(const QString& program) {
    return entry(execArgument(program) + QStringLiteral(" /resident"), QString());
}

QString keyTextOf(const QString& entryText) {
    const QString prefix = QLatin1String(kShortcutKey) + u'=';
    for (QString line : entryText.split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.startsWith(prefix)) return line.mid(prefix.size()).trimmed();
    }
    return QString();
}

}  // namespace shortcutfiles
