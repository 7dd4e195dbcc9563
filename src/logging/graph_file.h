// Graph data files: the whole chart buffer as CSV (a pen-count and time-base line, a heading
// line with the pen texts, then one line per point), written and read back.
#pragma once

#include "core/data_file_reader.h"
#include "core/interaction.h"
#include "logging/chart_buffer.h"
#include "logging/pen_lines.h"
#include "logging/trend_choices.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace vanta::logging {

// The name a save proposes: "Graph" and the time as yyyymmdd-hhmm, "Graph20090315-1405.csv".
QString proposedGraphFileName(const QDateTime &now);

// The file's content: "#Pens =, 2 ,Time Base =, 0 ", "Log Time,<pen texts>,Missing Data-1,...",
// then per point the X position, every pen's value and every pen's missing flag (0/1). Numbers
// are in list-print form; X positions keep 15 significant digits (so sums of 0.1 s steps write as
// " .3 "), values their single precision. `pens` holds at least chart.penCount() texts.
QByteArray graphFileContent(const ChartBuffer &chart, const QStringList &pens, TimeBase base);

enum class SaveOutcome
{
    Written,
    NoData, // the graph had no sample: told "No Data On Graph", nothing written
    Failed  // an error stopped the write: reported, an old file stays whole
};
// Writes the graph file through the safe writer with the busy pointer showing. Failures are
// reported with the routine "frmGraph.SaveGraphFile,  File >" and the path.
SaveOutcome SaveGraphFile(const ChartBuffer &chart, const QStringList &pens, TimeBase base,
                          const QString &path, core::Interaction &ui);

// What the first two lines of a graph file give.
struct GraphFileHeader
{
    TimeBase timeBase = TimeBase::Seconds;
    QStringList penTexts; // one per pen of the file, 1..10
};
// Reads lines 1 and 2. Throws core::AppError 9 "Subscript out of range" for a pen count outside
// 1..10 or a time base outside 0..2, before the pen texts are read; 62, 13 or 6 for a short or
// malformed line.
GraphFileHeader readGraphFileHeader(core::DataFileReader &reader);

enum class PointsRead
{
    All,
    LimitReached // the file holds more points than the buffer takes; the rest were not read
};
// Appends the file's points to `chart` until the end of the file or the limit of the buffer
// (ChartBuffer::hasReachedLimit). Each point holds `filePens` values and as many flags (any flag
// but 0 marks the value missing); pens beyond chart.penCount() are read and dropped. Throws
// core::AppError for a short or malformed point: the points before it stay.
PointsRead readGraphPoints(core::DataFileReader &reader, int filePens, ChartBuffer &chart);

} // namespace vanta::logging
