#include <gtest/gtest.h>

#include "desktop/starttime.h"

namespace {
const QDateTime kNow(QDate(2026, 12, 9), QTime(18, 9, 30));
}

TEST(StartTime, TextsInEnglish) {
    const starttime::Texts t = starttime::texts(kNow, 65 * 60000 + 29000,
                                                QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_EQ(t.browseTip, "System start time: 09/12 17:04 (before 65 minutes)");
    EXPECT_EQ(t.trayTip, "System start time: 09/12 17:04");
    EXPECT_EQ(t.dateLine, "WED  09-DEC  18:09");
}

TEST(StartTime, MinutesAreRoundedAndTheDayCanChange) {
    // 30.5 minutes round to even; a start before midnight shows that day.
    EXPECT_TRUE(starttime::texts(kNow, 30 * 60000 + 30000, QLocale::c())
                    .browseTip.endsWith("(before 30 minutes)"));
    const starttime::Texts t =
        starttime::texts(QDateTime(QDate(2026, 1, 1), QTime(0, 10)), 20 * 60000, QLocale::c());
    EXPECT_EQ(t.trayTip, "System start time: 31/12 23:50");
    EXPECT_EQ(t.dateLine, "THU  01-JAN  00:10");
}

TEST(StartTime, SystemLanguageAndSeparators) {
    const starttime::Texts t =
        starttime::texts(kNow, 0, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(t.browseTip, "System start time: 09.12 18:09 (before 0 minutes)");
    EXPECT_TRUE(t.dateLine.startsWith("MI")) << t.dateLine.toStdString();
    EXPECT_TRUE(t.dateLine.contains("09-DEZ")) << t.dateLine.toStdString();
}

TEST(StartTime, DayAndMonthAreUpperCasedAsTheLanguageWritesThem) {
    // Every day and month name reads as the locale's own case rules have it.
    for (const QLocale& locale :
         {QLocale(QLocale::German), QLocale(QLocale::French), QLocale(QLocale::Russian),
          QLocale(QLocale::Dutch), QLocale(QLocale::Polish), QLocale(QLocale::Turkish),
          QLocale(QLocale::Greek), QLocale(QLocale::Lithuanian)}) {
        for (int month = 1; month <= 12; ++month) {
            const QDate date(2026, month, 1 + month);
            const QString line = starttime::texts(QDateTime(date, QTime(9, 0)), 0, locale).dateLine;
            EXPECT_TRUE(line.startsWith(
                locale.toUpper(locale.dayName(date.dayOfWeek(), QLocale::ShortFormat))))
                << line.toStdString();
            EXPECT_TRUE(
                line.contains(locale.toUpper(locale.monthName(month, QLocale::ShortFormat))))
                << line.toStdString();
        }
    }
    // Turkish keeps the dot on its capital i.
    EXPECT_TRUE(
        starttime::texts(QDateTime(QDate(2026, 10, 1), QTime(9, 0)), 0, QLocale(QLocale::Turkish))
            .dateLine.contains(u"EKİ"))
        << "Turkish October";
}
