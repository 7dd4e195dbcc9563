// The trend graph's choices: the sample-rate, duration and refresh lists with the seconds each
// entry stands for, and the three time bases of the X axis.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace vanta::logging {

enum class ChoiceList
{
    SampleRate, // cbxSampleRate, 18 entries from "0.1 Sec." to "24 hours"
    Duration,   // cbxDuration, 13 entries from "10 Sec." to "Never Stop"
    RefreshRate // cbxRefreshRate, 9 entries from "0.5 Sec." to "Never"
};

QStringList choiceEntries(ChoiceList list);

// A stored list position; one outside the list falls back to position 4 ("5 Sec.", "5 Min.",
// "10 Sec.").
int choicePosition(ChoiceList list, int stored);

// The seconds an entry stands for: its leading number, times 60 when it names minutes and 3600
// when it names hours (the refresh list takes the number only). "Never Stop" and "Never" are 0.
double choiceSeconds(ChoiceList list, int position);

enum class TimeBase : qint16
{
    Seconds = 0,
    Minutes = 1,
    Hours = 2
};

// The time base of a stored or typed index; empty outside 0..2.
std::optional<TimeBase> timeBaseFromIndex(int index);
// Seconds in one unit of the time base: 1, 60 or 3600.
double secondsPerUnit(TimeBase base);
// What X positions are multiplied by when the time base changes from `from` to `to`.
double timeBaseConversion(TimeBase from, TimeBase to);
// The bottom title: "Time (sec.)", "Time (min.)" or "Time (hrs.)".
QString timeBaseTitle(TimeBase base);

} // namespace vanta::logging
