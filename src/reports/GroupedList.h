#pragma once

#include "reports/ReportGroupState.h"

#include <QString>

#include <vector>

class ReportPage;

// The machinery of the list reports: the column table, the group, sub-group
// and day totals with their headings, and the page break before the footer.
class GroupedList {
public:
    static inline const QString EndKey = QStringLiteral("$$");

    explicit GroupedList(ReportPage& page) : m_page(page) {}

    // Column 1 restarts the table.
    void DefineColumn(int n, const QString& heading, double xOffset);
    void SetCell(int n, const QString& text);
    const std::vector<ReportColumn>& Columns() const { return m_columns; }

    void PrintColumnHeadings();
    void PrintColumnRow();

    bool GroupChange(const ReportGroupState& state) const;
    bool SubGroupChange(const ReportGroupState& state) const;
    bool DayChange(const ReportGroupState& state) const;

    double HeightOfGroupBreak(const ReportGroupState& state);
    // Ends the page and starts the next one, with the group in progress
    // announced again, when the coming totals and headings would pass the
    // footer top (orEqual: also when they would reach it).
    void BreakPageIfDue(ReportGroupState& state, const QString& title, const QString& partyName,
                        const QString& dateRange, bool orEqual);
    void ProcessGroupBreak(ReportGroupState& state);
    void PrintGroupHeading(const ReportGroupState& state);

private:
    void PrintGroupTotal(const ReportGroupState& state);

    ReportPage& m_page;
    std::vector<ReportColumn> m_columns;
};
