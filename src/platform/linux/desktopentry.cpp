#include "platform/linux/desktopentry.h"

#include <QFileInfo>

#include <utility>

#include "platform/commandline.h"

namespace desktopentry {

QString unescapeValue(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar n = value[++i];
        switch (n.unicode()) {
            case 's':
                out += u' ';
                break;
            case 'n':
                out += u'\n';
                break;
            case 't':
                out += u'\t';
                break;
            case 'r':
                out += u'\r';
                break;
            case '\\':
                out += u'\\';
                break;
            // Not a string escape: the backslash stays for the Exec quoting.
            default:
                out += u'\\';
                out += n;
                break;
        }
    }
    return out;
}

namespace {
// The keys whose values are kept as text.
const std::pair<QStringView, QString Entry::*> kTextKeys[] = {
    {u"Type", &Entry::type}, {u"Name", &Entry::name}, {u"Exec", &Entry::exec},
    {u"Path", &Entry::path}, {u"Icon", &Entry::icon}, {u"URL", &Entry::url}};
}  // namespace

Entry parse(const QString& text) {
    Entry e;
    bool inGroup = false;
    QStringList seen;
    const QStringList lines = text.split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r')) line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#')) continue;
        if (trimmed.startsWith(u'[')) {
            // Only the first group may be the entry itself.
            if (e.valid) {
                if (inGroup) break;
                continue;
            }
            inGroup = trimmed == u"[Desktop Entry]";
            e.valid = inGroup;
            continue;
        }
        if (!inGroup) continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0) continue;
        const QString key = line.left(eq).trimmed();
        if (seen.contains(key)) continue;
        seen << key;
        const QString value = unescapeValue(line.mid(eq + 1).trimmed());
        if (key == u"Terminal") e.terminal = value == u"true" || value == u"1";
        for (const auto& [name, field] : kTextKeys)
            if (key == name) e.*field = value;
    }
    return e;
}

bool splitExec(const QString& exec, QStringList& words) {
    return commandline::splitExec(exec, words);
}

QStringList expandFieldCodes(const QStringList& words, const QStringList& files, const Entry& e,
                             const QString& location) {
    QStringList out;
    for (const QString& w : words) {
        if (w == u"%F" || w == u"%U") {
            out << files;
            continue;
        }
        if (w == u"%i") {
            if (!e.icon.isEmpty()) out << QStringLiteral("--icon") << e.icon;
            continue;
        }
        QString x;
        bool hadCode = false;
        for (qsizetype i = 0; i < w.size(); ++i) {
            if (w[i] != u'%' || i + 1 == w.size()) {
                x += w[i];
                continue;
            }
            const QChar code = w[++i];
            hadCode = true;
            switch (code.unicode()) {
                case '%':
                    x += u'%';
                    break;
                case 'f':
                case 'u':
                case 'F':
                case 'U':
                    if (!files.isEmpty()) x += files.first();
                    break;
                case 'c':
                    x += e.name;
                    break;
                case 'k':
                    x += location;
                    break;
                default:
                    break;  // deprecated and unknown codes go
            }
        }
        if (hadCode && x.isEmpty()) continue;
        out << x;
    }
    return out;
}

QStringList terminalArguments(const QString& terminal, const QStringList& command) {
    const QString name = QFileInfo(terminal).fileName();
    QStringList args;
    if (name == u"gnome-terminal" || name == u"kgx" || name == u"ptyxis")
        args << QStringLiteral("--");
    else if (name == u"xfce4-terminal" || name == u"mate-terminal" || name == u"terminator" ||
             name == u"tilix")
        args << QStringLiteral("-x");
    else if (name != u"kitty" && name != u"foot")
        args << QStringLiteral("-e");
    return args + command;
}

}  // namespace desktopentry
