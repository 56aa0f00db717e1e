#include "core/DateText.h"
#include "core/VbFormat.h"
#include "core/clsDate.h"
#include "support/ScopedTimeZone.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

namespace {

QString Q(const char* text)
{
    return QString::fromUtf8(text);
}

QDateTime At(int y, int m, int d, int h = 0, int n = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, n));
}

// "Today" is 15 March 2024 on the test clock.
TEST(ClsDate, ReadsTheDateAndRemembersTheLayout)
{
    TestWorld world;
    const struct {
        const char* name;
        const char* text;
        QDateTime expected; // invalid: the empty date
        const char* layout;
    } cases[] = {
        {"One_digit_is_a_day_this_month", "5", At(2024, 3, 5), "ddmmyy"},
        {"Zero_is_no_date", "0", {}, ""},
        {"Four_digits_day_month", "0503", At(2024, 3, 5), "ddmmyy"},
        {"Three_digits_day_month", "503", At(2024, 3, 5), "ddmmyy"},
        {"Six_digits_day_month_year", "150324", At(2024, 3, 15), "ddmmyy"},
        {"Six_digits_read_day_first_when_possible", "240315", At(2015, 3, 24), "ddmmyy"},
        {"Six_digits_year_first_when_no_day_first_date", "991231", At(1999, 12, 31), "yymmdd"},
        {"Six_digits_fifties_to_nineties_last_century", "150399", At(1999, 3, 15), "ddmmyy"},
        {"Six_digits_window_2029", "010129", At(2029, 1, 1), "ddmmyy"},
        {"Six_digits_window_1930", "010130", At(1930, 1, 1), "ddmmyy"},
        {"Five_digits", "10324", At(2024, 3, 1), "ddmmyy"},
        {"Six_digits_neither_reading", "999999", {}, ""},
        {"Eight_digits_year_first", "20240315", At(2024, 3, 15), "yyyymmdd"},
        {"Eight_digits_day_first", "15032024", At(2024, 3, 15), "ddmmyyyy"},
        {"Seven_digits_day_first", "5032024", At(2024, 3, 5), "ddmmyyyy"},
        {"Dots_are_dropped", "15.03.2024", At(2024, 3, 15), "ddmmyyyy"},
        {"Ten_digits_with_time", "2403151030", At(2024, 3, 15, 10, 30), "yymmddhhnn"},
        {"Twelve_digits_with_time", "202403151030", At(2024, 3, 15, 10, 30), "yyyymmddhhnn"},
        {"Long_slash_text_takes_digit_form", "2024/03/15 10:30", At(2024, 3, 15, 10, 30),
         "yyyymmddhhnn"},
        {"Long_day_first_slash_text_is_no_date", "15/03/2024 10:30", {}, ""},
        {"Hour_above_23", "202403152430", {}, ""}, {"Minute_above_59", "202403151060", {}, ""},
        {"Nine_digits_read_nothing", "123456789", {}, ""},
        {"Thirteen_digits_read_nothing", "1234567890123", {}, ""},
        {"Slash_two_digit_year", "15/03/24", At(2024, 3, 15), "dd/mm/yy"},
        {"Slash_four_digit_year", "15/03/2024", At(2024, 3, 15), "dd/mm/yyyy"},
        {"Slash_year_first", "2024/03/15", At(2024, 3, 15), "yyyy/mm/dd"},
        {"Slash_two_digit_year_first", "99/03/15", At(1999, 3, 15), "yy/mm/dd"},
        {"Slash_day_rolls_over", "31/04/2024", At(2024, 5, 1), "dd/mm/yyyy"},
        {"Slash_month_rolls_over", "01/13/2024", At(2025, 1, 1), "dd/mm/yyyy"},
        {"Slash_without_year", "15/03", {}, ""}, {"Lone_slash", "/", {}, ""},
        {"Slash_with_letters", "1a/03/2024", {}, ""}, {"Dashes_are_no_date", "15-03-2024", {}, ""},
        {"Letters_are_no_date", "abc", {}, ""}, {"Empty_text", "", {}, ""},
        {"Negative_day", "-5", {}, ""}, {"Impossible_day", "31022024", {}, ""},
        // Pieces are plain digits: an exponent would read as billions.
        {"Exponent_is_no_digit", "22242e8", {}, ""}, {"Exponent_in_eight_places", "1503e024", {}, ""},
        {"Plus_sign_is_no_digit", "+150324", {}, ""}, {"Decimal_comma_is_no_digit", "15,0324", {}, ""},
    };
    for (const auto& c : cases) {
        clsDate date;
        date.SetsDate(Q(c.text));
        if (c.expected.isValid()) {
            EXPECT_EQ(date.sysDate(), c.expected) << c.name;
            // The layout is what strDate writes without a pattern.
            EXPECT_EQ(date.strDate(), FormatDateTime(c.expected, Q(c.layout))) << c.name;
        } else {
            EXPECT_EQ(date.strDate(), QString()) << c.name;
            EXPECT_EQ(date.strDate("yyyymmddhhnn"), QString()) << c.name;
            EXPECT_EQ(date.sysDate(), clsDate::DayZero()) << c.name;
        }
    }
}

TEST(ClsDate, FailedReadingLeavesTheEmptyDate)
{
    TestWorld world;
    clsDate date;
    date.SetsDate("15/03/24");
    date.SetsDate("abc");
    EXPECT_EQ(date.strDate(), QString());
    EXPECT_EQ(date.strDate("dd/mm/yyyy"), QString());
    EXPECT_EQ(date.sysDate(), clsDate::DayZero());
    EXPECT_EQ(date.MakeDateOrToday("15-03-2024"), At(2024, 3, 15));
    EXPECT_EQ(date.MakeDateOrNow("x"), At(2024, 3, 15, 10, 30));
    EXPECT_EQ(date.MakeDateOrNow("010224"), At(2024, 2, 1));
    EXPECT_EQ(date.MakeDateOrToday("2403151030"), At(2024, 3, 15, 10, 30));
}

TEST(ClsDate, FDateKeepsItsOwnCopyInTheGeneralForm)
{
    TestWorld world;
    clsDate date;
    date.SetfDate("2403151030");
    EXPECT_EQ(date.fDate(), "15/03/2024 10:30:00");
    date.SetsDate("010199");
    EXPECT_EQ(date.fDate(), "15/03/2024 10:30:00");
    date.SetfDate("15/03/24");
    EXPECT_EQ(date.fDate(), "15/03/2024");
}

TEST(ClsDate, SysDateWriteKeepsTheLayout)
{
    TestWorld world;
    clsDate date;
    date.SetsDate("2024/03/15");
    date.SetsysDate(At(2025, 12, 1, 8, 5));
    EXPECT_EQ(date.strDate(), "2025/12/01");
    EXPECT_EQ(date.sysDate(), At(2025, 12, 1, 8, 5));
    // No layout left from a failed reading: the general form.
    date.SetsDate("x");
    date.SetsysDate(At(2025, 12, 1, 8, 5));
    EXPECT_EQ(date.strDate(), "01/12/2025 08:05:00");
}

TEST(ClsDate, OneAndTwoDigitDaysFollowTheClock)
{
    TestWorld world;
    world.clock().Set(At(2023, 2, 10, 9, 0));
    clsDate date;
    date.SetsDate("28");
    EXPECT_EQ(date.sysDate(), At(2023, 2, 28));
    date.SetsDate("29");
    EXPECT_EQ(date.strDate(), QString());
}

TEST(ClsDate, TimeSkippedBySummerTimeIsStillADate)
{
    TestWorld world;
    const ScopedTimeZone zone(ScopedTimeZone::London());
    clsDate date;
    date.SetsDate("202403310130");
    EXPECT_EQ(date.strDate(), "202403310130");
    EXPECT_EQ(date.strDate("dd/mm/yyyy hh:nn"), "31/03/2024 01:30");
}

// Date texts ----------------------------------------------------------------

TEST(DateText, ReadsUkAndIsoDates)
{
    const struct {
        const char* text;
        QDateTime expected;
    } cases[] = {
        {"15/03/2024", At(2024, 3, 15)}, {"5/3/24", At(2024, 3, 5)},
        {"15-03-2024 10:30", At(2024, 3, 15, 10, 30)},
        {"15.03.2024 10:30:15", QDateTime(QDate(2024, 3, 15), QTime(10, 30, 15))},
        {"2024-03-15T10:30:00", At(2024, 3, 15, 10, 30)}, {"2024/3/5", At(2024, 3, 5)},
        {"15 March 2024", At(2024, 3, 15)}, {"15 mar 2024 2:30 PM", At(2024, 3, 15, 14, 30)},
        {"12:00 am", At(1899, 12, 30)}, {"10:30", At(1899, 12, 30, 10, 30)},
        {" 01/01/30 ", At(1930, 1, 1)},
    };
    for (const auto& c : cases) {
        const NullableDate parsed = ParseDateText(Q(c.text));
        ASSERT_TRUE(parsed.has_value()) << c.text;
        EXPECT_EQ(*parsed, c.expected) << c.text;
    }
    for (const char* no : {"", "abc", "31/04/2024", "15/03", "15/03-2024", "2024", "25:00",
                           "15 Marc 2024", "13:00 PM", "42"})
        EXPECT_FALSE(IsDateText(Q(no))) << no;
}

TEST(DateText, LocalTimeSkippedBySummerTimeIsNoValue)
{
    const ScopedTimeZone zone(ScopedTimeZone::London());
    const struct {
        const char* text;
        bool local; // names a local moment
    } cases[] = {
        {"31/03/2024 00:59", true}, {"31/03/2024 01:00", false}, {"2024-03-31 01:30:00", false},
        {"2024-03-31T01:59:59", false}, {"31 Mar 2024 1:30 AM", false}, {"31/03/2024 02:00", true},
        {"27/10/2024 01:30", true}, // the hour that comes twice is a value
    };
    for (const auto& c : cases) {
        const NullableDate local = ParseDateText(Q(c.text));
        EXPECT_EQ(local.has_value(), c.local) << c.text;
        if (local) {
            EXPECT_TRUE(local->isValid()) << c.text;
        }
        // As UTC every clock time exists, with the fields as written.
        const NullableDate utc = ParseUtcDateText(Q(c.text));
        ASSERT_TRUE(utc.has_value()) << c.text;
        EXPECT_EQ(utc->timeSpec(), Qt::UTC) << c.text;
    }
    EXPECT_EQ(*ParseUtcDateText("31/03/2024 01:30"), QDateTime(QDate(2024, 3, 31), QTime(1, 30), Qt::UTC));
    EXPECT_FALSE(ParseUtcDateText("31/04/2024 01:30").has_value());
}

TEST(DateText, DateSerialRefusesYearsOutOfRange)
{
    // Roll-over itself is read through clsDate and the settings dates.
    EXPECT_FALSE(DateSerial(99, 1, 1).isValid());
    EXPECT_FALSE(DateSerial(9999, 12, 32).isValid());
    EXPECT_EQ(ResolveTwoDigitYear(100), 100);
}

TEST(DateText, GeneralFormShowsTheTimeUnlessMidnight)
{
    EXPECT_EQ(FormatGeneralDate(At(2024, 3, 5)), "05/03/2024");
    EXPECT_EQ(FormatGeneralDate(QDateTime(QDate(2024, 3, 5), QTime(0, 0, 1))),
              "05/03/2024 00:00:01");
    for (const QDateTime& value : {QDateTime(QDate(987, 12, 31), QTime(23, 59, 59)),
                                   QDateTime(QDate(9999, 1, 9), QTime(7, 5, 3)),
                                   QDateTime(QDate(12000, 1, 1), QTime(1, 0)), QDateTime()})
        EXPECT_EQ(FormatGeneralDate(value), FormatDateTime(value, "dd/mm/yyyy hh:nn:ss")) << value.toString().toStdString();
}

} // namespace
