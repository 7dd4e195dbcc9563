// Redrawing the trend chart at 1280 pixels: a full chart buffer (ten pens of 12,800 points) and,
// opt-in (VANTA_BENCH_LARGE_BUFFER=1), ten pens of a million samples each, both through the
// thinning and the plot the graph window uses. Runs on the offscreen platform.
#include "logging/chart_buffer.h"
#include "logging/trend_plot_widget.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

using namespace vanta::logging;

namespace {

constexpr int Pens = 10;
constexpr int ChartWidth = 1280;

constexpr int FullPoints = ChartBuffer::MaxValues / Pens;

// A pen's process value: a slow swing, noise, a spike now and then and a missing stretch. The
// swing keeps its shape across `points` samples, so buffers of any size draw the same picture
// and their redraws differ only in what the buffer size costs.
float valueAt(int pen, int point, int points = FullPoints)
{
    const double stretch = double(points) / FullPoints;
    const double swing = std::sin(point / ((500.0 + pen * 40) * stretch)) * 50;
    const double noise = ((point * 7919 + pen * 104729) % 1000) / 100.0;
    const double spike = point % qMax(1, int(4999 * stretch)) == 0 ? 80 : 0;
    return static_cast<float>(100 + pen * 30 + swing + noise + spike);
}

bool isMissingAt(int pen, int point, int points = FullPoints)
{
    const int stretch = qMax(1, points / FullPoints);
    return (point / stretch + pen * 1000) % 20000 < 50;
}

QStringList legends()
{
    QStringList names;
    for (int pen = 1; pen <= Pens; ++pen)
        names << QStringLiteral("Pen %1").arg(pen);
    return names;
}

// The plot with its chart area exactly ChartWidth pixels wide.
void setUp(TrendPlot &plot, const AxisScale &x, const AxisScale &y)
{
    plot.setPens(legends());
    plot.setAxes(x, y);
    plot.resize(ChartWidth + 100, 700);
    plot.show();
    plot.replot();
    plot.resize(plot.width() + ChartWidth - plot.axisRect()->width(), plot.height());
    plot.replot();
}

void RedrawFullChartBuffer(benchmark::State &state)
{
    ChartBuffer chart;
    if (!chart.setPenCount(Pens))
        state.SkipWithError("ten pens refused");
    for (int point = 0; chart.appendPoint(point * 0.1); ++point) {
        for (int pen = 0; pen < Pens; ++pen)
            chart.setSample(pen, valueAt(pen, point), isMissingAt(pen, point));
    }
    TrendPlot plot;
    setUp(plot, {true, 0, chart.xExtent()->maximum}, {true, 0, 500});
    for (auto _ : state) {
        plot.drawChart(chart);
        plot.replot(QCustomPlot::rpImmediateRefresh);
    }
    state.counters["points"] = chart.pointCount();
    state.counters["axis_px"] = plot.axisRect()->width();
}

// Ten pens of a million samples: more than the chart buffer takes, so a buffer of its own
// handed to the same thinning and plot.
void RedrawTenMillionSamples(benchmark::State &state)
{
    constexpr int Points = 1000000;
    std::vector<double> x(Points);
    std::vector<std::vector<float>> values(Pens, std::vector<float>(Points));
    std::vector<std::vector<quint8>> missing(Pens, std::vector<quint8>(Points));
    for (int point = 0; point < Points; ++point) {
        x[point] = point * 0.1;
        for (int pen = 0; pen < Pens; ++pen) {
            values[pen][point] = valueAt(pen, point, Points);
            missing[pen][point] = isMissingAt(pen, point, Points) ? 1 : 0;
        }
    }
    std::vector<PenSamples> pens;
    for (int pen = 0; pen < Pens; ++pen)
        pens.push_back({x.data(), values[pen].data(), missing[pen].data(), Points});
    // Built as the samples arrive, not at each redraw.
    std::vector<LineSummary> summaries(pens.begin(), pens.end());
    std::vector<const LineSummary *> summaryOf;
    for (const LineSummary &summary : summaries)
        summaryOf.push_back(&summary);
    TrendPlot plot;
    setUp(plot, {true, 0, x.back()}, {true, 0, 500});
    for (auto _ : state) {
        plot.drawLines(pens, summaryOf);
        plot.replot(QCustomPlot::rpImmediateRefresh);
    }
    state.counters["axis_px"] = plot.axisRect()->width();
}

// The thinning alone, for comparison with the whole redraw.
void ThinTenMillionSamples(benchmark::State &state)
{
    constexpr int Points = 1000000;
    std::vector<double> x(Points);
    std::vector<float> values(Points);
    std::vector<quint8> missing(Points);
    for (int point = 0; point < Points; ++point) {
        x[point] = point * 0.1;
        values[point] = valueAt(0, point, Points);
        missing[point] = isMissingAt(0, point, Points) ? 1 : 0;
    }
    const PenSamples pen{x.data(), values.data(), missing.data(), Points};
    std::vector<PlotPoint> out;
    for (auto _ : state) {
        for (int copy = 0; copy < Pens; ++copy)
            decimateLine(pen, {0, x.back(), ChartWidth}, out);
        benchmark::DoNotOptimize(out.data());
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::RegisterBenchmark("RedrawFullChartBuffer", RedrawFullChartBuffer)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(10)
        ->ReportAggregatesOnly(true);
    if (qEnvironmentVariableIntValue("VANTA_BENCH_LARGE_BUFFER") == 1) {
        benchmark::RegisterBenchmark("ThinTenMillionSamples", ThinTenMillionSamples)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(10)
            ->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark("RedrawTenMillionSamples", RedrawTenMillionSamples)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(10)
            ->ReportAggregatesOnly(true);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
