// The system clock.
#include "core/clock.h"

#include <QThread>

namespace vanta::core {

double SystemClock::secondsSinceMidnight() const
{
    const QTime time = QTime::currentTime();
    return time.msecsSinceStartOfDay() / 1000.0;
}

QDateTime SystemClock::localNow() const
{
    return QDateTime::currentDateTime();
}

QDateTime SystemClock::utcNow() const
{
    return QDateTime::currentDateTimeUtc();
}

void SystemClock::sleepSeconds(double seconds)
{
    if (seconds > 0)
        QThread::usleep(static_cast<unsigned long>(seconds * 1e6));
}

} // namespace vanta::core
