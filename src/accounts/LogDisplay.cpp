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

bool FitsWellInside(const WrappedList& list, const QString& text, double usable)
{
    return list.QuickWidth && list.QuickWidth(text) <= usable * QuickMargin;
}

// The first prefix length in [low, high] whose width passes limit; high
// + 1 when none does. The width grows with the length.
qsizetype FirstPrefixWider(const TextWidthMeasure& width, const QString& text, double limit, qsizetype low,
                           qsizetype high)
{
    qsizetype end = high + 1;
    while (low < end) {
        const qsizetype mid = low + (end - low) / 2;
        if (width(text.left(mid)) > limit)
            end = mid;
        else
            low = mid + 1;
    }
    return low;
}

void AddWrapped(WrappedList& list, const QString& text)
{
    const double usable = list.Width * 0.95;
    QString rest = text;
    while (!FitsWellInside(list, rest, usable) && list.TextWidth(rest) > usable) {
        // The shortest start of the text that is too wide (the width grows
        // with the length, so a halving search finds it in few measures).
        qsizetype low = 1;
        qsizetype high = rest.size();
        if (list.QuickWidth && std::isfinite(list.QuickWidth(rest))) {
            // The quick widths leave only the prefixes near the width to be
            // measured exactly.
            low = std::max<qsizetype>(
                1, FirstPrefixWider(list.QuickWidth, rest, usable * QuickMargin, 1, high));
            high = std::min(high, FirstPrefixWider(list.QuickWidth, rest, usable / QuickMargin, low, high));
            low = std::min(low, high);
        }
        const qsizetype tooWide = FirstPrefixWider(list.TextWidth, rest, usable, low, high) - 1;
        // tooWide: the first character that does not fit
        const qsizetype lastSpace = tooWide > 0 ? rest.lastIndexOf(u' ', tooWide - 1) : -1;
        qsizetype cut = 0;
        qsizetype resume = 0;
        if (lastSpace >= 0) {
            cut = lastSpace;
            resume = lastSpace + 1;
        } else {
            // At least one character an item, however narrow the list.
            cut = std::max<qsizetype>(tooWide, 1);
            resume = cut;
        }
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
