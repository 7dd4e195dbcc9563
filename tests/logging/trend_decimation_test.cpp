// Thinning a pen's samples to a plot's pixel columns: what is kept, where lines break, and the
// bound on points whatever the buffer holds.
#include "logging/trend_decimation.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace vanta::logging;

namespace {

// Samples at X = 0, 1, 2, ... with the given values; NaN stands for a missing sample.
struct Line
{
    std::vector<double> x;
    std::vector<float> value;
    std::vector<quint8> missing;

    explicit Line(const std::vector<double> &values)
    {
        for (size_t i = 0; i < values.size(); ++i) {
            x.push_back(double(i));
            value.push_back(std::isnan(values[i]) ? 0.0f : float(values[i]));
            missing.push_back(std::isnan(values[i]) ? 1 : 0);
        }
    }
    PenSamples samples() const { return {x.data(), value.data(), missing.data(), int(x.size())}; }
};

// The y values of a line, breaks as "|".
std::string shape(const std::vector<PlotPoint> &points)
{
    std::string text;
    for (const PlotPoint &point : points)
        text += std::isnan(point.y) ? std::string("|") : std::to_string(int(point.y)) + " ";
    return text;
}

const double Gap = std::nan("");

struct Case
{
    const char *name;
    std::vector<double> values;
    int columns; // over X 0 .. count
    const char *expected;
};

const Case Cases[] = {
    {"few samples are kept as they are", {1, 2, 3, 4}, 2, "1 2 3 4 "},
    {"missing samples break the line once", {1, Gap, Gap, 4}, 2, "1 |4 "},
    {"a line never starts with a break", {Gap, 2, 3}, 2, "2 3 "},
    {"each column keeps its extremes in sample order",
     {5, 9, 1, 5, /**/ 5, 2, 8, 5},
     2,
     "9 1 2 8 "},
    {"a one-sample spike survives", {0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0}, 3, "0 0 100 0 "},
    {"a missing sample breaks its column where it lay",
     {1, 7, Gap, 3, /**/ 4, 4, 4, 4},
     2,
     "1 7 |4 "},
};

} // namespace

TEST(TrendDecimation, KeepsExtremesAndBreaksPerColumn)
{
    std::vector<PlotPoint> out;
    for (const Case &c : Cases) {
        SCOPED_TRACE(c.name);
        const Line line(c.values);
        decimateLine(line.samples(), {0, double(c.values.size()), c.columns}, out);
        EXPECT_EQ(shape(out), c.expected);
    }
}

TEST(TrendDecimation, AMillionSamplesGiveAtMostThreePointsPerColumnWithOrWithoutSummary)
{
    std::vector<double> values(1000000);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = i % 997 < 3 ? Gap : std::sin(double(i) / 5000) * 100 + double(i % 13);
    values[123457] = 5000; // a spike among a million
    values[999] = -5000;
    const Line line(values);
    std::vector<PlotPoint> scanned;
    decimateLine(line.samples(), {0, double(values.size()), 1280}, scanned);
    EXPECT_LE(scanned.size(), 3u * 1282);
    EXPECT_GE(scanned.size(), 2u * 1280);
    EXPECT_TRUE(std::any_of(scanned.begin(), scanned.end(),
                            [](const PlotPoint &p) { return p.y == 5000; }));
    EXPECT_TRUE(std::is_sorted(scanned.begin(), scanned.end(),
                               [](const PlotPoint &a, const PlotPoint &b) { return a.x < b.x; }));

    // The summary reads less and finds the same points, for any range over the samples.
    const LineSummary summary(line.samples());
    for (const PlotColumns plot :
         {PlotColumns{0, double(values.size()), 1280}, PlotColumns{123000.5, 480000.25, 997}}) {
        SCOPED_TRACE(plot.columns);
        decimateLine(line.samples(), plot, scanned);
        std::vector<PlotPoint> summarised;
        decimateLine(line.samples(), plot, summarised, &summary);
        ASSERT_EQ(summarised.size(), scanned.size());
        for (size_t i = 0; i < scanned.size(); ++i) {
            ASSERT_EQ(summarised[i].x, scanned[i].x) << i;
            ASSERT_EQ(std::isnan(summarised[i].y), std::isnan(scanned[i].y)) << i;
        }
    }
}

TEST(TrendDecimation, SamplesOutOfOrderAreAllKept)
{
    ChartBuffer chart; // as a restored file whose times run back leaves it
    for (const double x : {0, 1, 2, 3, 7, 6, 5, 4}) {
        ASSERT_TRUE(chart.appendPoint(x));
        chart.setSample(0, float(x), /*missing=*/false);
    }
    std::vector<PlotPoint> out;
    decimateLine(chart.samples(0, chart.pointsBetween(0, 8)), {0, 8, 1}, out);
    EXPECT_EQ(out.size(), 8u);
}
