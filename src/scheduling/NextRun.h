#pragma once

#include "platform/Nullable.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// What of a schedule row decides its next run.
struct ScheduleSettings {
    int32_t RunAtID = 0; // 2: on the chosen days at the chosen times
    QString DaysToRun;   // Monday first; "1" runs that day
    bool Every15Mins = false;
    bool Every30Mins = false;
    bool Every60Mins = false;
    QString FirstTime; // "HH:MM"
    QString LastTime;  // "HH:MM", or empty
};

// The next run of a row: the first slot after `now` on a run day, a slot
// less than 5 minutes after `reference` skipped unless `reset`. Slots are
// wall-clock times of the calendar date; a slot the clocks skip runs at
// the first minute after the gap. Null when the row never runs.
NullableDate NextRunDate(const ScheduleSettings& settings, const NullableDate& lastRunDateTime,
                         const QDateTime& reference, const QDateTime& now, bool reset);

// The minute boundaries crossed from `from` to `to` (23:57:40 to 00:00:00
// is 3), on the wall clock.
int64_t MinuteBoundaries(const QDateTime& from, const QDateTime& to);
