// The clock port: every time-out, pacing gap, stamp and refresh interval reads time through it,
// so tests can run midnight crossings and hour-long sessions instantly.
#pragma once

#include <QDateTime>

namespace vanta::core {

class Clock
{
public:
    virtual ~Clock() = default;
    // Local time of day in seconds since midnight, with fractions.
    virtual double secondsSinceMidnight() const = 0;
    // Local date and time, with milliseconds.
    virtual QDateTime localNow() const = 0;
    // UTC date and time, with milliseconds.
    virtual QDateTime utcNow() const = 0;
    // Lets time pass (pacing gaps); a settable clock just advances.
    virtual void sleepSeconds(double seconds) = 0;
};

// Not shared between threads: it keeps the local time of the last whole second it converted.
class SystemClock final : public Clock
{
public:
    double secondsSinceMidnight() const override;
    QDateTime localNow() const override;
    QDateTime utcNow() const override;
    void sleepSeconds(double seconds) override;

private:
    mutable qint64 m_convertedSecond = -1; // UTC seconds since the epoch
    mutable int m_secondsOfDay = 0;        // its local time of day
};

} // namespace vanta::core
