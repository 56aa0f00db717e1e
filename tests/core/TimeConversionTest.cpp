#include "core/DateText.h"
#include "core/TimeConversion.h"
#include "core/clsDate.h"
#include "platform/LocalTime.h"
#include "support/ScopedTimeZone.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

namespace {

QDateTime Utc(int y, int m, int d, int h, int n = 0, int s = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, n, s), Qt::UTC);
}

QDateTime Local(int y, int m, int d, int h, int n = 0, int s = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, n, s));
}

// The wall-clock reading of a moment, in its own time spec ("" for none); QDateTime's ==
// compares moments, whatever their zone setting.
QString Wall(const NullableDate& moment)
{
    return moment ? moment->toString("yyyy-MM-dd hh:mm:ss.zzz") : QString();
}

TEST(TimeConversion, SummerTimeUsesTheSummerOffsetWhateverTheDayToday)
{
    TestWorld world; // a winter "today"
    const ScopedTimeZone zone(ScopedTimeZone::London());
    const NullableDate utc = LocalToUTC(Local(2024, 7, 15, 12));
    ASSERT_TRUE(utc.has_value());
    EXPECT_EQ(*utc, Utc(2024, 7, 15, 11));
    EXPECT_EQ(utc->timeSpec(), Qt::UTC);
    EXPECT_EQ(*LocalToUTC(Local(2024, 1, 15, 12)), Utc(2024, 1, 15, 12));
    EXPECT_EQ(Wall(UTCToLocal(Utc(2024, 7, 15, 11))), "2024-07-15 12:00:00.000");
    EXPECT_EQ(Wall(UTCToLocal(Utc(2024, 12, 1, 23, 30))), "2024-12-01 23:30:00.000");
    // Dates and date texts too; milliseconds never appear.
    EXPECT_EQ(*LocalToUTC("15/07/2024 12:00"), Utc(2024, 7, 15, 11));
    EXPECT_EQ(*LocalToUTC(QDate(2024, 7, 15)), Utc(2024, 7, 14, 23));
    EXPECT_EQ(Wall(UTCToLocal("2024-07-15 11:00:00")), "2024-07-15 12:00:00.000");
    EXPECT_EQ(Wall(LocalToUTC(QDateTime(QDate(2024, 7, 15), QTime(12, 0, 5, 999)))),
              "2024-07-15 11:00:05.000");
    EXPECT_EQ(Wall(UTCToLocal(QDateTime(QDate(2024, 7, 15), QTime(11, 0, 5, 250), Qt::UTC))),
              "2024-07-15 12:00:05.000");
}

TEST(TimeConversion, AcrossTheChangeOfClocks)
{
    const ScopedTimeZone zone(ScopedTimeZone::London());
    // 31 March 2024: 00:59 local is GMT, 02:00 local is BST.
    EXPECT_EQ(*LocalToUTC(Local(2024, 3, 31, 0, 59)), Utc(2024, 3, 31, 0, 59));
    EXPECT_EQ(*LocalToUTC(Local(2024, 3, 31, 2, 0)), Utc(2024, 3, 31, 1, 0));
    EXPECT_EQ(UTCToLocal(Utc(2024, 3, 31, 0, 59))->time(), QTime(0, 59));
    EXPECT_EQ(UTCToLocal(Utc(2024, 3, 31, 1, 0))->time(), QTime(2, 0));
    // A local time that the change skips still gives a moment.
    const NullableDate skipped = LocalToUTC(Local(2024, 3, 31, 1, 30));
    ASSERT_TRUE(skipped.has_value());
    EXPECT_GE(*skipped, Utc(2024, 3, 31, 0, 30));
    EXPECT_LE(*skipped, Utc(2024, 3, 31, 1, 30));
    // A text is read by its clock fields: 01:30 UTC that day is 02:30 BST.
    EXPECT_EQ(Wall(UTCToLocal("31/03/2024 01:30")), "2024-03-31 02:30:00.000");
    EXPECT_TRUE(LocalToUTC("31/03/2024 01:30").has_value());
    // The hour that comes twice in autumn.
    EXPECT_EQ(UTCToLocal(Utc(2024, 10, 27, 0, 30))->time(), QTime(1, 30));
    EXPECT_EQ(UTCToLocal(Utc(2024, 10, 27, 1, 30))->time(), QTime(1, 30));
}

// Every reader that builds a local time from fields gives the hour the
// clocks repeat as its first occurrence, whatever the process converted
// before, and refuses the hour they skip.
TEST(LocalTimeFromFields, TheRepeatedHourIsItsFirstOccurrenceInEveryReader)
{
    const ScopedTimeZone zone(ScopedTimeZone::London());
    const qint64 firstMoment = Utc(2024, 10, 27, 0, 30).toSecsSinceEpoch();
    SYSTEMTIME st;
    st.wYear = 2024, st.wMonth = 10, st.wDay = 27, st.wHour = 1, st.wMinute = 30;
    for (const QDate primer : {QDate(2024, 1, 15), QDate(2024, 7, 15), QDate(2024, 1, 15)}) {
        (void)Local(primer.year(), primer.month(), primer.day(), 12).toMSecsSinceEpoch();
        clsDate typed;
        typed.SetsDate(QStringLiteral("202410270130"));
        for (const NullableDate& value :
             {NullableDate(LocalDateTime(QDate(2024, 10, 27), QTime(1, 30))), ParseDateText("27/10/2024 01:30"),
              ParseDateText("2024-10-27T01:30"), NullableDate(SystemTimeToDate(st)), NullableDate(typed.sysDate())}) {
            ASSERT_TRUE(value && value->isValid());
            EXPECT_EQ(value->toSecsSinceEpoch(), firstMoment) << primer.month();
            EXPECT_EQ(value->time(), QTime(1, 30));
        }
        EXPECT_EQ(LocalToUTC("27/10/2024 01:30"), Utc(2024, 10, 27, 0, 30));
        EXPECT_FALSE(LocalDateTime(QDate(2024, 3, 31), QTime(1, 30)).isValid());
        EXPECT_FALSE(ParseDateText("31/03/2024 01:30"));
    }
}

TEST(TimeConversion, ZoneAheadOfUtcWithoutSummerTime)
{
    const ScopedTimeZone zone("<+01>-1");
    EXPECT_EQ(*LocalToUTC(Local(2024, 3, 15, 12)), Utc(2024, 3, 15, 11));
    EXPECT_EQ(*LocalToUTC(Local(2024, 1, 1, 0, 30)), Utc(2023, 12, 31, 23, 30));
    EXPECT_EQ(UTCToLocal(Utc(2023, 12, 31, 23, 30))->date(), QDate(2024, 1, 1));
}

TEST(TimeConversion, NoValueForWhatIsNoDate)
{
    TestWorld world;
    for (const QVariant& v : {QVariant(), QVariant("no date"), QVariant(QString()), QVariant(42),
                              QVariant(QDateTime()), QVariant(true)}) {
        EXPECT_FALSE(LocalToUTC(v).has_value()) << v.toString().toStdString();
        EXPECT_FALSE(UTCToLocal(v).has_value()) << v.toString().toStdString();
    }
}

TEST(SystemTime, FieldsRoundTripWithoutMilliseconds)
{
    SYSTEMTIME st;
    DateToSystemTime(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58, 123)), st);
    EXPECT_EQ(QList<int>({st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond,
                          st.wMilliseconds, st.wDayOfWeek}),
              QList<int>({2024, 2, 29, 23, 59, 58, 0, 0}));
    EXPECT_EQ(SystemTimeToDate(st), QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)));
    st.wMonth = 13;
    EXPECT_FALSE(SystemTimeToDate(st).isValid());
}

} // namespace
