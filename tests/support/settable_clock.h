// A clock that tests set and advance by hand; sleeping just advances it.
#pragma once

#include "core/clock.h"

#include <QDateTime>
#include <QTimeZone>

namespace vanta::test {

class SettableClock : public core::Clock
{
public:
    // Starts at 2009-03-15 10:00:00.000 local time.
    SettableClock() : m_now(QDate(2009, 3, 15), QTime(10, 0)) {}

    void setLocal(const QDateTime &local) { m_now = local; }
    void advance(double seconds) { m_now = m_now.addMSecs(qRound64(seconds * 1000.0)); }

    double secondsSinceMidnight() const override
    {
        return m_now.time().msecsSinceStartOfDay() / 1000.0;
    }
    QDateTime localNow() const override { return m_now; }
    QDateTime utcNow() const override { return m_now.toUTC(); }
    void sleepSeconds(double seconds) override
    {
        if (seconds > 0)
            advance(seconds);
    }

private:
    QDateTime m_now;
};

} // namespace vanta::test
