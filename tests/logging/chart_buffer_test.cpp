// The chart buffer: the value limit, pens added to filled points, and the points of an X range.
#include "logging/chart_buffer.h"

#include <gtest/gtest.h>

using vanta::logging::ChartBuffer;
using vanta::logging::PointRange;

namespace {

// Points at X = 0, 10, 20, ... 90.
ChartBuffer tenPoints()
{
    ChartBuffer chart;
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(chart.appendPoint(i * 10.0));
        chart.setSample(0, float(i), /*missing=*/false);
    }
    return chart;
}

struct RangeCase
{
    double from;
    double to;
    int first;
    int count;
};

const RangeCase RangeCases[] = {
    {25, 55, 2, 5},   // 30, 40, 50 and one neighbour each side
    {30, 50, 2, 5},   // ends on points: still one neighbour beyond each
    {0, 90, 0, 10},   // the whole chart: no neighbours to add
    {-50, 5, 0, 2},   // before the first point
    {85, 200, 8, 2},  // after the last point
    {41, 49, 4, 2},   // between two points: the segment that crosses the range
    {500, 600, 9, 1}, // beyond everything: the last point, where a line would leave
};

} // namespace

TEST(ChartBuffer, HandsOutThePointsOfAnXRange)
{
    const ChartBuffer chart = tenPoints();
    for (const RangeCase &c : RangeCases) {
        SCOPED_TRACE(testing::Message() << c.from << ".." << c.to);
        const PointRange range = chart.pointsBetween(c.from, c.to);
        EXPECT_EQ(range.first, c.first);
        EXPECT_EQ(range.count, c.count);
        const auto samples = chart.samples(0, range);
        ASSERT_EQ(samples.count, c.count);
        EXPECT_EQ(samples.x[0], c.first * 10.0);
        EXPECT_EQ(samples.value[c.count - 1], float(c.first + c.count - 1));
    }
    EXPECT_EQ(chart.samples(1, {0, 10}).count, 0);  // no such pen
    EXPECT_EQ(chart.samples(0, {8, 100}).count, 2); // clipped to the points there are
}

TEST(ChartBuffer, OutOfOrderXPositionsHandOutEveryPoint)
{
    ChartBuffer chart = tenPoints();
    ASSERT_TRUE(chart.appendPoint(5)); // a restored file that goes back in time
    const PointRange range = chart.pointsBetween(40, 50);
    EXPECT_EQ(range.first, 0);
    EXPECT_EQ(range.count, 11);
}

TEST(ChartBuffer, NeverHoldsMoreThanTheValueLimit)
{
    ChartBuffer chart;
    ASSERT_TRUE(chart.setPenCount(10));
    while (chart.appendPoint(chart.pointCount()))
        ;
    EXPECT_EQ(chart.pointCount(), 12800);
    EXPECT_EQ(chart.valueCount(), ChartBuffer::MaxValues);
    EXPECT_TRUE(chart.hasReachedLimit());
    EXPECT_FALSE(chart.setPenCount(11));
    EXPECT_EQ(chart.penCount(), 10);
}

TEST(ChartBuffer, APenAddedLaterIsMissingAtTheEarlierPoints)
{
    ChartBuffer chart = tenPoints();
    ASSERT_TRUE(chart.setPenCount(2));
    ASSERT_TRUE(chart.appendPoint(100));
    chart.setSample(1, -4.5f, /*missing=*/false);
    for (int point = 0; point < 10; ++point)
        EXPECT_TRUE(chart.isMissing(1, point)) << point;
    EXPECT_FALSE(chart.isMissing(1, 10));
    EXPECT_TRUE(chart.isMissing(0, 10));
    EXPECT_EQ(chart.valueExtent()->minimum, -4.5);
    EXPECT_EQ(chart.valueExtent()->maximum, 9);
    EXPECT_EQ(chart.xExtent()->maximum, 100);
}
