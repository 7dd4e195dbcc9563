// Timing shared by the background samplers (logging sessions, trend sampling): when the sample
// after a due one falls, and how often a sampler may rewrite the main window's error line.
#pragma once

namespace vanta::logging {

// The offset (seconds after the start) of the sample after the one due at `dueOffset`, when the
// tick came `secondsSinceStart` seconds after the start. A tick within two rate steps of the due
// time moves one step on; a later one (ticks stalled by a long modal operation) skips the missed
// samples to the first step after now: they are never taken. `rate` must be positive.
double nextOffsetAfter(double dueOffset, double secondsSinceStart, double rate);

// Lets an action through at most once per interval of the time of day (ClockSeconds readings);
// a reading on the far side of midnight counts as time passed.
class Throttle
{
public:
    explicit Throttle(double intervalSeconds) : m_interval(intervalSeconds) {}

    // True, and the time remembered, when more than the interval has passed since the last
    // time let through (or none was).
    bool pass(double clockSeconds);

private:
    double m_interval;
    double m_last = -1e9;
};

} // namespace vanta::logging
