#include "reports/GroupedList.h"

#include "core/VbFormat.h"
#include "reports/ReportPage.h"

namespace {
bool SameKey(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
} // namespace

void GroupedList::DefineColumn(int n, const QString& heading, double xOffset)
{
    if (n == 1)
        m_columns.clear();
    if (int(m_columns.size()) < n)
        m_columns.resize(size_t(n));
    m_columns[size_t(n - 1)] = {heading, QString(), xOffset};
}

void GroupedList::SetCell(int n, const QString& text)
{
    m_columns.at(size_t(n - 1)).cellText = text;
}

void GroupedList::PrintColumnHeadings()
{
    for (const auto& column : m_columns)
        m_page.PrintText(column.heading, m_page.TableLeft() + column.xOffset, true);
    m_page.PrintLine({}, {}, false);
}

void GroupedList::PrintColumnRow()
{
    for (auto& column : m_columns) {
        m_page.PrintText(column.cellText, m_page.TableLeft() + column.xOffset, false);
        column.cellText.clear();
    }
    m_page.PrintLine();
}

bool GroupedList::GroupChange(const ReportGroupState& state) const
{
    return !SameKey(state.newGroupKey, state.groupKey) && state.groupCount != -1;
}

// A new group closes the sub-group too, even when the next group starts
// with a sub-group key of the same text.
bool GroupedList::SubGroupChange(const ReportGroupState& state) const
{
    if (state.subGroupCount == -1)
        return false;
    return !SameKey(state.newSubGroupKey, state.subGroupKey) || (state.usesSubGroups && GroupChange(state));
}

bool GroupedList::DayChange(const ReportGroupState& state) const
{
    return state.days == ReportGroupState::Days::Counting && state.newDate != state.currentDay;
}

double GroupedList::HeightOfGroupBreak(const ReportGroupState& state)
{
    double h = 0;
    if (DayChange(state))
        h += m_page.LineHeight(true);
    const bool subGroupChange = SubGroupChange(state);
    const bool groupChange = GroupChange(state);
    if (subGroupChange)
        h += m_page.LineHeight(false);
    if (groupChange)
        h += m_page.LineHeight(false);
    if ((subGroupChange || groupChange) && state.newGroupKey != EndKey)
        h += 2 * m_page.LineHeight(true);
    return h;
}

void GroupedList::BreakPageIfDue(ReportGroupState& state, const QString& title, const QString& partyName,
                                 const QString& dateRange, bool orEqual)
{
    const double bottom = m_page.Canvas().CurrentY() + HeightOfGroupBreak(state);
    if (!(bottom > m_page.FooterTop() || (orEqual && bottom == m_page.FooterTop())))
        return;
    m_page.PrintPageFooter(title, state.pageNumber);
    m_page.Canvas().NewPage();
    ++state.pageNumber;
    m_page.PrintPageHeader(title, partyName, dateRange);
    PrintGroupHeading(state);
}

void GroupedList::ProcessGroupBreak(ReportGroupState& state)
{
    const QString oldGroupKey = state.groupKey;
    const QString oldSubGroupKey = state.subGroupKey;
    const bool groupOpening = state.groupCount == -1 && state.newGroupKey != EndKey;
    const bool subGroupOpening = state.usesSubGroups && state.subGroupCount == -1 && state.newGroupKey != EndKey;
    const bool subGroupChange = SubGroupChange(state);

    if (state.days != ReportGroupState::Days::Off) {
        if (state.days == ReportGroupState::Days::Counting && state.newDate != state.currentDay) {
            m_page.PrintLine(QString::number(state.dayCount) + QStringLiteral(" for ") +
                                 FormatDateTime(state.currentDay.startOfDay(), QStringLiteral("dd-mmm-yyyy")),
                             {}, true);
            state.dayCount = 0;
        }
        state.currentDay = state.newDate;
        state.days = ReportGroupState::Days::Counting;
    }

    // The first record opens its group whatever its key, an empty one too.
    if (!SameKey(state.newGroupKey, state.groupKey) || groupOpening) {
        if (state.groupCount != -1)
            PrintGroupTotal(state);
        state.groupKey = state.newGroupKey;
        state.groupCount = 0;
        state.groupReturned = 0;
        state.groupCharge = Currency();
    }

    if (subGroupChange || subGroupOpening) {
        if (state.subGroupCount != -1)
            m_page.PrintLine(QStringLiteral("  Number of enquiries for ") + state.subGroupKey + QStringLiteral(" : ") +
                             QString::number(state.subGroupCount) + QStringLiteral(", number returned : ") +
                             QString::number(state.subGroupReturned));
        state.subGroupKey = state.newSubGroupKey;
        state.subGroupCount = 0;
        state.subGroupReturned = 0;
    }

    const bool keysMoved = state.groupKey != oldGroupKey || state.subGroupKey != oldSubGroupKey;
    if ((keysMoved || groupOpening || subGroupChange) && state.newGroupKey != EndKey)
        PrintGroupHeading(state);
}

void GroupedList::PrintGroupTotal(const ReportGroupState& state)
{
    QString text;
    if (state.countResponses)
        text = QStringLiteral("Number of responses for ") + state.groupKey + QStringLiteral(" : ") +
               QString::number(state.groupCount);
    else if (state.sumCharges)
        text = QStringLiteral("Total charge for ") + state.groupKey + QStringLiteral(" : £") +
               FormatCurrency(state.groupCharge, QStringLiteral("#,##0.00"));
    else
        text = QStringLiteral("Number of enquiries for ") + state.groupKey + QStringLiteral(" : ") +
               QString::number(state.groupCount) + QStringLiteral(", number returned : ") +
               QString::number(state.groupReturned);
    m_page.PrintLine(text);
}

void GroupedList::PrintGroupHeading(const ReportGroupState& state)
{
    if (!state.groupKey.isEmpty())
        m_page.PrintLine(state.groupKey + QStringLiteral(" - ") + state.subGroupKey, {}, true);
    else
        m_page.PrintLine(state.groupKey, {}, true);
    PrintColumnHeadings();
}
