#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

class LogLines;

// What the transmission log windows show, apart from their widgets.
namespace TransmissionLogView {

// Warnings, errors and fatal lines: the status window's second list.
constexpr int16_t ErrorsMask = 896;

// The status window's log list: the setting without the codes of the
// errors list, with the detail lines exactly when the box is ticked.
int16_t StatusLogMask(int16_t logFilter, bool showDetail);
// The history list keeps warnings and errors in.
int16_t HistoryLogMask(int16_t logFilter, bool showDetail);
// The detail box starts ticked when the setting shows detail lines.
bool DetailShownAtLoad(int16_t logFilter);
// The history starts at the same day three calendar months back.
QDateTime HistoryStart(const QDate& today);

// The lines of the log with a warning, error or fatal code, in log order,
// in a collection of their own.
std::shared_ptr<LogLines> ErrorsAndWarnings(const LogLines& log);
// The run's title: its header's text and time; empty without a header.
QString LogTitle(const LogLines& log);

} // namespace TransmissionLogView
