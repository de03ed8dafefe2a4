#include "edit/editrules.h"

#include <QRegularExpression>

#include <algorithm>

#include "lists/listfile.h"
#include "platform/commandline.h"

namespace editrules {

namespace {
constexpr QChar kSeparator = u'/';
}  // namespace

std::optional<PathEntry> entryFromPath(const QString& p, bool isFile) {
    if (p.isEmpty()) return std::nullopt;
    PathEntry e;
    e.filename = p;
    // An address holds "/" too; its host names it, and it has no folder.
    if (const qsizetype scheme = p.indexOf(QStringLiteral("://")); scheme >= 0) {
        const qsizetype hostStart = scheme + 3;
        const qsizetype slash = p.indexOf(kSeparator, hostStart);
        if (slash < 0) return std::nullopt;
        e.title = listfile::blankSeparators(p.mid(hostStart, slash - hostStart)).trimmed();
        return e;
    }
    const qsizetype cut = p.lastIndexOf(kSeparator);
    if (cut < 0) return e;
    if (cut == p.size() - 1) {
        e.title = listfile::blankSeparators(p).trimmed();
        e.path = p;
        return e;
    }
    const QString name = p.mid(cut + 1);
    e.path = p.left(cut + 1);
    e.title = name;
    if (isFile) {
        const qsizetype dot = name.lastIndexOf(u'.');
        if (dot > 0) e.title = name.left(dot);
    }
    e.title = listfile::blankSeparators(e.title).trimmed();
    return e;
}

QString unstorablePathText(const QString& p) {
    if (listfile::isStorableField(p)) return QString();
    QString shown = p;
    shown.replace(u'\t', QStringLiteral("\\t"));
    shown.replace(u'\r', QStringLiteral("\\r"));
    shown.replace(u'\n', QStringLiteral("\\n"));
    return QStringLiteral(
               "This file cannot be added: its name holds a tab or a line break, which a list "
               "cannot store.\n\n") +
           shown;
}

bool isShortcutPath(const QString& p) {
    return p.endsWith(QStringLiteral(".desktop"), Qt::CaseInsensitive);
}

QString droppedPath(const QList<QUrl>& urls, const QString& text) {
    QString out;
    for (const QUrl& u : urls) {
        // The file as it is named; a name a list cannot store is refused
        // when it is added, rather than changed into another file's name.
        if (u.isLocalFile() && !u.toLocalFile().isEmpty()) return u.toLocalFile();
    }
    if (out.isEmpty()) {
        const QStringList lines =
            text.split(QRegularExpression(QStringLiteral("[\r\n]")), Qt::SkipEmptyParts);
        for (const QString& line : lines) {
            if (!line.trimmed().isEmpty()) {
                out = line.trimmed();
                break;
            }
        }
    }
    if (out.isEmpty()) {
        for (const QUrl& u : urls) {
            if (u.isValid() && !u.isEmpty()) {
                out = u.toString();
                break;
            }
        }
    }
    // Line ends and tabs would break the list file's lines and fields.
    out.replace(u'\t', u' ');
    out.remove(u'\r');
    out.remove(u'\n');
    return out;
}

QString sublistStem(const QString& title) {
    return listfile::cleanName(QStringLiteral("m") + title);
}

bool isValidSublistName(const QString& title) {
    if (title.trimmed().isEmpty() || title.contains(u'/') || title.contains(QChar(u'\0')))
        return false;
    const QString stem = sublistStem(title);
    return listfile::isSafeStem(stem) && stem.size() > 1;
}

EditCommands commandsFor(EditView view) {
    EditCommands c;
    switch (view) {
        case EditView::ListWithEntries:
            c.editList = c.browse = c.bold = c.color = c.rename = c.del = c.edit = c.order =
                c.newList = c.args = c.browseFor = true;
            break;
        case EditView::EmptyList:
            c.browse = c.editList = c.order = c.newList = true;
            break;
        case EditView::SearchResults:
            break;
    }
    return c;
}

int moveTarget(int current, int rows, bool selected, int step) {
    if (current < 1 || current > rows || !selected) return 0;
    const int target = current + step;
    if (target < 1 || target > rows) return 0;
    return target;
}

bool ColorCodeToRGB(std::int32_t lColorCode, std::int16_t& iRed, std::int16_t& iGreen,
                    std::int16_t& iBlue) {
    // C++ division truncates toward zero and % keeps the sign of the left
    // operand, as the rule has always had it.
    iRed = std::int16_t(lColorCode % 256);
    iGreen = std::int16_t((lColorCode / 256) % 256);
    iBlue = std::int16_t((lColorCode / 65536) % 256);
    return true;
}

std::uint32_t colorValue(int red, int green, int blue) {
    auto channel = [](int v) { return std::clamp(v, 0, 255); };
    return listfile::rgb(channel(red), channel(green), channel(blue));
}

std::optional<std::int16_t> parseChannel(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (!ok || v < 0 || v > 32767) return std::nullopt;
    return std::int16_t(v);
}

QString colorField(int red, int green, int blue) {
    return QStringLiteral("%1,%2,%3").arg(red).arg(green).arg(blue);
}

QString editorFile(const QString& filename, const QString& path) {
    return path + filename.mid(filename.lastIndexOf(kSeparator) + 1);
}

QStringList editorCommand(const QString& editor, const QString& file) {
    QStringList words;
    if (!commandline::splitExec(editor, words) || words.isEmpty()) return {};
    bool placed = false;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QString& w = words[i];
        if (w == u"%f" || w == u"%F" || w == u"%u" || w == u"%U") {
            if (placed || file.isEmpty()) {
                words.removeAt(i--);
                continue;
            }
            words[i] = file;
            placed = true;
        }
    }
    if (!placed && !file.isEmpty()) words << file;
    return words;
}

}  // namespace editrules
