#include "platform/LocalTime.h"

#include "platform/LocalZone.h"

namespace {
// The local wall-clock reading of a moment, counted as if it were UTC, and
// the local value of that moment.
qint64 ReadingAt(qint64 moment, QDateTime& local)
{
    local = QDateTime::fromMSecsSinceEpoch(moment, Qt::LocalTime);
    return QDateTime(local.date(), local.time(), Qt::UTC).toMSecsSinceEpoch();
}

constexpr qint64 Day = 24 * 3600 * 1000;

QDateTime WorkedOut(const QDate& date, const QTime& time)
{
    if (!date.isValid() || !time.isValid())
        return QDateTime(date, time);
    // Converting a moment to local time depends on nothing but the zone's
    // rules, unlike resolving a clock reading (which the C library guesses
    // from its last conversion), so the reading is matched against the
    // moments it can stand for. No zone is a day or more from UTC: the
    // offsets in force a day either side are all the reading can have.
    const qint64 reading = QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch();
    QDateTime local;
    // With the offset from before a change: when the clocks went back, the
    // earlier of the two moments; otherwise the only one.
    const qint64 before = ReadingAt(reading - Day, local) - (reading - Day);
    if (ReadingAt(reading - before, local) == reading)
        return local;
    const qint64 after = ReadingAt(reading + Day, local) - (reading + Day);
    if (after != before && ReadingAt(reading - after, local) == reading)
        return local;
    return QDateTime(date, time);
}

thread_local LocalTimeMemo* held = nullptr;
} // namespace

LocalTimeMemo::LocalTimeMemo(Zone zone)
{
    if (!held) {
        held = this;
        m_held = true;
        if (zone == Zone::ReadAgain)
            LocalZone::Refresh();
        else
            LocalZone::RefreshHourly();
    }
}

LocalTimeMemo::~LocalTimeMemo()
{
    if (m_held)
        held = nullptr;
}

QDateTime LocalDateTime(const QDate& date, const QTime& time)
{
    // A job keeps the zone it started with.
    if (!held)
        LocalZone::RefreshHourly();
    if (!held || !date.isValid() || !time.isValid())
        return WorkedOut(date, time);
    const int64_t key = date.toJulianDay() * 86'400'000 + time.msecsSinceStartOfDay();
    auto& built = held->m_built;
    if (const auto seen = built.find(key); seen != built.end())
        return seen->second;
    // Where the offsets a day before the day's start and a day after its end
    // agree, the clocks do not change near it (no zone changes them twice
    // within days), and every reading of the day is the moment that offset
    // gives: the value worked out the long way.
    auto steady = held->m_steadyOffsets.find(date.toJulianDay());
    if (steady == held->m_steadyOffsets.end()) {
        const qint64 start = QDateTime(date, QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
        const qint64 end = start + Day - 1;
        QDateTime local;
        const qint64 before = ReadingAt(start - Day, local) - (start - Day);
        const qint64 after = ReadingAt(end + Day, local) - (end + Day);
        steady = held->m_steadyOffsets
                     .emplace(date.toJulianDay(), before == after ? std::optional(before) : std::nullopt)
                     .first;
    }
    QDateTime value;
    if (steady->second)
        value = QDateTime::fromMSecsSinceEpoch(QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch() - *steady->second,
                                               Qt::LocalTime);
    else
        value = WorkedOut(date, time);
    return built.emplace(key, value).first->second;
}

QDateTime FirstOccurrence(const QDateTime& value)
{
    if (!value.isValid() || value.timeSpec() != Qt::LocalTime)
        return value;
    return LocalDateTime(value.date(), value.time());
}
