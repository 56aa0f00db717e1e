#include "core/LocalTimeMemo.h"

#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

namespace {

// In the hour the clocks repeat, which of its two moments QDateTime picks
// depends on the conversions before it: only the clock time is compared.
bool Repeated(const QDate& day, const QTime& time)
{
    return day == QDate(2024, 10, 27) && time.hour() == 1;
}

void ExpectSameMoment(const QDateTime& value, const QDateTime& expected, const QString& what)
{
    ASSERT_EQ(value.isValid(), expected.isValid()) << what.toStdString();
    EXPECT_EQ(value.date(), expected.date()) << what.toStdString();
    EXPECT_EQ(value.time(), expected.time()) << what.toStdString();
    EXPECT_EQ(value.timeSpec(), expected.timeSpec()) << what.toStdString();
    if (!value.isValid() || Repeated(value.date(), value.time()))
        return;
    EXPECT_EQ(value.offsetFromUtc(), expected.offsetFromUtc()) << what.toStdString();
    EXPECT_EQ(value.toMSecsSinceEpoch(), expected.toMSecsSinceEpoch()) << what.toStdString();
}

// Every quarter hour of the days the clocks change, built twice within one
// memo, is the value QDateTime builds.
TEST(LocalTimeMemo, GivesWhatQDateTimeBuildsAcrossSummerTimeChanges)
{
    const ScopedTimeZone london(ScopedTimeZone::London());
    const LocalTimeMemo memo;
    for (int round = 0; round < 2; ++round) {
        for (const QDate day : {QDate(2024, 3, 31), QDate(2024, 10, 27)}) {
            for (int minutes = 0; minutes < 24 * 60; minutes += 15) {
                const QTime time = QTime(0, 0).addSecs(minutes * 60);
                ExpectSameMoment(LocalDateTime(day, time), QDateTime(day, time),
                                 day.toString(Qt::ISODate) + u' ' + time.toString());
            }
        }
    }
    ExpectSameMoment(LocalDateTime(QDate(), QTime(0, 0)), QDateTime(QDate(), QTime(0, 0)), "no date");
    ExpectSameMoment(LocalDateTime(QDate(2024, 1, 1), QTime()), QDateTime(QDate(2024, 1, 1), QTime()), "no time");
    {
        const LocalTimeMemo inner; // leaves the outer one in charge
        ExpectSameMoment(LocalDateTime(QDate(2024, 3, 31), QTime(1, 30)), QDateTime(QDate(2024, 3, 31), QTime(1, 30)),
                         "the hour skipped");
    }
    ExpectSameMoment(LocalDateTime(QDate(2024, 10, 27), QTime(1, 30)), QDateTime(QDate(2024, 10, 27), QTime(1, 30)),
                     "the hour repeated");
}

} // namespace
