#pragma once

#include <QString>

#include <cstdint>

class LogLines;
class QListWidget;

// The log routines on a real list box: text measured in the list's font,
// wrapped to 95% of the list's width.

// Adds the text as one or more items, broken at the last blank that fits,
// or inside a word wider than the list (at least one character an item).
void AddWrappedListItem(QListWidget& list, const QString& text);
// Refills the list with the lines whose event code shares a bit with the
// filter, under run headers when run details are asked for.
void FormatLogForDisplay(QListWidget& list, const LogLines& log, bool showRunDetails,
                         int16_t eventFilter);
