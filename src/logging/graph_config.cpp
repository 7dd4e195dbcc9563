// Graph.val: reading it field by field, writing it through the safe writer, and the tick and
// grid values the chart takes from it.
#include "logging/graph_config.h"

#include "core/app_error.h"
#include "core/data_file_reader.h"
#include "core/number_format.h"
#include "core/safe_file.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace vanta::logging {

namespace {

const QString FileName = QStringLiteral("Graph.val");

// The numbers of lines 1-8 in file order, and which of them are check-box values.
struct NumberLine
{
    qint16 GraphConfig::*field;
    bool checkBox;
};
constexpr NumberLine NumberLines[] = {
    {&GraphConfig::SampleRateIndex, false}, {&GraphConfig::DurationIndex, false},
    {&GraphConfig::RefreshIndex, false},    {&GraphConfig::ShowSymbols, true},
    {&GraphConfig::XAxisTicks, false},      {&GraphConfig::YAxisTicks, false},
    {&GraphConfig::ShowXGrid, true},        {&GraphConfig::ShowYGrid, true},
};

bool inTickRange(int ticks)
{
    return ticks >= 1 && ticks <= 99;
}

} // namespace

void readGraphConfig(core::DataFileReader &reader, GraphConfig &config)
{
    for (const NumberLine &line : NumberLines) {
        const qint16 value = reader.readInt16();
        config.*line.field = line.checkBox && value != 0 ? qint16(1) : value;
    }
    for (QString &text : config.PenSelection)
        text = reader.readValue();
}

QByteArray graphConfigContent(const GraphConfig &config)
{
    QStringList lines;
    for (const NumberLine &line : NumberLines)
        lines << core::listPrintForm(config.*line.field);
    for (const QString &text : config.PenSelection)
        lines << penFileText(text);
    return core::latin1Lines(lines);
}

GraphConfig ReadGraphConfig(const core::AppState &app, core::Interaction &ui)
{
    GraphConfig config;
    try {
        core::DataFileReader reader = core::DataFileReader::open(app.programFile(FileName));
        readGraphConfig(reader, config);
    } catch (const core::AppError &error) {
        core::reportFileReadError(ui, error, FileName, QStringLiteral("frmGraph.ReadGraphConfig"));
    }
    return config;
}

bool SaveGraphConfig(const core::AppState &app, core::Interaction &ui, const GraphConfig &config)
{
    try {
        core::writeFileReplacing(app.programFile(FileName), graphConfigContent(config));
        return true;
    } catch (const core::AppError &error) {
        ui.MsgBox(core::appErrorText(
                      QStringLiteral("An application error has occurred saving Graph.val file:"),
                      error, QStringLiteral("frmGraph.SaveGraphConfig")),
                  core::MsgButtons::Ok, core::MsgIcon::Critical,
                  QStringLiteral("Application Error"), core::MsgResult::Ok);
        return false;
    }
}

TickSetup SetupGraphTicks(const GraphConfig &config)
{
    TickSetup setup;
    if (inTickRange(config.XAxisTicks))
        setup.XTicks = config.XAxisTicks;
    if (inTickRange(config.YAxisTicks))
        setup.YTicks = config.YAxisTicks;
    setup.GridStyle = 2 * (config.ShowXGrid != 0 ? 1 : 0) + (config.ShowYGrid != 0 ? 1 : 0);
    return setup;
}

QString checkedTickText(const QString &text)
{
    const double value = core::leadingNumber(text);
    return value < 2 || value > 20 ? QStringLiteral("5") : text;
}

qint16 tickCountOf(const QString &text)
{
    const double rounded = std::nearbyint(core::leadingNumber(text));
    return static_cast<qint16>(std::clamp(rounded, -32768.0, 32767.0));
}

} // namespace vanta::logging
