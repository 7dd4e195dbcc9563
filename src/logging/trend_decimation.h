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

// The line of `samples` for `plot` into `out` (cleared first, so a caller can reuse its room).
// Missing samples become breaks, never two in a row. When there are no more than two samples per
// column, when the X positions do not rise, or when the plot has no width, every sample is kept.
// Otherwise each column, and the stretches before and after the range, keep their lowest and
// highest sample in sample order plus one break where the column's first missing sample lay: at
// most three points per column whatever the number of samples.
void decimateLine(const PenSamples &samples, const PlotColumns &plot, std::vector<PlotPoint> &out);

} // namespace vanta::logging
