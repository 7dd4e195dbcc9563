// Thinning a pen's samples to what a plot of a given width can show: each pixel column keeps its
// lowest and highest sample in sample order, so spikes stay visible and the cost of drawing does
// not grow with the buffer.
#pragma once

#include "logging/chart_buffer.h"

#include <vector>

namespace vanta::logging {

// A point of a plotted line; a NaN y breaks the line there (a missing sample).
struct PlotPoint
{
    double x = 0;
    double y = 0;
};

// The X range a plot shows and its width in pixel columns.
struct PlotColumns
{
    double from = 0;
    double to = 1;
    int columns = 1;
};

// Where a stretch of samples has its lowest and highest value and its first missing sample
// (indices into the samples; -1: none).
struct ExtremePicks
{
    int lowest = -1;
    int highest = -1;
    int firstMissing = -1;
    float lowestValue = 0; // the values at lowest and highest
    float highestValue = 0;
};

// The extremes of blocks of 16, 256, 4096 ... samples of one pen, built once (linear time) for a
// buffer so large that reading all of it at every redraw would cost more than drawing: with it,
// thinning reads only the ends of each pixel column, so a redraw costs the same for any size of
// buffer. It describes exactly the samples it was built from; the samples must outlive it.
class LineSummary
{
public:
    static constexpr int Fanout = 16;

    explicit LineSummary(const PenSamples &samples);
    bool describes(const PenSamples &samples) const;
    // The picks of samples [begin, end), as a scan of them would find them.
    ExtremePicks picks(const PenSamples &samples, int begin, int end) const;

private:
    struct Level
    {
        int blockSize;
        std::vector<ExtremePicks> picks;
    };
    ExtremePicks picksAt(const PenSamples &samples, int begin, int end, int level) const;

    PenSamples m_samples;
    std::vector<Level> m_levels; // smallest blocks first
};

// The line of `samples` for `plot` into `out` (cleared first, so a caller can reuse its room).
// Missing samples become breaks, never two in a row. When there are no more than two samples per
// column, when the X positions do not rise, or when the plot has no width, every sample is kept.
// Otherwise each column, and the stretches before and after the range, keep their lowest and
// highest sample in sample order plus one break where the column's first missing sample lay: at
// most three points per column whatever the number of samples. `summary`, when it describes
// `samples`, spares reading every sample; the result is the same.
void decimateLine(const PenSamples &samples, const PlotColumns &plot, std::vector<PlotPoint> &out,
                  const LineSummary *summary = nullptr);

// decimateLine for the pens of one redraw, one after another: pens of a chart share their X
// positions, so where the pixel columns begin is found once for all of them. forget() before
// the samples may have changed.
class LineThinner
{
public:
    void thin(const PenSamples &samples, const PlotColumns &plot, std::vector<PlotPoint> &out,
              const LineSummary *summary = nullptr);
    void forget();

private:
    const std::vector<int> &boundsFor(const PenSamples &samples, const PlotColumns &plot);

    const double *m_x = nullptr;
    int m_count = -1;
    PlotColumns m_plot;
    std::vector<int> m_bounds;
    std::vector<ExtremePicks> m_picks;
};

} // namespace vanta::logging
