// The trend chart's axis limits: automatic ones follow the data; manual ones come from the
// offset and span scroll bars over the data's X extent, or over the two Y limit boxes.
#pragma once

#include "logging/chart_buffer.h"

#include <QString>
#include <optional>

namespace vanta::logging {

// What the chart is told for one axis. Automatic limits are the data's extent.
struct AxisScale
{
    bool automatic = true;
    double minimum = 0;
    double maximum = 1;
    friend bool operator==(const AxisScale &a, const AxisScale &b)
    {
        return a.automatic == b.automatic && a.minimum == b.minimum && a.maximum == b.maximum;
    }
};

// The auto-scale check box and the two scroll bars of an axis: offset 0..100 % (start 0) and
// span 1..100 % (start 100); out-of-range positions are taken at the nearest end.
struct AxisView
{
    bool automatic = true;
    int offset = 0;
    int span = 100;
};

// The texts of the Y limit boxes, "MinY:" and "MaxY:".
struct YLimitTexts
{
    QString minimum = QStringLiteral("0");
    QString maximum = QStringLiteral("100");
};

// The Y limits that stand in when the boxes do not rise: the data's smallest and largest value
// read; a single level v gives v - 1 .. v + 1 (a millionth of v either side for large levels);
// no data yet gives 0 .. 100. Always rising.
Extent fallbackYLimits(std::optional<Extent> values);
// Limits as the boxes show them (plain number texts).
YLimitTexts yLimitTexts(const Extent &limits);

// X: span D = width of the data's X extent; minimum = its start + offset % of D, maximum =
// minimum + span % of D. No data gives 0 .. 1.
AxisScale scaleXAxis(const AxisView &view, std::optional<Extent> xs);
// Y manual: lo and hi are the boxes' numbers; when hi is not above lo both boxes are rewritten
// with fallbackYLimits, which then stand for lo and hi. D = hi - lo; minimum = lo + offset % of
// D, maximum = minimum + span % of D. Automatic: fallbackYLimits of the data.
AxisScale scaleYAxis(const AxisView &view, YLimitTexts &boxes, std::optional<Extent> values);

// The way back from a range to the scroll bars, for zooming and panning the chart with the
// mouse: the positions that come closest to showing [minimum, maximum] of `extent`, in whole
// percents of its width (offset 0..100, span 1..100). An extent without width gives 0 and 100.
AxisView viewOfRange(const Extent &extent, double minimum, double maximum);
// `range` zoomed by `factor` (below 1 closer, above 1 farther) around `anchor`, which stays put.
Extent zoomedRange(const Extent &range, double anchor, double factor);

} // namespace vanta::logging
