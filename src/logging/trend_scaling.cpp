// Axis limits of the trend chart.
#include "logging/trend_scaling.h"

#include "core/number_format.h"

#include <algorithm>
#include <cmath>

namespace vanta::logging {

namespace {

// Offset and span of `extent` as the scroll bars place them.
AxisScale manualScale(const AxisView &view, const Extent &extent)
{
    const double width = extent.maximum - extent.minimum;
    const double offset = std::clamp(view.offset, 0, 100);
    const double span = std::clamp(view.span, 1, 100);
    const double minimum = extent.minimum + offset * width / 100;
    return {false, minimum, minimum + width * span / 100};
}

Extent boxLimits(const YLimitTexts &boxes)
{
    return {core::leadingNumber(boxes.minimum), core::leadingNumber(boxes.maximum)};
}

} // namespace

Extent fallbackYLimits(std::optional<Extent> values)
{
    if (!values)
        return {0, 100};
    if (values->maximum > values->minimum)
        return *values;
    // A step the boxes' seven digits still show, for large levels too.
    const double step = std::max(1.0, std::fabs(values->minimum) * 1e-6);
    return {values->minimum - step, values->minimum + step};
}

YLimitTexts yLimitTexts(const Extent &limits)
{
    return {core::numberText(limits.minimum), core::numberText(limits.maximum)};
}

AxisScale scaleXAxis(const AxisView &view, std::optional<Extent> xs)
{
    const Extent extent = xs.value_or(Extent{0, 1});
    if (view.automatic)
        return {true, extent.minimum, extent.maximum};
    return manualScale(view, extent);
}

AxisScale scaleYAxis(const AxisView &view, YLimitTexts &boxes, std::optional<Extent> values)
{
    if (view.automatic) {
        const Extent limits = fallbackYLimits(values);
        return {true, limits.minimum, limits.maximum};
    }
    const Extent typed = boxLimits(boxes);
    if (typed.maximum > typed.minimum)
        return manualScale(view, typed);
    // Taken as they are, not read back from the boxes, whose digits may not tell them apart.
    const Extent fallback = fallbackYLimits(values);
    boxes = yLimitTexts(fallback);
    return manualScale(view, fallback);
}

AxisView viewOfRange(const Extent &extent, double minimum, double maximum)
{
    const double width = extent.maximum - extent.minimum;
    if (!(width > 0) || !std::isfinite(minimum) || !std::isfinite(maximum))
        return {false, 0, 100};
    const auto percent = [width](double distance, int lowest) {
        return static_cast<int>(
            std::lround(std::clamp(distance * 100 / width, 0.0 + lowest, 100.0)));
    };
    const int offset = percent(minimum - extent.minimum, 0);
    const int span = percent(maximum - minimum, 1);
    return {false, offset, span};
}

Extent zoomedRange(const Extent &range, double anchor, double factor)
{
    return {anchor - (anchor - range.minimum) * factor, anchor + (range.maximum - anchor) * factor};
}

} // namespace vanta::logging
