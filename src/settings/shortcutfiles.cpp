#include "settings/shortcutfiles.h"

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
    return entry(execArgument(program), QStringLiteral("Categories=Utility;\n") +
                                            QLatin1String(kShortcutKey) + u'=' +
                                            escapeValue(keyText));
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
