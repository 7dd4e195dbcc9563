// Readings of the trend chart's cursors.
#include "logging/trend_cursors.h"

#include <algorithm>
#include <cmath>

namespace vanta::logging {

namespace {

// The point nearest to x among those pointsBetween gives around it.
std::optional<int> nearestPoint(const ChartBuffer &chart, double x)
{
    const PointRange range = chart.pointsBetween(x, x);
    std::optional<int> nearest;
    for (int point = range.first; point < range.first + range.count; ++point) {
        if (!nearest || std::fabs(chart.x(point) - x) < std::fabs(chart.x(*nearest) - x))
            nearest = point;
    }
    return nearest;
}

void addStatistics(const ChartBuffer &chart, int pen, double from, double to, PenReading &reading)
{
    const PenSamples samples = chart.samples(pen, chart.pointsBetween(from, to));
    double sum = 0;
    int count = 0;
    for (int index = 0; index < samples.count; ++index) {
        if (samples.missing[index] || samples.x[index] < from || samples.x[index] > to)
            continue;
        const double value = samples.value[index];
        Extent extent = reading.between.value_or(Extent{value, value});
        reading.between = Extent{std::min(extent.minimum, value), std::max(extent.maximum, value)};
        sum += value;
        ++count;
    }
    if (count > 0)
        reading.mean = sum / count;
}

} // namespace

std::optional<float> valueNear(const ChartBuffer &chart, int pen, double x)
{
    const std::optional<int> point = nearestPoint(chart, x);
    if (!point || pen < 0 || pen >= chart.penCount() || chart.isMissing(pen, *point))
        return std::nullopt;
    return chart.value(pen, *point);
}

CursorReadout readCursors(const ChartBuffer &chart, double first, double second)
{
    CursorReadout readout;
    readout.first = first;
    readout.second = second;
    const double from = std::min(first, second);
    const double to = std::max(first, second);
    for (int pen = 0; pen < chart.penCount(); ++pen) {
        PenReading reading;
        reading.atFirst = valueNear(chart, pen, first);
        reading.atSecond = valueNear(chart, pen, second);
        addStatistics(chart, pen, from, to, reading);
        readout.pens.push_back(reading);
    }
    return readout;
}

} // namespace vanta::logging
