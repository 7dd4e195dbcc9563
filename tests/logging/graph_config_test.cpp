// Graph.val: the delivered file, missing, short and odd files at window load, writing it back,
// and the tick and grid rules of "Graph Setup".
#include "logging/graph_config.h"

#include "core/reentry_guard.h"
#include "logging/trend_graph.h"
#include "logging_fixture.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace vanta;
using namespace vanta::logging;

namespace {

struct LoadCase
{
    const char *name;
    const char *content; // nullptr: no Graph.val
    const char *report;  // the report's text after "reading Graph.val file:\r"; "" for none
    int positions[3];
    const char *entries[3];
    bool symbols;
    int gridStyle;
    bool ticks;
};

const LoadCase LoadCases[] = {
    {"missing",
     nullptr,
     "Error Code 53 - File not found\rRoutine - frmGraph.ReadGraphConfig",
     {0, 0, 0},
     {"0.1 Sec.", "10 Sec.", "0.5 Sec."},
     false,
     0,
     false},
    {"short",
     "1\r\n2\r\n3\r\n",
     "Error Code 62 - Input past end of file\rRoutine - frmGraph.ReadGraphConfig",
     {1, 2, 3},
     {"0.5 Sec.", "60 Sec.", "5 Sec."},
     false,
     0,
     false},
    {"out of range",
     " 18 \r\n 13 \r\n-1 \r\n 2 \r\n 5 \r\n 5 \r\n 7 \r\n 1 \r\n",
     "Error Code 62 - Input past end of file\rRoutine - frmGraph.ReadGraphConfig",
     {4, 4, 4},
     {"5 Sec.", "5 Min.", "10 Sec."},
     true,
     3,
     true},
};

} // namespace

TEST(GraphConfig, ReadsAndRewritesTheDeliveredDefault)
{
    QFile file(QStringLiteral(VANTA_DATA_DIR "/Graph.val"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray delivered = file.readAll();
    core::DataFileReader reader(delivered);
    GraphConfig config;
    readGraphConfig(reader, config);
    EXPECT_EQ(config.SampleRateIndex, 2);
    EXPECT_EQ(config.DurationIndex, 7);
    EXPECT_EQ(config.XAxisTicks, 5);
    EXPECT_EQ(config.ShowYGrid, 1);
    EXPECT_EQ(config.PenSelection[9], NonePenText);
    EXPECT_EQ(graphConfigContent(config), delivered);
}

TEST(GraphConfig, WindowLoadFallsBackForMissingShortAndOddFiles)
{
    for (const LoadCase &c : LoadCases) {
        SCOPED_TRACE(c.name);
        test::LoggingFixture rig;
        if (c.content)
            rig.folder.writeRaw(QStringLiteral("Graph.val"), c.content);
        core::LoopTracker loops;
        TrendGraph graph(rig.link, loops);
        graph.Form_Load();

        ASSERT_EQ(rig.ui.boxes.size(), 1u);
        EXPECT_EQ(rig.ui.boxes[0].text,
                  QStringLiteral("An application error has occurred reading Graph.val file:\r") +
                      QLatin1String(c.report));
        const GraphFields &fields = graph.fields();
        const int shown[] = {fields.SampleRateIndex, fields.DurationIndex, fields.RefreshIndex};
        const ChoiceList lists[] = {ChoiceList::SampleRate, ChoiceList::Duration,
                                    ChoiceList::RefreshRate};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(shown[i], c.positions[i]);
            EXPECT_EQ(choiceEntries(lists[i]).value(shown[i]), QLatin1String(c.entries[i]));
        }
        EXPECT_EQ(fields.ShowSymbols, c.symbols);
        EXPECT_EQ(fields.Ticks.GridStyle, c.gridStyle);
        EXPECT_EQ(fields.Ticks.XTicks.has_value(), c.ticks);
    }
}

TEST(GraphConfig, SavedSettingsReadBackWithACommaInAPenText)
{
    test::LoggingFixture rig;
    GraphConfig saved;
    saved.SampleRateIndex = 17;
    saved.ShowXGrid = 1;
    saved.YAxisTicks = -3;
    saved.PenSelection.fill(NonePenText);
    saved.PenSelection[0] = QStringLiteral("001 R1 Oven 3, north");
    saved.PenSelection[1] = QStringLiteral("0A  L0 6\" pipe");
    ASSERT_TRUE(SaveGraphConfig(rig.app, rig.ui, saved));

    const QStringList lines = test::LoggingFixture::fileLines(rig.folder.filePath("Graph.val"));
    ASSERT_EQ(lines.size(), 18);
    EXPECT_EQ(lines[0], " 17 ");
    EXPECT_EQ(lines[5], "-3 ");
    EXPECT_EQ(lines[8], "\"001 R1 Oven 3, north\"");
    EXPECT_EQ(lines[17], NonePenText);
    core::DataFileReader reader = core::DataFileReader::open(rig.folder.filePath("Graph.val"));
    GraphConfig read;
    readGraphConfig(reader, read);
    EXPECT_EQ(read.PenSelection[0], saved.PenSelection[0]);
    EXPECT_EQ(read.PenSelection[1], saved.PenSelection[1]); // a quote inside: as it is
    EXPECT_EQ(read.YAxisTicks, -3);

    core::AppState nowhere(rig.folder.filePath(QStringLiteral("gone")));
    EXPECT_FALSE(SaveGraphConfig(nowhere, rig.ui, saved));
    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_TRUE(rig.ui.boxes[0].text.startsWith(
        "An application error has occurred saving Graph.val file:\rError Code 75"));
}

TEST(GraphConfig, TickAndGridRules)
{
    const std::pair<const char *, const char *> left[] = {
        {"1", "5"}, {"25", "5"}, {"2", "2"}, {"20", "20"}, {"abc", "5"}};
    for (const auto &[typed, shown] : left)
        EXPECT_EQ(checkedTickText(QLatin1String(typed)), QLatin1String(shown)) << typed;
    EXPECT_EQ(tickCountOf(QStringLiteral("2.5")), 2); // halves to even
    EXPECT_EQ(tickCountOf(QStringLiteral("3.5")), 4);

    GraphConfig config;
    config.XAxisTicks = 99;
    config.YAxisTicks = 100;
    config.ShowXGrid = 1;
    const TickSetup setup = SetupGraphTicks(config);
    EXPECT_EQ(setup.XTicks, 99);
    EXPECT_FALSE(setup.YTicks.has_value());
    EXPECT_EQ(setup.GridStyle, 2);
}
