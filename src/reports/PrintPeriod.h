#pragma once

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>

// What the print dialog prints.
namespace PrintType {
constexpr int32_t Nothing = 0; // nothing chosen, or Cancel pressed
constexpr int32_t Selected = 1;
constexpr int32_t WholeList = 2;
constexpr int32_t Today = 3;
constexpr int32_t ReceivedInPeriod = 4;
constexpr int32_t Summary = 5;
} // namespace PrintType

// The period list's entries; any other index (-1: nothing chosen) means
// "since records began".
namespace PeriodIndex {
constexpr int32_t ThisWeek = 0;
constexpr int32_t LastWeek = 1;
constexpr int32_t ThisMonth = 2;
constexpr int32_t LastMonth = 3;
} // namespace PeriodIndex

// Dates without time; both empty when the print takes no period.
struct PrintPeriod {
    std::optional<QDate> Start;
    std::optional<QDate> End;
    bool operator==(const PrintPeriod&) const = default;
};

// The first day before records began: the period of "any time".
inline const QDate EarliestPrintDate(2008, 1, 1);

// Weeks start on Monday: the Monday on or before `day`.
QDate StartOfWeek(const QDate& day);
PrintPeriod GetPrintPeriod(int32_t printType, int32_t periodIndex, const QDate& today);
// "dd-MMM-yyyy to dd-MMM-yyyy"; "" without a period; " to " and the end
// alone when the period starts before records began.
QString GetPeriodText(const PrintPeriod& period);
// The caption of "all in the list", warning of a long print above 20
// records: " (1,234 pages)" appended.
QString CaptionWithPageCount(const QString& caption, int32_t count);
constexpr int32_t PagesBeforeWarning = 20;
