#include "run/entryrules.h"

#include <QStringList>

#include <cmath>

namespace entryrules {

namespace {
constexpr QChar kTab = u'\t';
constexpr QChar kSeparator = u'/';
// "scheme://..." or "mailto:...".
bool isAddress(const QString& s) {
    const qsizetype colon = s.indexOf(u':');
    if (s.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive)) return true;
    if (colon < 1 || s.mid(colon, 3) != u"://") return false;
    for (qsizetype i = 0; i < colon; ++i) {
        const QChar c = s[i];
        if (!(c.isLetterOrNumber() || c == u'+' || c == u'-' || c == u'.')) return false;
    }
    return true;
}

}  // namespace

bool isResultRow(const QString& subItem1) {
    return subItem1.contains(kTab);
}

EntryFields fieldsOf(const QString& subItem1, const QString& subItem2, const QString& subItem3) {
    if (!isResultRow(subItem1)) return {subItem1, subItem2, subItem3};
    const QStringList f = subItem1.split(kTab);
    EntryFields e;
    e.filename = f.value(1);
    if (f.size() >= 3) e.path = f[2];
    if (f.size() >= 4) e.arguments = f[3];
    return e;
}

bool isSublistRow(const QString& subItem1) {
    return subItem1.isEmpty() || subItem1.contains(QStringLiteral("\t\t\t\t\t"));
}

QString fullPath(const QString& filename, const QString& path) {
    return filename.contains(kSeparator) ? filename : path + filename;
}

bool isShortcutRow(const QString& filename) {
    return filename.contains(QStringLiteral(".LNK"), Qt::CaseInsensitive) ||
           filename.endsWith(QStringLiteral(".DESKTOP"), Qt::CaseInsensitive);
}

QString launchingText(const QString& filename) {
    return (QStringLiteral("Launching  ") + filename).toUpper();
}

QString retryName(const QString& filename) {
    return filename.mid(filename.lastIndexOf(kSeparator) + 1);
}

QString notFoundText(const QString& dir, const QString& filename, bool offerBrowse) {
    QString text = QStringLiteral("Check path:\r\n %1\r\nand name:\r\n %2").arg(dir, filename);
    if (offerBrowse) text += QStringLiteral("\r\nLook for it now?");
    return text;
}

std::optional<QString> copyablePath(const QString& subItem1, const QString& subItem2) {
    QString s = subItem1;
    if (!s.contains(kSeparator) && !s.contains(kTab)) s = subItem2 + subItem1;
    QString result;
    if (!s.contains(kTab)) {
        // An address holds "/" too, but is no path in a folder.
        if (s.contains(kSeparator) && !isAddress(s)) result = s;
    } else {
        const QStringList f = s.split(kTab);
        if (f.size() == 2)
            result = f[1];
        else
            result = fullPath(f[1], f[2]);
    }
    if (result.isEmpty()) return std::nullopt;
    return result;
}

QString folderOf(const QString& path) {
    return path.left(path.lastIndexOf(kSeparator) + 1);
}

int rowIndexAt(float y) {
    const float v = y / 240.0f - 1.0f;
    return int(std::ceil(v));
}

QString pendixArguments(const QString& path, const QString& filename, const QString& arguments) {
    return QStringLiteral("/300 /quit /cmd:") + path + filename + u' ' + arguments;
}

QString joinArguments(const QString& first, const QString& second) {
    if (first.isEmpty()) return second;
    if (second.isEmpty()) return first;
    return first + u' ' + second;
}

}  // namespace entryrules
