#include "reports/PrintPeriod.h"

#include <gtest/gtest.h>

namespace {

QDate D(int y, int m, int d)
{
    return QDate(y, m, d);
}

TEST(PrintPeriods, EachChoiceOnTheAwkwardDays)
{
    using namespace PrintType;
    using namespace PeriodIndex;
    const struct {
        const char* name;
        int32_t printType;
        int32_t periodIndex;
        QDate today;
        const char* text;
    } cases[] = {
        {"this week on a Sunday", ReceivedInPeriod, ThisWeek, D(2026, 12, 6), "30-Nov-2026 to 06-Dec-2026"},
        {"this week on a Monday", ReceivedInPeriod, ThisWeek, D(2026, 12, 7), "07-Dec-2026 to 07-Dec-2026"},
        {"this week across a year", Summary, ThisWeek, D(2027, 1, 2), "28-Dec-2026 to 02-Jan-2027"},
        {"last week on a Monday", ReceivedInPeriod, LastWeek, D(2026, 12, 7), "30-Nov-2026 to 06-Dec-2026"},
        {"last week on a Sunday", Summary, LastWeek, D(2026, 12, 6), "23-Nov-2026 to 29-Nov-2026"},
        {"last week on a Wednesday", Summary, LastWeek, D(2026, 12, 9), "30-Nov-2026 to 06-Dec-2026"},
        {"last month in January", ReceivedInPeriod, LastMonth, D(2027, 1, 15), "01-Dec-2026 to 31-Dec-2026"},
        {"last month after February", Summary, LastMonth, D(2028, 3, 31), "01-Feb-2028 to 29-Feb-2028"},
        {"this month on its first", ReceivedInPeriod, ThisMonth, D(2027, 3, 1), "01-Mar-2027 to 01-Mar-2027"},
        {"nothing chosen", Summary, -1, D(2026, 12, 7), " to 07-Dec-2026"},
        {"today", Today, -1, D(2026, 12, 7), "07-Dec-2026 to 07-Dec-2026"},
        {"today ignores the list", Today, LastMonth, D(2026, 12, 7), "07-Dec-2026 to 07-Dec-2026"},
        {"the selected record", Selected, ThisWeek, D(2026, 12, 7), ""},
        {"the whole list", WholeList, LastMonth, D(2026, 12, 7), ""},
        {"cancelled", Nothing, ThisWeek, D(2026, 12, 7), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetPeriodText(GetPrintPeriod(c.printType, c.periodIndex, c.today)), QLatin1String(c.text))
            << c.name;
}

TEST(PrintPeriods, NoPeriodHasNoDatesAndAnyTimeStartsBeforeRecordsBegan)
{
    EXPECT_EQ(GetPrintPeriod(PrintType::WholeList, -1, D(2026, 12, 7)), PrintPeriod{});
    EXPECT_EQ(GetPrintPeriod(PrintType::Summary, 7, D(2026, 12, 7)), (PrintPeriod{D(2008, 1, 1), D(2026, 12, 7)}));
}

TEST(PrintPeriods, WeeksStartOnMonday)
{
    for (int day = 30; day <= 36; ++day) {
        const QDate d = D(2026, 11, 30).addDays(day - 30);
        EXPECT_EQ(StartOfWeek(d), D(2026, 11, 30)) << d.toString().toStdString();
    }
    EXPECT_EQ(StartOfWeek(D(2026, 3, 1)), D(2026, 2, 23)) << "a Sunday rolls back into the month before";
}

TEST(PrintPeriods, AListAboveTwentyRecordsWarnsOfItsPages)
{
    const QString caption = QStringLiteral("All the responses in the list");
    const struct {
        int32_t count;
        const char* shown;
    } cases[] = {
        {0, "All the responses in the list"},
        {20, "All the responses in the list"},
        {21, "All the responses in the list (21 pages)"},
        {1234, "All the responses in the list (1,234 pages)"},
        {1234567, "All the responses in the list (1,234,567 pages)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CaptionWithPageCount(caption, c.count), QLatin1String(c.shown)) << c.count;
}

} // namespace
