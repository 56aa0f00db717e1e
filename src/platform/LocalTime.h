#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cstdint>
#include <optional>
#include <unordered_map>

// The moment the local wall clock shows the date and time. A time that the
// change back from summer time repeats is its first occurrence (still in
// summer time), whatever the process converted before. Everything else is
// the value QDateTime(date, time) gives: a time that the change to summer
// time skips is invalid yet keeps its date and time.
// Working that out asks the system for the zone's offsets several times:
// while a LocalTimeMemo lives in this thread, each distinct value is worked
// out once, and a day the clocks do not change near by asking once more.
// Outside a job, the system's zone is read again once the hour changes
// (LocalZone).
QDateTime LocalDateTime(const QDate& date, const QTime& time);

// Held by a job for as long as it runs (an import, a receive): the
// system's zone is read again when it starts and kept until it ends, and
// the next job sees a change. A memo made while another is held in the
// thread leaves that one in charge.
class LocalTimeMemo {
public:
    // A job reads the system's zone again as it starts; a part of one that
    // may also run alone (a record set read) only at a later hour.
    enum class Zone { ReadAgain, ReadAtALaterHour };
    explicit LocalTimeMemo(Zone zone = Zone::ReadAgain);
    ~LocalTimeMemo();
    LocalTimeMemo(const LocalTimeMemo&) = delete;
    LocalTimeMemo& operator=(const LocalTimeMemo&) = delete;

private:
    friend QDateTime LocalDateTime(const QDate& date, const QTime& time);

    bool m_held = false;
    std::unordered_map<int64_t, QDateTime> m_built;
    // By day: the offset from UTC in force all day and a day either side,
    // or none where it changes.
    std::unordered_map<int64_t, std::optional<qint64>> m_steadyOffsets;
};

// A local value read by a general parser taken to the first occurrence of
// its wall-clock time; any other value as it is.
QDateTime FirstOccurrence(const QDateTime& value);
