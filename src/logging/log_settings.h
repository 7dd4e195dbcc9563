// A session's rate and duration as the logging window shows and takes them: unit texts,
// silent limits and the stored whole minutes and seconds.
#pragma once

#include <QString>

namespace vanta::logging {

// Stored in LogDurationUnit / LogRateUnit; the option index of the window.
enum class DurationUnit : qint16
{
    Hours = 0,
    Minutes = 1
};
enum class RateUnit : qint16
{
    MinutesPerLog = 0,
    SecondsPerLog = 1
};

// Any stored value other than 0 counts as the second choice, as the option pairs show it.
DurationUnit durationUnitFromIndex(int index);
RateUnit rateUnitFromIndex(int index);

QString durationUnitCaption(DurationUnit unit); // "hr" / "min"
QString rateUnitCaption(RateUnit unit);         // "min/log" / "sec/log"

// The rate in seconds a session is scheduled with: whole milliseconds, never below 0.1 s,
// whatever a settings file holds.
constexpr double MinimumRateSeconds = 0.1;
double scheduledRate(float LogRate);

// The text that shows a stored duration (whole minutes) or rate (seconds) in a unit:
// hours "0.00", minutes "0", minutes per log "0.00", seconds per log "0.0".
QString durationText(qint16 LogDuration, DurationUnit unit);
QString rateText(float LogRate, RateUnit unit);

// The outcome of checking a typed text: the value to store and the text to show instead.
template <typename T>
struct CheckedEntry
{
    T stored;
    QString text;
};

// Limits a typed duration silently: hours to 0.01..480, minutes to 1..28800; stores whole
// minutes. A text that still shows `current` keeps it, so showing a value in another unit
// never changes it through the rounding of the text.
CheckedEntry<qint16> checkDuration(const QString &text, DurationUnit unit, qint16 current);
// Limits a typed rate silently: minutes per log to 0.01..60 stored as whole seconds but at least
// 1 s, seconds per log to 0.1..3600. A text that still shows `current` keeps it.
CheckedEntry<float> checkRate(const QString &text, RateUnit unit, float current);

} // namespace vanta::logging
