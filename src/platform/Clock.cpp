#include "platform/Clock.h"

#include "platform/LocalZone.h"


QDateTime SystemClock::Now() const
{
    // Cut by moving the moment, not by setting the clock reading again,
    // which in the hour repeated in autumn could land on its other
    // occurrence. A job reads the clock at every line it imports: the
    // moment is converted to local time once a second, and again once the
    // zone in force changes.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const qint64 second = now - now % 1000;
    const int zone = LocalZone::Generation();
    thread_local qint64 convertedSecond = -1;
    thread_local int convertedZone = -1;
    thread_local QDateTime converted;
    if (second != convertedSecond || zone != convertedZone) {
        converted = QDateTime::fromMSecsSinceEpoch(second, Qt::LocalTime);
        convertedSecond = second;
        convertedZone = zone;
    }
    return converted;
}
