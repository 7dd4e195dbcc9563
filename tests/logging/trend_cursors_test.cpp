// The cursors' readings: the sample nearest to each cursor and the statistics between them.
#include "logging/trend_cursors.h"

#include <gtest/gtest.h>

using namespace vanta::logging;

namespace {

// Two pens at X = 0, 10, ... 50; pen 2 misses the sample at X = 20.
ChartBuffer chart()
{
    ChartBuffer chart;
    EXPECT_TRUE(chart.setPenCount(2));
    const float values[] = {1, 4, 2, 8, 5, 7};
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(chart.appendPoint(i * 10.0));
        chart.setSample(0, values[i], /*missing=*/false);
        chart.setSample(1, values[i] * 10, /*missing=*/i == 2);
    }
    return chart;
}

} // namespace

TEST(TrendCursors, ReadNearestSamplesAndTheStretchBetween)
{
    const ChartBuffer buffer = chart();
    // Cursors given right to left: the statistics do not mind.
    const CursorReadout readout = readCursors(buffer, 31, 9);
    ASSERT_EQ(readout.pens.size(), 2u);
    const PenReading &first = readout.pens[0];
    EXPECT_EQ(first.atFirst, 8.0f);  // X 30 is nearest to 31
    EXPECT_EQ(first.atSecond, 4.0f); // X 10 is nearest to 9
    ASSERT_TRUE(first.between);
    EXPECT_EQ(first.between->minimum, 2); // X 10, 20, 30
    EXPECT_EQ(first.between->maximum, 8);
    EXPECT_DOUBLE_EQ(*first.mean, 14.0 / 3);
    const PenReading &second = readout.pens[1];
    EXPECT_DOUBLE_EQ(*second.mean, 60);     // the missing sample at X 20 counts for nothing
    EXPECT_FALSE(valueNear(buffer, 1, 21)); // nearest is missing
    EXPECT_FALSE(valueNear(buffer, 2, 21)); // no such pen
    EXPECT_FALSE(valueNear(ChartBuffer(), 0, 0));
}
