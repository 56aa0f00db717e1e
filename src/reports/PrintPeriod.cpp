#include "reports/PrintPeriod.h"

#include "core/VbFormat.h"

#include <QLocale>

QDate StartOfWeek(const QDate& day)
{
    // Monday is 1, Sunday 7.
    return day.addDays(1 - day.dayOfWeek());
}

PrintPeriod GetPrintPeriod(int32_t printType, int32_t periodIndex, const QDate& today)
{
    if (printType == PrintType::Today)
        return {today, today};
    if (printType != PrintType::ReceivedInPeriod && printType != PrintType::Summary)
        return {};
    const QDate firstOfMonth(today.year(), today.month(), 1);
    switch (periodIndex) {
    case PeriodIndex::ThisWeek: return {StartOfWeek(today), today};
    case PeriodIndex::LastWeek: {
        const QDate start = StartOfWeek(today.addDays(-7));
        return {start, start.addDays(6)};
    }
    case PeriodIndex::ThisMonth: return {firstOfMonth, today};
    case PeriodIndex::LastMonth: return {firstOfMonth.addMonths(-1), firstOfMonth.addDays(-1)};
    default: return {EarliestPrintDate, today};
    }
}

QString GetPeriodText(const PrintPeriod& period)
{
    if (!period.Start || !period.End)
        return {};
    const auto text = [](const QDate& day) { return QLocale::c().toString(day, QStringLiteral("dd-MMM-yyyy")); };
    const QString end = QStringLiteral(" to ") + text(*period.End);
    return period.Start->year() < 2009 ? end : text(*period.Start) + end;
}

QString CaptionWithPageCount(const QString& caption, int32_t count)
{
    if (count <= PagesBeforeWarning)
        return caption;
    return caption + QStringLiteral(" (") + FormatNumber(count, QStringLiteral("#,##0")) + QStringLiteral(" pages)");
}
