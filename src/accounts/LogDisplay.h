#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

class LogLines;

// The width of a text as the list's form draws it, in the list's units.
using TextWidthMeasure = std::function<double(const QString&)>;

// A list box as the log routines fill it: its items, its width and how
// its form measures text.
struct WrappedList {
    QStringList& Items;
    double Width = 0;
    TextWidthMeasure TextWidth;
    // Optional: a width that is quick to work out and never off by a tenth
    // (the advances of the characters without their kerning), so that a
    // line well inside the list is not measured exactly.
    TextWidthMeasure QuickWidth = {};
};

// The lines of a log whose event code shares a bit with the filter, each
// run under a header when run details are asked for; "No items" when none.
void FormatLogForDisplay(WrappedList& list, const LogLines& log, bool showRunDetails,
                         int16_t eventFilter);
// Adds the text as items no wider than 95% of the list, broken at the last
// blank that fits, or inside a word wider than the list.
void AddWrappedListItem(WrappedList& list, const QString& text);
// A list filled by FormatLogForDisplay holds lines unless it is empty or
// shows only its "No items" placeholder.
bool ListHoldsLines(const QStringList& items);
