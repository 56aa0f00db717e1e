#include "platform/Clock.h"

QDateTime SystemClock::Now() const
{
    // Cut by moving the moment, not by setting the clock reading again,
    // which in the hour repeated in autumn could land on its other
    // occurrence.
    const QDateTime now = QDateTime::currentDateTime();
    return now.addMSecs(-now.time().msec());
}
