// Time routines of the transaction code and the logging sessions.
#pragma once

#include "core/clock.h"

namespace vanta::comms {

// Local time of day in seconds since midnight, with fractions.
double ClockSeconds(const core::Clock &clock);
// Seconds since StartTime (a ClockSeconds value): under 0.02 s counts as 0; a negative
// difference means the clock passed midnight and adds a day.
double ElapsedSeconds(const core::Clock &clock, double StartTime);
// The current UTC date and time as a day number (days since 1899-12-30 plus the fraction of
// the day), with milliseconds.
double SystemTimeNow(const core::Clock &clock);
// Seconds since StartSeconds (a SystemTimeNow() * 86400 value), plus 0.01; a negative result
// has 3600 added.
double SecondsSince(const core::Clock &clock, double StartSeconds);

} // namespace vanta::comms
