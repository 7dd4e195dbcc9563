// Min-max thinning of a pen's samples per pixel column.
#include "logging/trend_decimation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// The first position of [at, end) not below `edge`, galloping from `at`: the edges come in
// order and close together, so this reads a few neighbouring positions where halving the whole
// rest of a large buffer would miss the cache at every step.
const double *firstNotBelow(const double *at, const double *end, double edge)
{
    if (at == end || !(*at < edge))
        return at;
    const double *low = at; // below the edge
    size_t step = 1;
    while (static_cast<size_t>(end - low) > step && low[step] < edge) {
        low += step;
        step *= 2;
    }
    const double *high = static_cast<size_t>(end - low) > step ? low + step : end;
    return std::lower_bound(low + 1, high, edge);
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
        at = firstNotBelow(at, end, plot.from + edge * width);
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

// The lowest and highest of value[begin, end): sixteen samples a step in vector registers where
// the processor has them. These loops are where a redraw of a large buffer spends its time.
std::pair<float, float> extremesOf(const float *value, int begin, int end)
{
    float lowest = value[begin];
    float highest = value[begin];
    int index = begin;
#ifdef __SSE2__
    if (end - begin >= 16) {
        __m128 low[4]; // a std::array would drop the type's alignment attribute
        __m128 high[4];
        for (int k = 0; k < 4; ++k)
            low[k] = high[k] = _mm_loadu_ps(value + begin + 4 * k);
        for (index = begin + 16; index + 16 <= end; index += 16) {
            for (int k = 0; k < 4; ++k) {
                const __m128 step = _mm_loadu_ps(value + index + 4 * k);
                low[k] = _mm_min_ps(low[k], step);
                high[k] = _mm_max_ps(high[k], step);
            }
        }
        alignas(16) std::array<float, 4> lows{};
        alignas(16) std::array<float, 4> highs{};
        _mm_store_ps(lows.data(),
                     _mm_min_ps(_mm_min_ps(low[0], low[1]), _mm_min_ps(low[2], low[3])));
        _mm_store_ps(highs.data(),
                     _mm_max_ps(_mm_max_ps(high[0], high[1]), _mm_max_ps(high[2], high[3])));
        lowest = *std::min_element(lows.begin(), lows.end());
        highest = *std::max_element(highs.begin(), highs.end());
    }
#endif
    for (; index < end; ++index) {
        lowest = std::min(lowest, value[index]);
        highest = std::max(highest, value[index]);
    }
    return {lowest, highest};
}

// The first index in [begin, end) whose value is `a` or `b`; end when there is none.
int firstOf(const float *value, int begin, int end, float a, float b)
{
    int index = begin;
#ifdef __SSE2__
    const __m128 wantA = _mm_set1_ps(a);
    const __m128 wantB = _mm_set1_ps(b);
    for (; index + 8 <= end; index += 8) {
        const __m128 first = _mm_loadu_ps(value + index);
        const __m128 second = _mm_loadu_ps(value + index + 4);
        const __m128 hits =
            _mm_or_ps(_mm_or_ps(_mm_cmpeq_ps(first, wantA), _mm_cmpeq_ps(first, wantB)),
                      _mm_or_ps(_mm_cmpeq_ps(second, wantA), _mm_cmpeq_ps(second, wantB)));
        if (_mm_movemask_ps(hits) != 0)
            break; // the scalar loop finds which of the eight
    }
#endif
    for (; index < end; ++index) {
        if (value[index] == a || value[index] == b)
            return index;
    }
    return end;
}

// Without missing samples: the extremes' values first, then where they lie. A NaN value matches
// nothing: the bucket's first sample stands in.
ExtremePicks picksOfWhole(const float *value, int begin, int end)
{
    const auto [lowest, highest] = extremesOf(value, begin, end);
    ExtremePicks picks;
    const int first = firstOf(value, begin, end, lowest, highest);
    if (first == end) {
        picks.lowest = picks.highest = begin;
        return picks;
    }
    const bool lowestFirst = value[first] == lowest;
    const float other = lowestFirst ? highest : lowest;
    const int found = firstOf(value, first, end, other, other);
    const int second = found == end ? first : found;
    picks.lowest = lowestFirst ? first : second;
    picks.highest = lowestFirst ? second : first;
    return picks;
}

ExtremePicks picksOfBroken(const PenSamples &samples, int begin, int end)
{
    ExtremePicks picks;
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

ExtremePicks scanPicks(const PenSamples &samples, int begin, int end)
{
    if (begin >= end)
        return {};
    ExtremePicks picks = hasMissing(samples.missing, begin, end)
                             ? picksOfBroken(samples, begin, end)
                             : picksOfWhole(samples.value, begin, end);
    if (picks.lowest >= 0) {
        picks.lowestValue = samples.value[picks.lowest];
        picks.highestValue = samples.value[picks.highest];
    }
    return picks;
}

// The picks of two stretches, `later` after `earlier`: on equal values the earlier sample wins.
// The values travel with the picks, so merging never reads the samples.
ExtremePicks merged(const ExtremePicks &earlier, const ExtremePicks &later)
{
    ExtremePicks picks = earlier;
    if (later.lowest >= 0 && (picks.lowest < 0 || later.lowestValue < picks.lowestValue)) {
        picks.lowest = later.lowest;
        picks.lowestValue = later.lowestValue;
    }
    if (later.highest >= 0 && (picks.highest < 0 || later.highestValue > picks.highestValue)) {
        picks.highest = later.highest;
        picks.highestValue = later.highestValue;
    }
    if (picks.firstMissing < 0)
        picks.firstMissing = later.firstMissing;
    return picks;
}

void addBucket(const PenSamples &samples, const ExtremePicks &picks, std::vector<PlotPoint> &out)
{
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

LineSummary::LineSummary(const PenSamples &samples) : m_samples(samples)
{
    std::vector<ExtremePicks> blocks;
    for (int begin = 0; begin < samples.count; begin += Fanout)
        blocks.push_back(scanPicks(samples, begin, std::min(begin + Fanout, samples.count)));
    int blockSize = Fanout;
    while (blocks.size() >= static_cast<size_t>(Fanout)) {
        std::vector<ExtremePicks> wider;
        for (size_t first = 0; first < blocks.size(); first += Fanout) {
            ExtremePicks picks;
            for (size_t block = first; block < std::min(first + Fanout, blocks.size()); ++block)
                picks = merged(picks, blocks[block]);
            wider.push_back(picks);
        }
        m_levels.push_back({blockSize, std::move(blocks)});
        blocks = std::move(wider);
        blockSize *= Fanout;
    }
    m_levels.push_back({blockSize, std::move(blocks)});
}

bool LineSummary::describes(const PenSamples &samples) const
{
    return samples.x == m_samples.x && samples.value == m_samples.value &&
           samples.missing == m_samples.missing && samples.count == m_samples.count;
}

ExtremePicks LineSummary::picks(const PenSamples &samples, int begin, int end) const
{
    return picksAt(samples, begin, end, static_cast<int>(m_levels.size()) - 1);
}

// Whole blocks of this level in the middle, the ends from the levels below.
ExtremePicks LineSummary::picksAt(const PenSamples &samples, int begin, int end, int level) const
{
    if (level < 0)
        return scanPicks(samples, begin, end);
    const Level &blocks = m_levels[static_cast<size_t>(level)];
    const int firstBlock = (begin + blocks.blockSize - 1) / blocks.blockSize;
    const int endBlock = end / blocks.blockSize;
    if (firstBlock >= endBlock)
        return picksAt(samples, begin, end, level - 1);
    ExtremePicks picks = picksAt(samples, begin, firstBlock * blocks.blockSize, level - 1);
    for (int block = firstBlock; block < endBlock; ++block)
        picks = merged(picks, blocks.picks[static_cast<size_t>(block)]);
    return merged(picks, picksAt(samples, endBlock * blocks.blockSize, end, level - 1));
}

void LineThinner::forget()
{
    m_x = nullptr;
    m_count = -1;
}

const std::vector<int> &LineThinner::boundsFor(const PenSamples &samples, const PlotColumns &plot)
{
    const bool same = samples.x == m_x && samples.count == m_count && plot.from == m_plot.from &&
                      plot.to == m_plot.to && plot.columns == m_plot.columns;
    if (!same) {
        m_bounds = bucketBounds(samples, plot);
        m_x = samples.x;
        m_count = samples.count;
        m_plot = plot;
    }
    return m_bounds;
}

// All the picks first, then the points: the X positions of the picks are far apart in a large
// buffer, and reading them in a loop of their own lets the processor fetch several at once.
void LineThinner::thin(const PenSamples &samples, const PlotColumns &plot,
                       std::vector<PlotPoint> &out, const LineSummary *summary)
{
    out.clear();
    const bool thin = plot.columns > 0 && plot.to > plot.from &&
                      samples.count > 2 * static_cast<qint64>(plot.columns) && samples.xRising;
    if (!thin) {
        keepEvery(samples, out);
        return;
    }
    if (summary && !summary->describes(samples))
        summary = nullptr;
    const std::vector<int> &bounds = boundsFor(samples, plot);
    m_picks.clear();
    for (size_t bucket = 0; bucket + 1 < bounds.size(); ++bucket) {
        const int begin = bounds[bucket];
        const int end = bounds[bucket + 1];
        m_picks.push_back(summary ? summary->picks(samples, begin, end)
                                  : scanPicks(samples, begin, end));
    }
    out.reserve(3 * m_picks.size());
    for (const ExtremePicks &picks : m_picks)
        addBucket(samples, picks, out);
}

void decimateLine(const PenSamples &samples, const PlotColumns &plot, std::vector<PlotPoint> &out,
                  const LineSummary *summary)
{
    LineThinner().thin(samples, plot, out, summary);
}

} // namespace vanta::logging
