// The sample schedule and the error-line throttle of the background samplers.
#include "logging/sample_schedule.h"

#include <cmath>

namespace vanta::logging {

double nextOffsetAfter(double dueOffset, double secondsSinceStart, double rate)
{
    const float lateness = static_cast<float>(secondsSinceStart - dueOffset);
    if (2 * rate > lateness)
        return dueOffset + rate;
    return dueOffset + std::floor((secondsSinceStart - dueOffset - 0.01) / rate + 1) * rate;
}

bool Throttle::pass(double clockSeconds)
{
    if (std::fabs(clockSeconds - m_last) <= m_interval)
        return false;
    m_last = clockSeconds;
    return true;
}

} // namespace vanta::logging
