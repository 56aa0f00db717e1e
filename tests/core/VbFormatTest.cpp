#include "core/VbFormat.h"
#include "support/Printers.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

struct NumberCase {
    double value;
    const char* pattern;
    const char* expected;
};

TEST(FormatNumber, PatternsAsWrittenInFilesAndLogs)
{
    const NumberCase cases[] = {
        {1234, "#,###", "1,234"}, {1234567.4, "#,###", "1,234,567"}, {0, "#,###", ""},
        {5, "#,##0", "5"}, {0, "#,##0", "0"}, {37800, "#.00", "37800.00"}, {0.5, "#.00", ".50"},
        {12.345, "0.00", "12.35"}, {-1234.5, "#,##0.00", "-1,234.50"}, {7, "00000", "00007"},
        {3.14159, "0.0#", "3.14"}, {3.1, "0.0#", "3.1"}, {42, "Total: #", "Total: 42"},
    };
    for (const NumberCase& c : cases)
        EXPECT_EQ(FormatNumber(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected))
            << c.value << " " << c.pattern;
}

TEST(FormatScaled, ExactDigitsInTheNumberPatterns)
{
    EXPECT_EQ(FormatScaled(INT64_MIN, 4, "#,##0.0000"), "-922,337,203,685,477.5808");
    EXPECT_EQ(FormatScaled(9007199254740993, 0, "#,##0"), "9,007,199,254,740,993");
    EXPECT_EQ(FormatScaled(123456, 3, "0.0"), "123.5");
    EXPECT_EQ(FormatScaled(-123449, 3, "0.0"), "-123.4");
    EXPECT_EQ(FormatScaled(-123, 2, "Due: 0.00000"), "Due: -1.23000");
    EXPECT_EQ(FormatScaled(-1234500, 4, ""), "-123.45");
    EXPECT_EQ(FormatScaled(5, 0, "none"), "none");
}

TEST(FormatNumber, IgnoresTheMachinesLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormatNumber(1234.5, "#,##0.00"), "1,234.50");
    QLocale::setDefault(saved);
}

TEST(FormatDateTime, LettersOfTheDatePatterns)
{
    const QDateTime when(QDate(2024, 3, 5), QTime(7, 8, 9));
    EXPECT_EQ(FormatDateTime(when, "dd/mm/yyyy hh:nn:ss"), "05/03/2024 07:08:09");
    EXPECT_EQ(FormatDateTime(when, "yymmdd"), "240305");
    EXPECT_EQ(FormatDateTime(when, "yyyymmddhhmmss"), "20240305070809");
    EXPECT_EQ(FormatDateTime(when, "hh:mm"), "07:08");
    EXPECT_EQ(FormatDateTime(when, "d mmm yyyy"), "5 Mar 2024");
    EXPECT_EQ(FormatDateTime(when, "dddd d mmmm"), "Tuesday 5 March");
    EXPECT_EQ(FormatDateTime(when, "yyyy-mm-dd"), "2024-03-05");
}

// Patterns used in turn give each its own reading; short years keep their
// leading zeros.
TEST(FormatDateTime, PatternsInTurnAndShortYears)
{
    const QDateTime early(QDate(45, 6, 7), QTime(8, 9, 10));
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(FormatDateTime(early, "yyyymmdd"), "00450607");
        EXPECT_EQ(FormatDateTime(early, "yyyymmddhhnnss"), "00450607080910");
        EXPECT_EQ(FormatDateTime(early, ""), "");
        EXPECT_EQ(FormatDateTime(QDateTime(QDate(999, 12, 31), QTime(23, 5)), "d/m/yy h:n"), "31/12/99 23:5");
    }
}

} // namespace
