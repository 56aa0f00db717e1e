#pragma once

#include "platform/Nullable.h"

#include <QDateTime>
#include <QVariant>

#include <cstdint>

// A calendar date and time of day field by field. The day of the week and
// the milliseconds are not used here and stay 0.
struct SYSTEMTIME {
    uint16_t wYear = 0;
    uint16_t wMonth = 0;
    uint16_t wDayOfWeek = 0;
    uint16_t wDay = 0;
    uint16_t wHour = 0;
    uint16_t wMinute = 0;
    uint16_t wSecond = 0;
    uint16_t wMilliseconds = 0;
};

void DateToSystemTime(const QDateTime& value, SYSTEMTIME& st);
// Invalid when the fields make no date or time.
QDateTime SystemTimeToDate(const SYSTEMTIME& st);

// The value (a date-time, a date, or a text that reads as a date) taken as
// local wall-clock time and returned as the same moment in UTC, with the
// offset in force at that moment (summer time included); no value for
// anything that is no date. Precision one second.
NullableDate LocalToUTC(const QVariant& value);
// The value taken as UTC wall-clock time and returned in local time.
NullableDate UTCToLocal(const QVariant& value);
