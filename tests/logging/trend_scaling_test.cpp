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
