// Trend sampling on a settable clock with instruments behind a scripted line: the buffer limit,
// unused, failing and added pens, the port loan, automatic saves, time bases, manual Y limits
// and an unexpected failure in the tick.
#include "logging/trend_sampler.h"

#include "comms/port_loan.h"
#include "core/address.h"
#include "logging/trend_graph.h"
#include "logging_fixture.h"
#include "support/pty_responder.h"

#include <QDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>

using namespace vanta;
using namespace vanta::logging;

namespace {

class TrendSampling : public ::testing::Test, public test::LoggingFixture
{
protected:
    core::LoopTracker loops;
    std::map<int, std::shared_ptr<test::RegisterMap>> answering; // instruments by address
    std::optional<TrendGraph> graph;

    TrendSampling()
    {
        app.Config.PollTimeout = 100;
        line.setPortOpen(true);
        app.setCommEnabled(true);
        line.responder = [this](const QByteArray &request) {
            for (const auto &[address, registers] : answering) {
                const auto answer = test::modbusRtuInstrument(address, registers)(request);
                if (answer && !answer->reply.isEmpty())
                    return answer->reply;
            }
            return QByteArray();
        };
    }

    // A listed group-0 Modbus RTU instrument ("01 R0 Oven 1"); it answers only once answer()
    // gave it a reading.
    void list(int address)
    {
        core::InstrumentRecord instrument;
        instrument.InstAddress = core::Hex2(address);
        instrument.InstName = QStringLiteral("Oven %1").arg(address);
        instrument.InstProtocol = QStringLiteral("R");
        instrument.InstGroup = 0;
        app.Config.Instruments.push_back(instrument);
    }
    // Process value in tenths; the status word's decimal-point bits say one decimal.
    void answer(int address, int tenths)
    {
        answering[address] =
            std::make_shared<test::RegisterMap>(test::RegisterMap{{1, tenths}, {2, 16}});
    }

    // Loads the graph with Graph.val's rate and duration positions and brings it to the front.
    void load(int rate, int duration, ProcessValueReader reader = {})
    {
        GraphConfig config;
        config.SampleRateIndex = static_cast<qint16>(rate);
        config.DurationIndex = static_cast<qint16>(duration);
        config.RefreshIndex = 8;
        config.PenSelection.fill(NonePenText);
        folder.writeRaw(QStringLiteral("Graph.val"), graphConfigContent(config));
        graph.emplace(link, loops, std::move(reader));
        graph->Form_Load();
        graph->Form_Activate();
    }
    void choose(int pen, int instrument)
    {
        graph->cbxControl_Click(pen, instrumentPenLine(app.Config.Instruments[instrument]));
    }
    void tickFor(double seconds, double step = 0.05)
    {
        for (int i = 0; i * step < seconds; ++i) {
            graph->tmrGraphSampling_Timer();
            clock.advance(step);
        }
    }
    const ChartBuffer &chart() const { return graph->chart(); }
    QString autoSavePath() const { return folder.filePath(QStringLiteral("AutoGraphSave.csv")); }
};

} // namespace

TEST_F(TrendSampling, TenPensAtATenthOfASecondStopAtTheBufferLimit)
{
    app.setDemoMode(true);
    for (int address = 1; address <= 10; ++address)
        list(address);
    load(/*0.1 Sec.*/ 0, /*Never Stop*/ 12);
    for (int pen = 0; pen < 10; ++pen)
        choose(pen, pen);
    graph->cmdStartSampling_Click();
    EXPECT_EQ(ui.titles(), QStringList{"Maximum Logging Size Will Be Exceeded"});
    EXPECT_TRUE(app.GraphRecording());

    for (int tick = 0; tick < 30000 && graph->SamplingOn(); ++tick) {
        graph->tmrGraphSampling_Timer();
        clock.advance(0.05);
    }

    EXPECT_FALSE(graph->SamplingOn());
    EXPECT_FALSE(app.GraphRecording());
    EXPECT_EQ(chart().pointCount(), 12799);
    ASSERT_EQ(ui.titles().last(), "Maximum Data Points Reached");
    EXPECT_EQ(ui.boxes.back().text,
              "The system has reached its maximum sampling size of 128,000 data points and "
              "sampling has been stopped.  The number of points is 12799.  The number of pens "
              "is 10.");
    EXPECT_EQ(graph->fields().SampleCountText, "12,799");
    EXPECT_TRUE(graph->fields().BufferSizeVisible);
    EXPECT_EQ(graph->fields().BufferSizeText, "127,990 Of 128,000");
    // Demo values at 10:00:00 and 10:00:01: s x n x 5 + n x 1000, pen 10 s x 3 - 100.
    EXPECT_EQ(chart().value(0, 0), 1000);
    EXPECT_EQ(chart().value(9, 0), -100);
    EXPECT_EQ(chart().value(1, 10), 2010);
    EXPECT_EQ(chart().value(9, 10), -97);
}

TEST_F(TrendSampling, UnusedAndFailingPensStoreMissingPoints)
{
    for (int address : {1, 3, 5, 6})
        list(address);
    answer(1, 215);
    answer(3, 300);
    load(/*1 Sec.*/ 2, /*10 Sec.*/ 0);
    choose(0, 0);
    choose(2, 1); // pen 2 stays "[none]"
    choose(3, 2);
    choose(4, 3);
    graph->cmdStartSampling_Click();
    tickFor(0.05);

    // Pen 5's failure came 0.2 s after pen 4's: the error line keeps pen 4's.
    EXPECT_TRUE(app.errorLine().startsWith("03/15/2009 10:00:00 AM - Address 05:"));
    const std::array<PenIndicator, PenSlots> &indicators = graph->fields().Indicators;
    EXPECT_EQ(indicators[0], PenIndicator::ButtonFace);
    EXPECT_EQ(indicators[1], PenIndicator::WindowColour);
    EXPECT_EQ(indicators[3], PenIndicator::Failed);
    EXPECT_EQ(indicators[4], PenIndicator::Failed);

    answer(5, 55);
    answer(6, 66);
    tickFor(15);

    EXPECT_FALSE(graph->SamplingOn()); // the duration ended
    ASSERT_EQ(chart().penCount(), 5);
    ASSERT_EQ(chart().pointCount(), 12);
    for (int point = 0; point < chart().pointCount(); ++point) {
        SCOPED_TRACE(point);
        EXPECT_EQ(chart().x(point), point);
        EXPECT_EQ(chart().value(0, point), 21.5f);
        EXPECT_TRUE(chart().isMissing(1, point));
        EXPECT_EQ(chart().value(1, point), 0);
        EXPECT_EQ(chart().value(2, point), 30.0f);
        EXPECT_EQ(chart().isMissing(4, point), point == 0);
    }
    EXPECT_EQ(app.errorLine(), QString());
    EXPECT_EQ(graph->fields().Legends,
              QStringList({"Oven 1", "[none]", "Oven 3", "Oven 5", "Oven 6"}));
}

TEST_F(TrendSampling, PenAddedWhileSamplingIsMissingAtEarlierPoints)
{
    list(1);
    list(2);
    answer(1, 215);
    answer(2, -50);
    load(/*1 Sec.*/ 2, /*60 Sec.*/ 2);
    choose(0, 0);
    graph->cmdStartSampling_Click();
    tickFor(2.5);
    choose(1, 1);
    tickFor(2);

    ASSERT_EQ(chart().pointCount(), 5);
    for (int point = 0; point < 5; ++point)
        EXPECT_EQ(chart().isMissing(1, point), point < 3) << point;
    EXPECT_EQ(chart().value(1, 4), -5.0f);
}

TEST_F(TrendSampling, NoSampleWhileThePortIsLent)
{
    list(1);
    answer(1, 215);
    load(/*1 Sec.*/ 2, /*60 Sec.*/ 2);
    choose(0, 0);
    graph->cmdStartSampling_Click();
    tickFor(2.5);
    {
        const comms::PortLoan terminal(app);
        tickFor(2); // the samples at 3 s and 4 s fall while another window holds the port
    }
    tickFor(2);

    ASSERT_EQ(chart().pointCount(), 7);
    for (int point = 0; point < 7; ++point)
        EXPECT_EQ(chart().isMissing(0, point), point == 3 || point == 4) << point;
    EXPECT_EQ(line.requests.size(), 10u); // value and status word of five samples
}

TEST_F(TrendSampling, AutomaticSaveEveryHalfHourOnlyAboveOneMinute)
{
    struct Case
    {
        int rate;
        int linesAfter35Minutes; // two heading lines and one per point; 0: no file
        int linesAfter65Minutes;
    };
    app.setDemoMode(true);
    list(1);
    load(/*2 Min.*/ 8, /*20 hours*/ 11);
    choose(0, 0);
    for (const Case &c : {Case{/*2 Min.*/ 8, 2 + 16, 2 + 31}, Case{/*60 Sec.*/ 7, 0, 0}}) {
        SCOPED_TRACE(c.rate);
        QFile::remove(autoSavePath());
        graph->cbxChoice_Click(ChoiceList::SampleRate, c.rate);
        graph->cmdStartSampling_Click();
        tickFor(35 * 60, 1);
        EXPECT_EQ(fileLines(autoSavePath()).size(), c.linesAfter35Minutes);
        tickFor(30 * 60, 1);
        EXPECT_EQ(fileLines(autoSavePath()).size(), c.linesAfter65Minutes);
        graph->cmdStopSampling_Click();
    }
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(TrendSampling, TimeBaseConvertsEveryXPosition)
{
    struct Case
    {
        int index;
        double lastX;
        const char *title;
    };
    app.setDemoMode(true);
    list(1);
    load(/*60 Sec.*/ 7, /*2 hours*/ 8);
    choose(0, 0);
    graph->cmdStartSampling_Click();
    tickFor(7200.5, 1);
    ASSERT_EQ(chart().pointCount(), 121);

    for (const Case &c :
         {Case{2, 2, "Time (hrs.)"}, Case{1, 120, "Time (min.)"}, Case{0, 7200, "Time (sec.)"}}) {
        SCOPED_TRACE(c.title);
        graph->optTimeBase_Click(c.index);
        EXPECT_EQ(static_cast<int>(graph->fields().Base), c.index);
        EXPECT_EQ(graph->fields().BottomTitle, QLatin1String(c.title));
        EXPECT_DOUBLE_EQ(chart().x(120), c.lastX);
        EXPECT_DOUBLE_EQ(graph->fields().XAxis.maximum, c.lastX);
    }
    graph->optTimeBase_Click(3); // no such option: nothing changes
    EXPECT_DOUBLE_EQ(chart().x(120), 7200);
}

TEST_F(TrendSampling, ManualYLimitsThatDoNotRiseAreReplaced)
{
    app.setDemoMode(true);
    list(1);
    load(/*0.1 Sec.*/ 0, /*60 Sec.*/ 2);
    choose(0, 0);
    graph->chkYAutoScale_Click(false); // no data yet
    EXPECT_EQ(graph->fields().YLimits.minimum, "0");
    EXPECT_EQ(graph->fields().YLimits.maximum, "100");

    graph->cmdStartSampling_Click();
    tickFor(1.05); // 1000 at 10:00:00, 1005 at 10:00:01
    graph->yLimitsEntered(QStringLiteral("50"), QStringLiteral("20"));

    EXPECT_EQ(graph->fields().YLimits.minimum, "1000");
    EXPECT_EQ(graph->fields().YLimits.maximum, "1005");
    EXPECT_EQ(graph->fields().YAxis, (AxisScale{false, 1000, 1005}));
}

TEST_F(TrendSampling, AnUnexpectedErrorStopsSamplingThenIsReportedOnce)
{
    list(1);
    load(/*0.1 Sec.*/ 0, /*60 Sec.*/ 2, [](const core::InstrumentRecord &) -> ProcessReading {
        throw core::AppError{core::ErrorNumber::TypeMismatch, QStringLiteral("Type mismatch")};
    });
    choose(0, 0);
    ui.boxes.clear();
    graph->cmdStartSampling_Click();
    tickFor(3);

    EXPECT_FALSE(graph->SamplingOn());
    EXPECT_FALSE(app.GraphRecording());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "An application error has occurred:\rError Code 13 - Type "
                                "mismatch\rRoutine - frmGraph.tmrGraphSampling_Timer");
}
