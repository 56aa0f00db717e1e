#include "accounts/LogDisplay.h"

#include "accounts/Validation.h"
#include "core/AskTellUser.h"
#include "core/DateText.h"
#include "core/LoggingGlobals.h"
#include "database/LogLines.h"

#include <algorithm>
#include <cmath>

namespace {
void AddTrimmed(QStringList& items, const QString& text)
{
    const QString trimmed = TrimSpaces(text);
    if (!trimmed.isEmpty())
        items.append(trimmed);
}

// Kerning moves a line by far less than a tenth of its width.
constexpr double QuickMargin = 0.9;

// Whether the text is wider than the usable width: measured exactly only
// when its quick width lies too near it to tell.
bool TooWide(const WrappedList& list, const QString& text, double usable)
{
    if (list.QuickWidth) {
        const double quick = list.QuickWidth(text);
        if (quick <= usable * QuickMargin)
            return false;
        if (std::isfinite(quick) && quick > usable / QuickMargin)
            return true;
    }
    return list.TextWidth(text) > usable;
}

// The start of the text that goes on one item, and where the rest resumes,
// for a text too wide for the list: up to the last blank before the first
// character that does not fit, or (without such a blank) up to that
// character, at least one character an item however narrow the list.
std::pair<qsizetype, qsizetype> BreakOf(const WrappedList& list, const QString& text, double usable)
{
    const auto fits = [&](qsizetype length) { return !TooWide(list, text.left(length), usable); };
    // The starts that fit are the shortest ones (the width grows with the
    // length), so halving searches find the break in few measures. A blank
    // qualifies when the start up to and including it fits.
    QList<qsizetype> blanks;
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text.at(i) == u' ')
            blanks.append(i);
    qsizetype low = 0;
    qsizetype high = blanks.size();
    while (low < high) {
        const qsizetype mid = low + (high - low) / 2;
        if (fits(blanks[mid] + 1))
            low = mid + 1;
        else
            high = mid;
    }
    if (low > 0)
        return {blanks[low - 1], blanks[low - 1] + 1};
    // The shortest start that is too wide ends with the first character
    // that does not fit.
    low = 1;
    high = text.size();
    while (low < high) {
        const qsizetype mid = low + (high - low) / 2;
        if (fits(mid))
            low = mid + 1;
        else
            high = mid;
    }
    const qsizetype cut = std::max<qsizetype>(low - 1, 1);
    return {cut, cut};
}

void AddWrapped(WrappedList& list, const QString& text)
{
    const double usable = list.Width * 0.95;
    QString rest = text;
    while (TooWide(list, rest, usable)) {
        const auto [cut, resume] = BreakOf(list, rest, usable);
        AddTrimmed(list.Items, rest.left(cut));
        rest = rest.mid(resume);
    }
    AddTrimmed(list.Items, rest);
}
} // namespace

bool ListHoldsLines(const QStringList& items)
{
    return !items.isEmpty() && !(items.size() == 1 && items.front() == QLatin1String("No items"));
}

void AddWrappedListItem(WrappedList& list, const QString& text)
{
    try {
        AddWrapped(list, text);
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to add a line to the list because"),
                        e.Description() + QStringLiteral(" (") + QString::number(e.Number()) +
                            QLatin1Char(')'));
    }
}

void FormatLogForDisplay(WrappedList& list, const LogLines& log, bool showRunDetails,
                         int16_t eventFilter)
{
    list.Items.clear();
    int32_t lastRun = 0;
    for (const auto& line : log) {
        if ((line->EventCode() & eventFilter) <= 0)
            continue;
        if (showRunDetails && line->RunNumber() != lastRun) {
            QString header = QStringLiteral("Run Number: ") + QString::number(line->RunNumber());
            if (!line->UserName().isEmpty())
                header += QStringLiteral(" (from ") + line->UserName() + QStringLiteral(" on ") +
                          line->ComputerName() + QLatin1Char(')');
            AddWrappedListItem(list, header);
            lastRun = line->RunNumber();
        }
        QString entry;
        if (showRunDetails)
            entry = (line->TimeOfEvent() ? FormatGeneralDate(*line->TimeOfEvent()) : QString()) +
                    QLatin1Char(' ');
        entry += EventCodeText(line->EventCode()) + QLatin1Char(' ') + line->EventText();
        AddWrappedListItem(list, entry);
    }
    if (list.Items.isEmpty())
        AddWrappedListItem(list, QStringLiteral("No items"));
}
