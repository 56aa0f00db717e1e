#pragma once

#include "scheduling/MiniScheduler.h"

// Weekdays, hourly from 08:00 to 17:00: the row most tests start from.
inline void SetWeekdaysHourly(MiniScheduler& row)
{
    row.SetRunAtID(MiniScheduler::RunOnDays);
    row.SetDaysToRun(QStringLiteral("1111100"));
    QString first = QStringLiteral("08:00");
    QString last = QStringLiteral("17:00");
    row.SetFirstTime(first);
    row.SetLastTime(last);
    row.SetEvery60Mins(true);
}
