#include "platform/Clock.h"

QDateTime SystemClock::Now() const
{
    // Cut by moving the moment, not by setting the clock reading again,
    // which in the hour repeated in autumn could land on its other
    // occurrence; and converted to local time once, as it is read at every
    // record a job writes.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    return QDateTime::fromMSecsSinceEpoch(now - now % 1000, Qt::LocalTime);
}
