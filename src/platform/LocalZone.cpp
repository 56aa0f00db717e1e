#include "platform/LocalZone.h"

#include "platform/AppContext.h"

#include <QByteArray>
#include <QDateTime>
#include <QtGlobal>

#include <atomic>
#include <ctime>
#include <limits>

namespace {
std::atomic<int> reads{0};
std::atomic<int> generation{0};
// The program clock's hour at the last Refresh(); none before the first.
std::atomic<qint64> readHour{std::numeric_limits<qint64>::min()};
// Whether TZ was left to us then: a zone of the user's own needs no
// hourly look.
std::atomic<bool> kept{true};

// Read from the clock's fields: no conversion of its own.
qint64 HourNow()
{
    const QDateTime now = AppContext::Current().clock().Now();
    if (!now.isValid())
        return 0;
    return now.date().toJulianDay() * 24 + now.time().hour();
}

void ReadAt(qint64 hour)
{
    readHour = hour;
    kept = !qEnvironmentVariableIsSet("TZ") || qgetenv("TZ") == LocalZone::Marker;
    if (!kept)
        return;
    // With TZ unset the C library compares the file with the one it read
    // and reads it again if it changed; TZ then naming the same file leaves
    // that reading in force.
    qunsetenv("TZ");
    tzset();
    qputenv("TZ", LocalZone::Marker);
    tzset();
    ++reads;
    ++generation;
}
} // namespace

void LocalZone::Refresh()
{
    ReadAt(HourNow());
}

void LocalZone::RefreshHourly()
{
    if (!kept)
        return;
    const qint64 hour = HourNow();
    if (hour != readHour)
        ReadAt(hour);
}

int LocalZone::Reads()
{
    return reads;
}

void LocalZone::Use(const QByteArray* zone)
{
    if (zone)
        qputenv("TZ", *zone);
    else
        qunsetenv("TZ");
    tzset();
    ++generation;
}

int LocalZone::Generation()
{
    return generation;
}
