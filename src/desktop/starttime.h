#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The texts of the date line under the list and of the system start time
// tool tips, in the language and with the separators of `locale`.
namespace starttime {

struct Texts {
    QString browseTip;  // "System start time: 09/12 17:04 (before 65 minutes)"
    QString trayTip;    // the same without the minutes
    QString dateLine;   // "WED  09-DEC  18:09"
};

// `uptimeMs` is the time since the system started; the start is `now`
// less that time in whole minutes.
Texts texts(const QDateTime& now, qint64 uptimeMs, const QLocale& locale);

}  // namespace starttime
