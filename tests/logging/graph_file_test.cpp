// Graph files: the written layout, save and restore round trips in every time base, restores
// refused before anything changes, the buffer limit, and the save and restore commands.
#include "logging/graph_file.h"

#include "core/reentry_guard.h"
#include "logging/trend_graph.h"
#include "logging_fixture.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace vanta;
using namespace vanta::logging;

namespace {

class GraphFiles : public ::testing::Test, public test::LoggingFixture
{
protected:
    core::LoopTracker loops;
    TrendGraph graph{link, loops};

    GraphFiles()
    {
        folder.writeRaw(QStringLiteral("Graph.val"), "");
        graph.Form_Load();
        ui.boxes.clear();
    }

    QString write(const QString &name, const QByteArray &content) const
    {
        folder.writeRaw(name, content);
        return folder.filePath(name);
    }

    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// Two pens over four points with negatives, missing values and X positions that are sums of
// tenths of a second.
ChartBuffer sampleChart()
{
    ChartBuffer chart;
    EXPECT_TRUE(chart.setPenCount(2));
    double x = 0;
    const float values[][2] = {{101.5f, -40.25f}, {0, 3}, {-0.125f, 1e-10f}, {7, -7}};
    for (int point = 0; point < 4; ++point, x += 0.1) {
        EXPECT_TRUE(chart.appendPoint(x));
        chart.setSample(0, values[point][0], /*missing=*/point == 1);
        chart.setSample(1, values[point][1], /*missing=*/false);
    }
    return chart;
}

const QStringList SamplePens{QStringLiteral("001 R1 Oven 3"), QStringLiteral("0B  L0 Tank, west")};

} // namespace

TEST_F(GraphFiles, WritesPenCountHeadingAndPointLines)
{
    const QStringList lines =
        QString::fromLatin1(graphFileContent(sampleChart(), SamplePens, TimeBase::Seconds))
            .split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 7); // the last line end leaves an empty rest
    EXPECT_EQ(lines[0], "#Pens =, 2 ,Time Base =, 0 ");
    EXPECT_EQ(lines[1], "Log Time,001 R1 Oven 3,\"0B  L0 Tank, west\",Missing Data-1,"
                        "Missing Data-2");
    EXPECT_EQ(lines[2], " 0 , 101.5 ,-40.25 , 0 , 0 ");
    EXPECT_EQ(lines[3], " .1 , 0 , 3 , 1 , 0 ");
    EXPECT_EQ(lines[4], " .2 ,-.125 , 1E-10 , 0 , 0 ");
    EXPECT_EQ(lines[5], " .3 , 7 ,-7 , 0 , 0 "); // not .30000000000000004
}

TEST_F(GraphFiles, RestoreAndSaveAgainGivesTheSameFileInEveryTimeBase)
{
    const ChartBuffer original = sampleChart();
    for (const TimeBase base : {TimeBase::Seconds, TimeBase::Minutes, TimeBase::Hours}) {
        SCOPED_TRACE(static_cast<int>(base));
        const QByteArray content = graphFileContent(original, SamplePens, base);
        graph.RestoreGraphFile(write(QStringLiteral("in.csv"), content));

        EXPECT_TRUE(ui.boxes.empty());
        EXPECT_EQ(graph.fields().Base, base);
        EXPECT_EQ(graph.fields().BottomTitle, timeBaseTitle(base));
        const ChartBuffer &chart = graph.chart();
        ASSERT_EQ(chart.pointCount(), 4);
        ASSERT_EQ(chart.penCount(), 2);
        for (int point = 0; point < 4; ++point) {
            for (int pen = 0; pen < 2; ++pen) {
                EXPECT_EQ(chart.value(pen, point), original.value(pen, point));
                EXPECT_EQ(chart.isMissing(pen, point), original.isMissing(pen, point));
            }
        }
        // Not configured here: each pen's line is added to its list and chosen.
        EXPECT_EQ(graph.fields().Pens[1], SamplePens[1]);
        EXPECT_EQ(graph.fields().PenLists[1].last(), SamplePens[1]);
        EXPECT_EQ(graph.fields().Pens[2], NonePenText);
        EXPECT_EQ(graph.fields().Legends, QStringList({"Oven 3", "Tank, west"}));

        const QString again = folder.filePath(QStringLiteral("out.csv"));
        EXPECT_EQ(graph.SaveGraphFile(again), SaveOutcome::Written);
        EXPECT_EQ(readAll(again), content);
    }
}

TEST_F(GraphFiles, BadFilesAreRefusedBeforeTheGraphChanges)
{
    struct Case
    {
        const char *name;
        const char *content; // nullptr: no such file
        const char *error;
        int pointsAfter;
    };
    const Case cases[] = {
        {"no pens", "#Pens =, 0 ,Time Base =, 0 \r\n", "9 - Subscript out of range", 4},
        {"eleven pens", "#Pens =, 11 ,Time Base =, 0 \r\nLog Time,a,b,c,d,e,f,g,h,i,j,k\r\n",
         "9 - Subscript out of range", 4},
        {"time base 3", "#Pens =, 1 ,Time Base =, 3 \r\nLog Time,a,Missing Data-1\r\n",
         "9 - Subscript out of range", 4},
        {"cut short", "#Pens =, 2 ,Time Base =", "62 - Input past end of file", 4},
        {"missing", nullptr, "53 - File not found", 4},
        {"bad second point",
         "#Pens =, 1 ,Time Base =, 0 \r\nLog Time,a,Missing Data-1\r\n 0 , 5 , 0 \r\n 1 ,x, 0 \r\n",
         "13 - Type mismatch", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        graph.RestoreGraphFile(
            write(QStringLiteral("good.csv"),
                  graphFileContent(sampleChart(), SamplePens, TimeBase::Minutes)));
        const QString path = c.content ? write(QStringLiteral("bad.csv"), c.content)
                                       : folder.filePath(QStringLiteral("none.csv"));
        graph.RestoreGraphFile(path);

        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, QStringLiteral("An application error has occurred:\r"
                                                   "Error Code ") +
                                        QLatin1String(c.error) +
                                        QStringLiteral("\rRoutine - frmGraph.RestoreGraphFile,  "
                                                       "File >") +
                                        path);
        EXPECT_EQ(graph.chart().pointCount(), c.pointsAfter);
        if (c.pointsAfter == 4) {
            EXPECT_EQ(graph.fields().Base, TimeBase::Minutes);
            EXPECT_EQ(graph.fields().Pens[0], SamplePens[0]);
        }
        EXPECT_EQ(ui.busyDepth, 0);
        ui.boxes.clear();
    }
}

TEST_F(GraphFiles, RestoreStopsAtTheBufferLimit)
{
    ChartBuffer full;
    ASSERT_TRUE(full.setPenCount(10));
    while (full.appendPoint(full.pointCount()))
        ;
    const QStringList pens(10, QStringLiteral("001 R1 Oven"));
    graph.RestoreGraphFile(
        write(QStringLiteral("big.csv"), graphFileContent(full, pens, TimeBase::Seconds)));

    EXPECT_EQ(graph.chart().pointCount(), 12799);
    ASSERT_EQ(ui.titles(), QStringList{"Maximum Data Points Reached"});
    EXPECT_EQ(ui.boxes[0].text,
              "The system has reached its maximum sampling size of 128,000 data points.    The "
              "number of points is 12799.  The number of pens is 10.");
}

TEST_F(GraphFiles, SaveAndRestoreCommands)
{
    const QString saved = folder.filePath(QStringLiteral("Graph.csv"));
    ui.saveResults.push_back(saved);
    graph.cmdSaveData_Click(); // nothing sampled yet
    EXPECT_EQ(ui.titles(), QStringList{"No Data On Graph"});
    EXPECT_FALSE(QFile::exists(saved));
    const core::FileDialogRequest &request = ui.saveRequests.at(0);
    EXPECT_EQ(request.title, "Save Graph Data");
    EXPECT_EQ(request.filter, "Graph Files (*.csv)|*.csv");
    EXPECT_EQ(request.fileName, "Graph20090315-1000.csv");
    EXPECT_EQ(request.initialFolder, folder.path());
    EXPECT_TRUE(request.confirmOverwrite);

    const QString restored =
        write(QStringLiteral("in.csv"), graphFileContent(sampleChart(), SamplePens, {}));
    ui.openResults.push_back(restored);
    graph.cmdRestoreData_Click();
    EXPECT_EQ(graph.chart().pointCount(), 4);
    EXPECT_EQ(graph.LastGraphFile(), restored);
    EXPECT_EQ(ui.openRequests.at(0).title, "Restore Graph Data");
    EXPECT_TRUE(ui.openRequests.at(0).fileMustExist);

    // A folder that is gone: reported, and Failed.
    EXPECT_EQ(graph.SaveGraphFile(folder.filePath(QStringLiteral("gone/x.csv"))),
              SaveOutcome::Failed);
    EXPECT_TRUE(
        ui.boxes.back().text.endsWith(QStringLiteral("Routine - frmGraph.SaveGraphFile,  File >") +
                                      folder.filePath("gone/x.csv")));

    graph.cmdStartSampling_Click();
    graph.cmdRestoreData_Click();
    EXPECT_EQ(ui.titles().last(), "Graph Sampling Is On");
    EXPECT_EQ(ui.openRequests.size(), 1u);
}
