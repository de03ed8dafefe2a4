#include "desktop/starttime.h"

#include <cmath>

namespace starttime {

namespace {

// The first character of a locale's format that is not part of a field:
// its date or time separator.
QChar separatorOf(const QString& format, QChar fallback) {
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'') quoted = !quoted;
        if (!quoted && !c.isLetter() && c != u'\'' && !c.isSpace()) return c;
    }
    return fallback;
}

// Upper case as the locale writes it. Only a few languages case some
// letters their own way: the dotted and dotless i of Turkish and
// Azerbaijani, the dots of Lithuanian, the accents of Greek, the ligature
// of Armenian. Every other language upper-cases as Unicode does by default,
// which leaves the locale's case tables unloaded, a few hundred kilobytes
// that a first start need not map.
QString upper(const QLocale& locale, const QString& text) {
    switch (locale.language()) {
        case QLocale::Turkish:
        case QLocale::Azerbaijani:
        case QLocale::Lithuanian:
        case QLocale::Greek:
        case QLocale::Armenian:
            return locale.toUpper(text);
        default:
            return text.toUpper();
    }
}

QString two(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

}  // namespace

Texts texts(const QDateTime& now, qint64 uptimeMs, const QLocale& locale) {
    const QChar dateSep = separatorOf(locale.dateFormat(QLocale::ShortFormat), u'/');
    const QChar timeSep = separatorOf(locale.timeFormat(QLocale::ShortFormat), u':');
    const auto minutes = qint64(std::nearbyint(double(uptimeMs) / 60000.0));
    const QDateTime start = now.addSecs(-minutes * 60);
    const QString startText =
        upper(locale, two(start.date().day()) + dateSep + two(start.date().month()) + u' ' +
                          two(start.time().hour()) + timeSep + two(start.time().minute()));
    Texts t;
    t.trayTip = QStringLiteral("System start time: ") + startText;
    t.browseTip = t.trayTip + QStringLiteral(" (before %1 minutes)").arg(minutes);
    t.dateLine = upper(locale, locale.dayName(now.date().dayOfWeek(), QLocale::ShortFormat) +
                                   QStringLiteral("  ") + two(now.date().day()) + u'-' +
                                   locale.monthName(now.date().month(), QLocale::ShortFormat) +
                                   QStringLiteral("  ") + two(now.time().hour()) + timeSep +
                                   two(now.time().minute()));
    return t;
}

}  // namespace starttime
