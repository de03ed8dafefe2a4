#include "lists/listfile.h"

#include <cmath>

namespace listfile {

long long roundHalfEven(double v) {
    return static_cast<long long>(std::nearbyint(v));
}

std::optional<std::uint32_t> parseColor(const QString& field) {
    const QStringList parts = field.split(u',');
    if (parts.size() < 3) return std::nullopt;
    int c[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const double v = parts[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v) || v < 0) return std::nullopt;
        c[i] = v > 255 ? 255 : static_cast<int>(std::min<long long>(roundHalfEven(v), 255));
    }
    return rgb(c[0], c[1], c[2]);
}

ParsedLine parseLine(const QString& line) {
    ParsedLine p;
    p.fields = line.split(u'\t');
    if (p.fields.size() > kFields) p.fields.resize(kFields);
    const qsizetype n = p.fields.size() - 1;
    if (n == 0 || p.fields[1].isEmpty()) {
        p.color = kSublistColor;
        p.bold = true;
    }
    if (n >= 4 && !p.fields[4].isEmpty()) {
        if (auto c = parseColor(p.fields[4])) p.color = *c;
    }
    if (n >= 5 && p.fields[5].toUpper() == u"BOLD") p.bold = true;
    return p;
}

QString formatLine(const QString& title, const std::array<QString, 5>& subItems) {
    QString line = blankSeparators(title);
    for (const QString& s : subItems) {
        line += u'\t';
        line += isStorableField(s) ? s : blankSeparators(s);
    }
    return line;
}

bool isStorableField(const QString& text) {
    for (const QChar c : text)
        if (c == u'\t' || c == u'\r' || c == u'\n') return false;
    return true;
}

QString blankSeparators(QString text) {
    if (isStorableField(text)) return text;
    for (QChar& c : text)
        if (c == u'\t' || c == u'\r' || c == u'\n') c = u' ';
    return text;
}

QStringList newListLines() {
    return {QStringLiteral("notepad\tnotepad.exe"), QStringLiteral("Calc\tcalc.exe"),
            QStringLiteral("Internet Explorer\tIExplore.exe")};
}

QString cleanName(QString name) {
    if (name.isEmpty() || name.startsWith(u'/')) return QString::fromLatin1(kTopStem);
    if (name.contains(u'"')) name = name.mid(1).chopped(name.size() > 1 ? 1 : 0);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0) name.truncate(dot);
    return name;
}

QString displayName(const QString& stem) {
    if (stem == QLatin1String(kTopStem)) return QString::fromLatin1(kTopDisplayName);
    return stem.mid(1);
}

QString captionFor(const QString& stem) {
    return QString::fromLatin1(kCaptionPrefix) + displayName(stem);
}

bool isSafeStem(const QString& stem) {
    return !stem.isEmpty() && !stem.contains(u'/') && !stem.contains(QChar(u'\0'));
}

QString pathFor(const QString& folder, const QString& stem) {
    return folder + u'/' + stem + QStringLiteral(".ini");
}

QString shownText(const QString& field) {
    if (field.size() <= kMaxShownChars) return field;
    qsizetype n = kMaxShownChars;
    // Never half a character.
    if (field[n - 1].isHighSurrogate()) --n;
    return field.left(n);
}

}  // namespace listfile
