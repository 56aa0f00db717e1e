#pragma once

#include <QString>

// While the program runs unattended, message boxes are not shown: their
// texts go to a dated text log in the program folder ("NevixAuto" and the
// day, ".LOG"), one line each, written at once, and to standard error.
void LogUnattendedMessagesIn(const QString& programFolder);
