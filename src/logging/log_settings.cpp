// Rate and duration limits and texts of the logging window.
#include "logging/log_settings.h"

#include "core/number_format.h"

#include <algorithm>
#include <cmath>

namespace vanta::logging {
namespace {

constexpr double MinimumHours = 0.01, MaximumHours = 480;
constexpr double MinimumMinutes = 1, MaximumMinutes = 28800;
constexpr double MinimumMinutesPerLog = 0.01, MaximumMinutesPerLog = 60;
constexpr double MinimumSecondsPerLog = 0.1, MaximumSecondsPerLog = 3600;
constexpr double MinimumStoredRate = 1; // whole seconds when the rate is entered in minutes

const QString Whole = QStringLiteral("0");
const QString OneDecimal = QStringLiteral("0.0");
const QString TwoDecimals = QStringLiteral("0.00");

// Whole part of a product like 1.15 * 60, which comes out as 68.99999999999999 in binary.
double wholePart(double value)
{
    return std::floor(value + 1e-9);
}

bool inRange(double value, double lowest, double highest)
{
    return value >= lowest && value <= highest;
}

} // namespace

DurationUnit durationUnitFromIndex(int index)
{
    return index == 0 ? DurationUnit::Hours : DurationUnit::Minutes;
}

RateUnit rateUnitFromIndex(int index)
{
    return index == 0 ? RateUnit::MinutesPerLog : RateUnit::SecondsPerLog;
}

QString durationUnitCaption(DurationUnit unit)
{
    return unit == DurationUnit::Hours ? QStringLiteral("hr") : QStringLiteral("min");
}

QString rateUnitCaption(RateUnit unit)
{
    return unit == RateUnit::MinutesPerLog ? QStringLiteral("min/log") : QStringLiteral("sec/log");
}

double scheduledRate(float LogRate)
{
    // Written as a negated comparison so that a not-a-number rate is raised too.
    if (!(LogRate >= MinimumRateSeconds))
        return MinimumRateSeconds;
    // Whole milliseconds, as the clock counts: 0.1f is 0.100000001 and would make the stamps of
    // a long session drift.
    return std::round(double(LogRate) * 1000) / 1000;
}

QString durationText(qint16 LogDuration, DurationUnit unit)
{
    if (unit == DurationUnit::Minutes)
        return core::formatNumber(LogDuration, Whole);
    return core::formatNumber(LogDuration / 60.0, TwoDecimals);
}

QString rateText(float LogRate, RateUnit unit)
{
    if (unit == RateUnit::SecondsPerLog)
        return core::formatNumber(LogRate, OneDecimal);
    return core::formatNumber(LogRate / 60.0, TwoDecimals);
}

CheckedEntry<qint16> checkDuration(const QString &text, DurationUnit unit, qint16 current)
{
    const double lowest = unit == DurationUnit::Hours ? 0 : MinimumMinutes;
    if (text == durationText(current, unit) && inRange(current, lowest, MaximumMinutes))
        return {current, text};
    const double typed = core::leadingNumber(text);
    if (unit == DurationUnit::Hours) {
        const double hours = std::clamp(typed, MinimumHours, MaximumHours);
        return {static_cast<qint16>(wholePart(hours * 60)), core::formatNumber(hours, TwoDecimals)};
    }
    const double minutes = std::clamp(typed, MinimumMinutes, MaximumMinutes);
    const double whole = wholePart(minutes);
    return {static_cast<qint16>(whole), core::formatNumber(whole, Whole)};
}

CheckedEntry<float> checkRate(const QString &text, RateUnit unit, float current)
{
    const double lowest =
        unit == RateUnit::MinutesPerLog ? MinimumStoredRate : float(MinimumSecondsPerLog);
    if (text == rateText(current, unit) && inRange(current, lowest, MaximumSecondsPerLog))
        return {current, text};
    const double typed = core::leadingNumber(text);
    if (unit == RateUnit::MinutesPerLog) {
        const double minutes = std::clamp(typed, MinimumMinutesPerLog, MaximumMinutesPerLog);
        const double seconds = std::max(MinimumStoredRate, wholePart(minutes * 60));
        return {static_cast<float>(seconds), core::formatNumber(minutes, TwoDecimals)};
    }
    const double seconds = std::clamp(typed, MinimumSecondsPerLog, MaximumSecondsPerLog);
    return {static_cast<float>(seconds), core::formatNumber(seconds, OneDecimal)};
}

} // namespace vanta::logging
