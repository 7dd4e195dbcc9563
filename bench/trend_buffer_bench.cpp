// The trend chart buffer at its limit: appending one sample of ten pens, and handing a view the
// samples of one screen's X range.
#include "logging/chart_buffer.h"

#include <benchmark/benchmark.h>

using vanta::logging::ChartBuffer;
using vanta::logging::PenSamples;
using vanta::logging::PointRange;

namespace {

constexpr int Pens = 10;

void appendSample(ChartBuffer &chart)
{
    if (!chart.appendPoint(chart.pointCount() * 0.1))
        return;
    for (int pen = 0; pen < Pens; ++pen)
        chart.setSample(pen, 21.5f + pen, /*missing=*/pen == 3);
}

// Fills ten pens with `points` samples at 0.1 s steps.
void fill(ChartBuffer &chart, int points)
{
    chart.clear();
    while (chart.pointCount() < points)
        appendSample(chart);
}

void AppendSampleToFullBuffer(benchmark::State &state)
{
    ChartBuffer chart;
    if (!chart.setPenCount(Pens))
        state.SkipWithError("ten pens refused");
    constexpr int Refilled = 12000; // of the 12,800 points ten pens can hold
    fill(chart, Refilled);
    for (auto _ : state) {
        if (chart.valueCount() + Pens > ChartBuffer::MaxValues) {
            state.PauseTiming();
            fill(chart, Refilled);
            state.ResumeTiming();
        }
        appendSample(chart);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * Pens);
}
BENCHMARK(AppendSampleToFullBuffer);

// A screen shows a tenth of the X extent, the window moving over the whole buffer.
void SamplesOfOneScreen(benchmark::State &state)
{
    ChartBuffer chart;
    if (!chart.setPenCount(Pens))
        state.SkipWithError("ten pens refused");
    fill(chart, ChartBuffer::MaxValues / Pens);
    const double extent = chart.xExtent()->maximum;
    double from = 0;
    int points = 0;
    for (auto _ : state) {
        const PointRange range = chart.pointsBetween(from, from + extent / 10);
        for (int pen = 0; pen < Pens; ++pen) {
            const PenSamples samples = chart.samples(pen, range);
            benchmark::DoNotOptimize(samples.value);
        }
        points = range.count;
        from += extent / 97;
        if (from > extent)
            from -= extent;
    }
    state.counters["points_per_screen"] = points;
}
BENCHMARK(SamplesOfOneScreen);

} // namespace
BENCHMARK_MAIN();
