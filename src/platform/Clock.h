#pragma once

#include <QDate>
#include <QDateTime>

// The program's notion of "now", replaceable so that tests can fix the date.
class Clock {
public:
    virtual ~Clock() = default;
    // Local time, to the second.
    virtual QDateTime Now() const = 0;
    QDate Today() const { return Now().date(); }
};

class SystemClock : public Clock {
public:
    QDateTime Now() const override;
};
