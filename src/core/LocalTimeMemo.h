#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cstdint>
#include <unordered_map>

// A local date and time, as QDateTime(day, time) builds it. Building one
// checks it against the zone's rules, and with TZ unset that re-reads the
// zone file every time; while a LocalTimeMemo lives in this thread, each
// distinct value is built once. (Its offset from UTC is still worked out
// when asked for.)
QDateTime LocalDateTime(const QDate& day, const QTime& time);

// Held by a job for as long as it runs. A memo made while another is held
// in the thread leaves that one in charge.
class LocalTimeMemo {
public:
    LocalTimeMemo();
    ~LocalTimeMemo();
    LocalTimeMemo(const LocalTimeMemo&) = delete;
    LocalTimeMemo& operator=(const LocalTimeMemo&) = delete;

private:
    friend QDateTime LocalDateTime(const QDate& day, const QTime& time);

    bool m_held = false;
    std::unordered_map<int64_t, QDateTime> m_built;
};
