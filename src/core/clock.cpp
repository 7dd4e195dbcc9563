// The system clock.
#include "core/clock.h"

#include <QThread>
#include <ctime>

namespace vanta::core {

double SystemClock::secondsSinceMidnight() const
{
#ifdef Q_OS_UNIX
    // Transactions read this once per received byte. QTime::currentTime re-reads the time zone
    // (a stat of the zone file) on every call, and even localtime_r costs more than the rest of
    // a byte's handling, so the local time is converted once per whole second: offsets from UTC
    // only ever change on a whole second.
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (now.tv_sec != m_convertedSecond) {
        tm local{};
        localtime_r(&now.tv_sec, &local);
        m_convertedSecond = now.tv_sec;
        m_secondsOfDay = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    }
    return m_secondsOfDay + now.tv_nsec / 1e9;
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
