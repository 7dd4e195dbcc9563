// Time routines of the transaction code and the logging sessions.
#include "comms/timing.h"

#include <QDate>
#include <QTime>
#include <cmath>

namespace vanta::comms {

namespace {
constexpr double SecondsPerDay = 86400;
// Differences this small are clock jitter, not time that passed.
constexpr double NegligibleSeconds = 0.02;
} // namespace

double ClockSeconds(const core::Clock &clock)
{
    return clock.secondsSinceMidnight();
}

double ElapsedSeconds(const core::Clock &clock, double StartTime)
{
    const double difference = ClockSeconds(clock) - StartTime;
    if (std::abs(difference) < NegligibleSeconds)
        return 0;
    if (difference >= 0)
        return difference;
    return difference + SecondsPerDay;
}

double SystemTimeNow(const core::Clock &clock)
{
    const QDateTime utc = clock.utcNow().toUTC();
    const QDate epoch(1899, 12, 30);
    const QTime time = utc.time();
    const int wholeSeconds = time.hour() * 3600 + time.minute() * 60 + time.second();
    return static_cast<double>(epoch.daysTo(utc.date())) + wholeSeconds / SecondsPerDay +
           time.msec() / SecondsPerDay / 1000.0;
}

double SecondsSince(const core::Clock &clock, double StartSeconds)
{
    const double seconds = SystemTimeNow(clock) * SecondsPerDay + 0.01 - StartSeconds;
    if (seconds < 0)
        return seconds + 3600;
    return seconds;
}

} // namespace vanta::comms
