// The system clock.
#include "core/clock.h"

#include <QThread>
#include <ctime>

namespace vanta::core {

double SystemClock::secondsSinceMidnight() const
{
#ifdef Q_OS_UNIX
    // Transactions read this several times each. QTime::currentTime re-reads the time zone
    // (a stat of the zone file) on every call; localtime_r does not.
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + now.tv_nsec / 1e9;
#else
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
#endif
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
