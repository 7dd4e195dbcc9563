// Elapsed-time routines: the 0.02 s rule, midnight, UTC day numbers.
#include "comms/timing.h"

#include "support/settable_clock.h"

#include <QTimeZone>
#include <gtest/gtest.h>

namespace vanta::comms {
namespace {

using test::SettableClock;

void setTimeOfDay(SettableClock &clock, double seconds)
{
    const QDateTime midnight(QDate(2009, 3, 15), QTime(0, 0));
    clock.setLocal(midnight.addMSecs(qRound64(seconds * 1000.0)));
}

TEST(Timing, ElapsedSecondsIgnoresJitterAndCrossesMidnight)
{
    struct Case
    {
        double start;
        double now;
        double elapsed;
    };
    const Case cases[] = {
        {36000, 36000.5, 0.5},   {36000, 36000.019, 0}, // under 0.02 s counts as nothing
        {36000, 36000.03, 0.03}, {36000.01, 36000, 0},  // a tiny step back too
        {86399.9, 0.2, 0.3},                            // sent before midnight, checked after it
        {100, 50, 86350},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.now);
        SettableClock clock;
        setTimeOfDay(clock, c.now);
        EXPECT_NEAR(ClockSeconds(clock), c.now, 1e-9);
        EXPECT_NEAR(ElapsedSeconds(clock, c.start), c.elapsed, 1e-6);
    }
}

TEST(Timing, SystemTimeNowIsTheUtcDayNumberWithMilliseconds)
{
    SettableClock clock;
    clock.setLocal(QDateTime(QDate(2009, 3, 15), QTime(6, 0, 0, 250), QTimeZone::utc()));
    // 39887 days after 1899-12-30, a quarter of a day, 250 ms.
    EXPECT_NEAR(SystemTimeNow(clock) * 86400, (39887 + 0.25) * 86400 + 0.25, 1e-4);
    clock.setLocal(QDateTime(QDate(1899, 12, 30), QTime(0, 0), QTimeZone::utc()));
    EXPECT_DOUBLE_EQ(SystemTimeNow(clock), 0);
}

TEST(Timing, SecondsSinceAddsTheHundredthAndAnHourWhenNegative)
{
    SettableClock clock;
    const double start = SystemTimeNow(clock) * 86400;
    clock.advance(5);
    EXPECT_NEAR(SecondsSince(clock, start), 5.01, 1e-4);
    EXPECT_NEAR(SecondsSince(clock, start + 10), 3600 - 4.99, 1e-4);
}

} // namespace
} // namespace vanta::comms
