// Axis limits of the trend chart: scroll-bar offset and span, and Y limits that never invert.
#include "logging/trend_scaling.h"

#include <gtest/gtest.h>

using namespace vanta::logging;

namespace {

struct XCase
{
    const char *name;
    AxisView view;
    std::optional<Extent> data;
    AxisScale expected;
};

const XCase XCases[] = {
    {"automatic follows the data", {true, 30, 20}, Extent{0, 200}, {true, 0, 200}},
    {"automatic without data", {true, 0, 100}, std::nullopt, {true, 0, 1}},
    {"offset and span", {false, 25, 50}, Extent{0, 200}, {false, 50, 150}},
    {"from a later start", {false, 10, 100}, Extent{100, 200}, {false, 110, 210}},
    {"positions beyond the bars", {false, -5, 0}, Extent{0, 200}, {false, 0, 2}},
};

struct YCase
{
    const char *name;
    const char *typedMin;
    const char *typedMax;
    std::optional<Extent> data;
    const char *boxMin; // the boxes afterwards
    const char *boxMax;
    AxisScale expected; // at offset 10 %, span 50 %
};

const YCase YCases[] = {
    {"rising limits kept", "20", "120", Extent{0, 5}, "20", "120", {false, 30, 80}},
    {"inverted: the data's range",
     "50",
     "20",
     Extent{10.5, 30.5},
     "10.5",
     "30.5",
     {false, 12.5, 22.5}},
    {"equal: the data's range", "20", "20", Extent{10, 30}, "10", "30", {false, 12, 22}},
    {"inverted before any data", "50", "20", std::nullopt, "0", "100", {false, 10, 60}},
    {"one level of data", "x", "", Extent{40, 40}, "39", "41", {false, 39.2, 40.2}},
};

} // namespace

TEST(TrendScaling, XRangeFromOffsetAndSpan)
{
    for (const XCase &c : XCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(scaleXAxis(c.view, c.data), c.expected);
    }
}

TEST(TrendScaling, ManualYLimitsNeverInvert)
{
    for (const YCase &c : YCases) {
        SCOPED_TRACE(c.name);
        YLimitTexts boxes{QString::fromLatin1(c.typedMin), QString::fromLatin1(c.typedMax)};
        const AxisScale axis = scaleYAxis({false, 10, 50}, boxes, c.data);
        EXPECT_EQ(boxes.minimum, QLatin1String(c.boxMin));
        EXPECT_EQ(boxes.maximum, QLatin1String(c.boxMax));
        EXPECT_FALSE(axis.automatic);
        EXPECT_DOUBLE_EQ(axis.minimum, c.expected.minimum);
        EXPECT_DOUBLE_EQ(axis.maximum, c.expected.maximum);
    }
}

TEST(TrendScaling, RangesFromTheMouseGoBackToScrollBarPositions)
{
    struct Case
    {
        const char *name;
        Extent range;
        int offset;
        int span;
    };
    const Case cases[] = {
        {"the whole extent", {100, 200}, 0, 100},
        {"a zoomed middle", {125.4, 175.6}, 25, 50},
        {"before the start", {50, 90}, 0, 40},
        {"wider than the data", {0, 400}, 0, 100},
        {"thinner than a percent", {150, 150.1}, 50, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const AxisView view = viewOfRange({100, 200}, c.range.minimum, c.range.maximum);
        EXPECT_FALSE(view.automatic);
        EXPECT_EQ(view.offset, c.offset);
        EXPECT_EQ(view.span, c.span);
    }
    const AxisView flat = viewOfRange({5, 5}, 0, 10);
    EXPECT_EQ(flat.offset, 0);
    EXPECT_EQ(flat.span, 100);
    const Extent zoomed = zoomedRange({0, 100}, 20, 0.5);
    EXPECT_DOUBLE_EQ(zoomed.minimum, 10);
    EXPECT_DOUBLE_EQ(zoomed.maximum, 60);
}
