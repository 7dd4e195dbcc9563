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

class SystemClock final : public Clock
{
public:
    double secondsSinceMidnight() const override;
    QDateTime localNow() const override;
    QDateTime utcNow() const override;
    void sleepSeconds(double seconds) override;
};

} // namespace vanta::core
