#include "database/LogLine.h"

#include "core/LoggingGlobals.h"
#include "core/VbFormat.h"
#include "database/RecordSet.h"

#include <QStringList>

const RecordTable& LogLine::Table() const
{
    static const RecordTable table{QStringLiteral("Transmission_Log"), QStringLiteral("LogId"),
                                   QStringLiteral("Transmission_Log")};
    return table;
}

void LogLine::ReadRow(const RecordSet& rs)
{
    LogLineFields& f = MutableFields();
    if (const auto v = rs.Text(QStringLiteral("LogId")))
        f.LogId = *v;
    f.TimeOfEvent = rs.DateTime(QStringLiteral("Time_Of_Event"));
    if (const auto v = rs.Long(QStringLiteral("Run_Number")))
        f.RunNumber = *v;
    if (const auto v = rs.Short(QStringLiteral("Event_Code")))
        f.EventCode = *v;
    if (const auto v = rs.Text(QStringLiteral("Event_Text")))
        f.EventText = *v;
    if (const auto v = rs.Text(QStringLiteral("ProcessCode")))
        f.ProcessCode = *v;
    if (const auto v = rs.Text(QStringLiteral("UserName")))
        f.UserName = *v;
    if (const auto v = rs.Text(QStringLiteral("ComputerName")))
        f.ComputerName = *v;
}

ColumnValues LogLine::RowValues() const
{
    const LogLineFields& f = Current();
    return {{QStringLiteral("Time_Of_Event"), ToVariant(f.TimeOfEvent)},
            {QStringLiteral("Run_Number"), f.RunNumber},
            {QStringLiteral("Event_Code"), f.EventCode},
            {QStringLiteral("Event_Text"), TextOrNull(f.EventText.left(EventTextLength))},
            {QStringLiteral("ProcessCode"), TextOrNull(f.ProcessCode)},
            {QStringLiteral("UserName"), TextOrNull(f.UserName)},
            {QStringLiteral("ComputerName"), TextOrNull(f.ComputerName)}};
}

QString LogLine::ToString(const QString& SepChar) const
{
    const LogLineFields& f = Current();
    return QStringList{f.TimeOfEvent ? FormatDateTime(*f.TimeOfEvent, QStringLiteral("yyyy-mm-dd hh:nn:ss"))
                                     : QString(),
                       f.ProcessCode,
                       QString::number(f.RunNumber),
                       f.UserName,
                       EventCodeText(f.EventCode),
                       f.EventText}
        .join(SepChar);
}
