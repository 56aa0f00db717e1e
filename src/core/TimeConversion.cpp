#include "core/TimeConversion.h"

#include "core/DateText.h"
#include "platform/LocalTime.h"

namespace {
// The wall-clock time that the value holds, to the second.
std::optional<SYSTEMTIME> WallClock(const QVariant& value)
{
    QDateTime when;
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        when = value.toDateTime();
        break;
    case QMetaType::QDate:
        when = LocalDateTime(value.toDate(), QTime(0, 0));
        break;
    case QMetaType::QString:
        // Only the clock fields are wanted, so a text naming the local hour
        // skipped in spring still converts.
        if (const NullableDate parsed = ParseUtcDateText(value.toString()))
            when = *parsed;
        break;
    default:
        break;
    }
    // A local time that summer time skips is no valid moment, yet its
    // date and time of day are still there to convert.
    if (!when.date().isValid() || !when.time().isValid())
        return std::nullopt;
    SYSTEMTIME st;
    DateToSystemTime(when, st);
    return st;
}

// The record's fields as a time of the given kind. A local time that the
// change to summer time skips still converts, with the offset before it.
QDateTime Rebuild(const SYSTEMTIME& st, Qt::TimeSpec spec)
{
    const QDate date(st.wYear, st.wMonth, st.wDay);
    const QTime time(st.wHour, st.wMinute, st.wSecond);
    if (!date.isValid() || !time.isValid())
        return {};
    return spec == Qt::LocalTime ? LocalDateTime(date, time) : QDateTime(date, time, spec);
}
} // namespace

void DateToSystemTime(const QDateTime& value, SYSTEMTIME& st)
{
    const QDate d = value.date();
    const QTime t = value.time();
    st.wYear = uint16_t(d.year());
    st.wMonth = uint16_t(d.month());
    st.wDay = uint16_t(d.day());
    st.wHour = uint16_t(t.hour());
    st.wMinute = uint16_t(t.minute());
    st.wSecond = uint16_t(t.second());
}

QDateTime SystemTimeToDate(const SYSTEMTIME& st)
{
    const QDate date(st.wYear, st.wMonth, st.wDay);
    const QTime time(st.wHour, st.wMinute, st.wSecond);
    if (!date.isValid() || !time.isValid())
        return {};
    return LocalDateTime(date, time);
}

NullableDate LocalToUTC(const QVariant& value)
{
    const std::optional<SYSTEMTIME> st = WallClock(value);
    if (!st)
        return std::nullopt;
    // Qt applies the zone's offset at that moment, not today's.
    const QDateTime utc = Rebuild(*st, Qt::LocalTime).toUTC();
    if (!utc.isValid())
        return std::nullopt;
    return utc;
}

NullableDate UTCToLocal(const QVariant& value)
{
    const std::optional<SYSTEMTIME> st = WallClock(value);
    if (!st)
        return std::nullopt;
    const QDateTime utc = Rebuild(*st, Qt::UTC);
    if (!utc.isValid())
        return std::nullopt;
    return utc.toLocalTime();
}
