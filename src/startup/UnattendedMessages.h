#pragma once

#include <QString>
#include <QStringList>

// While the program runs unattended, message boxes are not shown: their
// texts go to a dated text log in the program folder ("NevixAuto" and the
// day, ".LOG"), one line each, written at once, and to standard error.
void LogUnattendedMessagesIn(const QString& programFolder);

// Why an unattended run failed, for whoever started it (a scheduler mails
// what a job writes there): each text on a line of its own.
void WriteFailureToStandardError(const QStringList& texts);
