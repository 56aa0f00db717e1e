#include "screens/common/LogListBox.h"

#include <QFontMetricsF>
#include <QListWidget>

#include "accounts/LogDisplay.h"

namespace {
// Runs fill on the list's measure and appends the items it made.
template <typename Fill>
void AppendWrapped(QListWidget& list, Fill fill)
{
    QStringList items;
    const QFontMetricsF metrics(list.font());
    WrappedList wrapped{items, double(list.width()),
                        [&metrics](const QString& text) { return metrics.horizontalAdvance(text); }};
    fill(wrapped);
    list.addItems(items);
}
} // namespace

void AddWrappedListItem(QListWidget& list, const QString& text)
{
    AppendWrapped(list, [&](WrappedList& wrapped) { AddWrappedListItem(wrapped, text); });
}

void FormatLogForDisplay(QListWidget& list, const LogLines& log, bool showRunDetails,
                         int16_t eventFilter)
{
    list.clear();
    AppendWrapped(list, [&](WrappedList& wrapped) {
        FormatLogForDisplay(wrapped, log, showRunDetails, eventFilter);
    });
}
