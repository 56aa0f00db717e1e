#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

// The moment the local wall clock shows the date and time. A time that the
// change back from summer time repeats is its first occurrence (still in
// summer time), whatever the process converted before. Everything else is
// the value QDateTime(date, time) gives: a time that the change to summer
// time skips is invalid yet keeps its date and time.
QDateTime LocalDateTime(const QDate& date, const QTime& time);

// A local value read by a general parser taken to the first occurrence of
// its wall-clock time; any other value as it is.
QDateTime FirstOccurrence(const QDateTime& value);
