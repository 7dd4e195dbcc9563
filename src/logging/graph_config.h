// The trend graph's settings file Graph.val in the program folder: the three list positions,
// "Show Symbols", the axis ticks and grids, and the ten pen texts; and the rules of the
// "Graph Setup" dialog that edits the ticks and grids.
#pragma once

#include "core/app_state.h"
#include "core/data_file_reader.h"
#include "core/interaction.h"
#include "logging/pen_lines.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace vanta::logging {

// One value per line, in this order (pen texts on lines 9-18).
struct GraphConfig
{
    qint16 SampleRateIndex = 0;
    qint16 DurationIndex = 0;
    qint16 RefreshIndex = 0;
    qint16 ShowSymbols = 0; // check-box values 0/1
    qint16 XAxisTicks = 0;
    qint16 YAxisTicks = 0;
    qint16 ShowXGrid = 0;
    qint16 ShowYGrid = 0;
    PenTexts PenSelection;
};

// Reads Graph.val into `config` in file order, so that the values before a failure
// are kept and the rest stay as they were. A check-box value other than 0 reads as 1. Throws
// core::AppError: 62 for a short file, 13 or 6 for a malformed number.
void readGraphConfig(core::DataFileReader &reader, GraphConfig &config);
// The 18 lines, numbers in list-print form (" 2 "), pen texts as penFileText writes them.
QByteArray graphConfigContent(const GraphConfig &config);

// Reads Graph.val at window load. A missing, short or malformed file is reported once ("An
// application error has occurred reading Graph.val file:", routine frmGraph.ReadGraphConfig)
// and what it did not give stays 0 and empty.
GraphConfig ReadGraphConfig(const core::AppState &app, core::Interaction &ui);
// Replaces Graph.val through the safe writer; a failure is reported ("... saving Graph.val
// file:", routine frmGraph.SaveGraphConfig) and leaves the old file whole. True when written.
bool SaveGraphConfig(const core::AppState &app, core::Interaction &ui, const GraphConfig &config);

// What the chart is told about ticks and grid: a tick count only when it lies in 1..99; the
// grid style 2 x ShowXGrid + ShowYGrid (0 none, 1 horizontal, 2 vertical, 3 both lines).
struct TickSetup
{
    std::optional<int> XTicks;
    std::optional<int> YTicks;
    int GridStyle = 0;
};
TickSetup SetupGraphTicks(const GraphConfig &config);

// What the "Graph Setup" dialog edits.
struct GraphSetup
{
    qint16 XAxisTicks = 0;
    qint16 YAxisTicks = 0;
    bool ShowXGrid = false;
    bool ShowYGrid = false;
};

// What the graph window hands the "Graph Setup" dialog and gets back: the settings shown, and
// after OK the ones chosen with GraphCfgChanged set when the user changed anything.
struct GraphSetupExchange
{
    GraphSetup setup;
    bool GraphCfgChanged = false;
};

// "Graph Setup": a tick box left with a value below 2 or above 20 shows "5"; OK takes a box's
// value rounded to a whole number, halves to even.
QString checkedTickText(const QString &text);
qint16 tickCountOf(const QString &text);

} // namespace vanta::logging
