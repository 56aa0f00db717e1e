#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class ReportCanvas;

// One list of a log window as it is printed: its heading and its lines.
struct PrintedLogList {
    QString Heading;
    QStringList Lines;
};

// Prints a log window on one portrait job: the title, the date, then each
// list that holds lines under its heading. A line that would pass the
// printable bottom starts a new page. The canvas's font is given back.
void PrintTransmissionLog(ReportCanvas& canvas, const QString& title, const QDate& today,
                          const QList<PrintedLogList>& lists);
