// The trend chart's two cursors: what each pen read at either cursor, and its lowest, highest
// and mean value between them.
#pragma once

#include "logging/chart_buffer.h"

#include <optional>
#include <vector>

namespace vanta::logging {

struct PenReading
{
    std::optional<float> atFirst; // the sample nearest to the cursor, unless it is missing
    std::optional<float> atSecond;
    std::optional<Extent> between; // over the samples from one cursor to the other
    std::optional<double> mean;
};

struct CursorReadout
{
    double first = 0;
    double second = 0;
    std::vector<PenReading> pens; // one per pen of the chart
};

// The sample of `pen` whose X lies nearest to `x`; empty when that sample is missing, the pen
// does not exist or the chart is empty.
std::optional<float> valueNear(const ChartBuffer &chart, int pen, double x);

// Every pen at the cursors at X `first` and `second` (in either order), with the statistics of
// the samples not missing whose X lies between them, both included.
CursorReadout readCursors(const ChartBuffer &chart, double first, double second);

} // namespace vanta::logging
