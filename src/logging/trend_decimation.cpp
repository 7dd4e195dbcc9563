// Min-max thinning of a pen's samples per pixel column.
#include "logging/trend_decimation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace vanta::logging {

namespace {

constexpr double Break = std::numeric_limits<double>::quiet_NaN();

void addPoint(std::vector<PlotPoint> &out, double x, double y)
{
    if (std::isnan(y) && (out.empty() || std::isnan(out.back().y)))
        return; // a line neither starts with a break nor breaks twice
    out.push_back({x, y});
}

void addSample(std::vector<PlotPoint> &out, const PenSamples &samples, int index)
{
    addPoint(out, samples.x[index], samples.missing[index] ? Break : samples.value[index]);
}

void keepEvery(const PenSamples &samples, std::vector<PlotPoint> &out)
{
    for (int index = 0; index < samples.count; ++index)
        addSample(out, samples, index);
}

// Where each bucket of samples starts: bucket 0 lies before the range, buckets 1..columns are
// the pixel columns, the last one lies at and beyond the range's end. Bounds[k + 1] ends bucket k.
std::vector<int> bucketBounds(const PenSamples &samples, const PlotColumns &plot)
{
    std::vector<int> bounds;
    bounds.reserve(static_cast<size_t>(plot.columns) + 3);
    bounds.push_back(0);
    const double width = (plot.to - plot.from) / plot.columns;
    const double *const end = samples.x + samples.count;
    const double *at = samples.x;
    for (int edge = 0; edge <= plot.columns; ++edge) {
        at = std::lower_bound(at, end, plot.from + edge * width);
        bounds.push_back(static_cast<int>(at - samples.x));
    }
    bounds.push_back(samples.count);
    return bounds;
}

bool hasMissing(const quint8 *missing, int begin, int end)
{
    unsigned any = 0;
    for (int index = begin; index < end; ++index)
        any |= missing[index];
    return any != 0;
}

// The indices of a bucket's lowest and highest sample and its first missing one (-1: none).
struct BucketPicks
{
    int lowest = -1;
    int highest = -1;
    int firstMissing = -1;
};

// Without missing samples: the extremes' values first (a loop without branches), then the first
// sample at either of them, so the common case reads the values about twice.
BucketPicks picksOfWhole(const float *value, int begin, int end)
{
    float lowest = value[begin];
    float highest = value[begin];
    for (int index = begin + 1; index < end; ++index) {
        lowest = std::min(lowest, value[index]);
        highest = std::max(highest, value[index]);
    }
    // A NaN value matches nothing: the bucket's first sample stands in.
    const auto first = [value, end](int from, float target) {
        const float *found = std::find(value + from, value + end, target);
        return found == value + end ? from : static_cast<int>(found - value);
    };
    BucketPicks picks;
    picks.lowest = first(begin, lowest);
    picks.highest = first(begin, highest);
    return picks;
}

BucketPicks picksOfBroken(const PenSamples &samples, int begin, int end)
{
    BucketPicks picks;
    for (int index = begin; index < end; ++index) {
        if (samples.missing[index]) {
            if (picks.firstMissing < 0)
                picks.firstMissing = index;
            continue;
        }
        const float value = samples.value[index];
        if (picks.lowest < 0 || value < samples.value[picks.lowest])
            picks.lowest = index;
        if (picks.highest < 0 || value > samples.value[picks.highest])
            picks.highest = index;
    }
    return picks;
}

void addBucket(const PenSamples &samples, int begin, int end, std::vector<PlotPoint> &out)
{
    if (begin >= end)
        return;
    const BucketPicks picks = hasMissing(samples.missing, begin, end)
                                  ? picksOfBroken(samples, begin, end)
                                  : picksOfWhole(samples.value, begin, end);
    std::array<int, 3> order{picks.lowest, picks.highest, picks.firstMissing};
    std::sort(order.begin(), order.end());
    int last = -1;
    for (const int index : order) {
        if (index >= 0 && index != last)
            addSample(out, samples, index);
        last = index;
    }
}

} // namespace

void decimateLine(const PenSamples &samples, const PlotColumns &plot, std::vector<PlotPoint> &out)
{
    out.clear();
    const bool thin = plot.columns > 0 && plot.to > plot.from &&
                      samples.count > 2 * static_cast<qint64>(plot.columns) &&
                      std::is_sorted(samples.x, samples.x + samples.count);
    if (!thin) {
        keepEvery(samples, out);
        return;
    }
    out.reserve(3 * static_cast<size_t>(plot.columns) + 6);
    const std::vector<int> bounds = bucketBounds(samples, plot);
    for (size_t bucket = 0; bucket + 1 < bounds.size(); ++bucket)
        addBucket(samples, bounds[bucket], bounds[bucket + 1], out);
}

} // namespace vanta::logging
