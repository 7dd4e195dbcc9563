// Logging sessions on a settable clock: the schedule, stamps, finish rule, failures and the
// start and stop rules.
#include "logging/logging_sessions.h"

#include "comms/port_loan.h"
#include "logging/log_settings.h"
#include "logging_fixture.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace vanta;
using logging::LogStates::Finished;
using logging::LogStates::Started;

namespace {

class LoggingSessions : public ::testing::Test, public test::LoggingFixture
{
protected:
    // Readings the fake instrument gives, by address text; a missing entry reads 21.5.
    std::map<QString, logging::ProcessReading> readings;
    int reads = 0;
    logging::LoggingEngine engine{
        link, [this](const core::InstrumentRecord &instrument) {
            ++reads;
            const auto found = readings.find(instrument.InstAddress);
            return found == readings.end() ? logging::ProcessReading{21.5f, 0, {}} : found->second;
        }};

    QString logPath(const QString &name) const { return folder.filePath(name); }

    // Starts instrument `index` on `file` through the start command.
    void start(int index, const QString &file)
    {
        ui.saveResults.push_back(logPath(file));
        ASSERT_TRUE(logging::StartLogSession(app, clock, ui, index));
    }

    // Ticks every 50 ms for `seconds`, the first tick now.
    void tickFor(double seconds)
    {
        for (int i = 0; i * 0.05 < seconds; ++i) {
            engine.tmrLogging_Timer();
            clock.advance(0.05);
        }
    }

    // The times of day of a log's stamps, joined by "|".
    QString stampsOf(const QString &file) const
    {
        QStringList stamps;
        for (const QString &line : fileLines(logPath(file)))
            stamps << line.section(QLatin1Char(','), 0, 0).mid(11);
        return stamps.join(QLatin1Char('|'));
    }
};

} // namespace

TEST_F(LoggingSessions, OneMinuteAtOneSecondWritesSixtyOneLines)
{
    addInstrument(QStringLiteral("001"), 1, 1);
    setLocal(10, 0, 0, 400);
    start(0, QStringLiteral("a.csv"));
    std::vector<bool> active;
    QObject::connect(&app, &core::AppState::loggingActiveChanged,
                     [&](bool on) { active.push_back(on); });

    tickFor(62);

    const QStringList lines = fileLines(logPath(QStringLiteral("a.csv")));
    ASSERT_EQ(lines.size(), 61);
    for (int i = 0; i <= 60; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i], QStringLiteral("03/15/2009 10:%1:%2 AM,21.5")
                                .arg(i / 60, 2, 10, QLatin1Char('0'))
                                .arg(i % 60, 2, 10, QLatin1Char('0')));
    }
    EXPECT_EQ(app.Config.Instruments[0].LogState, Finished);
    // On at the first tick, off at the first tick after the session ended.
    EXPECT_EQ(active, (std::vector<bool>{true, false}));
    EXPECT_EQ(reads, 61);
}

TEST_F(LoggingSessions, StalledTicksWriteTheOldestDueSampleThenSkipAhead)
{
    addInstrument(QStringLiteral("001"), 1, 1);
    setLocal(10, 0, 0, 400);
    start(0, QStringLiteral("a.csv"));
    tickFor(5.5);
    clock.advance(10); // a long modal operation holds the timer
    tickFor(1.5);

    EXPECT_EQ(stampsOf(QStringLiteral("a.csv")),
              "10:00:00 AM|10:00:01 AM|10:00:02 AM|10:00:03 AM|10:00:04 AM|10:00:05 AM|"
              "10:00:06 AM|10:00:16 AM");
}

TEST_F(LoggingSessions, SamplesDueWhileThePortIsLentAreMissed)
{
    addInstrument(QStringLiteral("001"), 1, 1);
    setLocal(10, 0, 0, 400);
    start(0, QStringLiteral("a.csv"));
    tickFor(2.5);
    {
        const comms::PortLoan terminal(app);
        tickFor(2); // the samples at 3 s and 4 s fall while another window holds the port
    }
    tickFor(2);

    EXPECT_EQ(stampsOf(QStringLiteral("a.csv")),
              "10:00:00 AM|10:00:01 AM|10:00:02 AM|10:00:05 AM|10:00:06 AM");
    EXPECT_EQ(reads, 5);
}

TEST_F(LoggingSessions, SubSecondRatesStampTenths)
{
    addInstrument(QStringLiteral("001"), 0.5f, 1);
    setLocal(14, 5, 7, 0);
    start(0, QStringLiteral("a.csv"));
    tickFor(1.2);
    EXPECT_EQ(stampsOf(QStringLiteral("a.csv")), "02:05:07.0 PM|02:05:07.5 PM|02:05:08.0 PM");
}

TEST_F(LoggingSessions, HundredthOfAnHourWritesOneLineAndFinishes)
{
    const qint16 minutes =
        logging::checkDuration(QStringLiteral("0.01"), logging::DurationUnit::Hours, 1).stored;
    addInstrument(QStringLiteral("001"), 1, minutes);
    start(0, QStringLiteral("a.csv"));
    tickFor(3);
    EXPECT_EQ(fileLines(logPath(QStringLiteral("a.csv"))).size(), 1);
    EXPECT_EQ(app.Config.Instruments[0].LogState, Finished);
    EXPECT_FALSE(app.LoggingActive());
}

TEST_F(LoggingSessions, ZeroAndFailedReadingsAndTheErrorLine)
{
    addInstrument(QStringLiteral("001"), 1, 10);
    addInstrument(QStringLiteral("002"), 1, 10);
    readings[QStringLiteral("001")] = {0.0f, 0, {}};
    readings[QStringLiteral("002")] = {99.0f, -1, QStringLiteral("Address 002:No response")};
    start(0, QStringLiteral("a.csv"));
    start(1, QStringLiteral("b.csv"));
    tickFor(0.05);
    EXPECT_EQ(fileLines(logPath(QStringLiteral("a.csv"))).value(0).section(',', 1), "1E-10");
    EXPECT_EQ(fileLines(logPath(QStringLiteral("b.csv"))).value(0).section(',', 1), "0");
    EXPECT_EQ(app.errorLine(), QStringLiteral("03/15/2009 10:00:00 AM - Address 002:No response"));

    // The failure stays on the line between samples and while other instruments succeed.
    tickFor(1.9);
    EXPECT_EQ(app.errorLine(), QStringLiteral("03/15/2009 10:00:01 AM - Address 002:No response"));

    readings.erase(QStringLiteral("002"));
    tickFor(0.1); // the sample at 2 s succeeds, but the line refreshes only every 0.5 s
    EXPECT_FALSE(app.errorLine().isEmpty());
    tickFor(0.5);
    EXPECT_TRUE(app.errorLine().isEmpty());
}

TEST_F(LoggingSessions, UnwritableFileIsReportedOnceUntilAWriteSucceeds)
{
    addInstrument(QStringLiteral("001"), 1, 10);
    const QString folderPath = logPath(QStringLiteral("logs"));
    start(0, QStringLiteral("logs/a.csv")); // the folder does not exist yet
    tickFor(3);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, QStringLiteral("Application Error"));
    EXPECT_TRUE(ui.boxes[0].text.contains(QStringLiteral("writing file ") + folderPath));
    EXPECT_TRUE(ui.boxes[0].text.endsWith(QStringLiteral("Routine - frmMain.tmrLogging_Timer")));
    EXPECT_TRUE(app.errorLine().endsWith(QStringLiteral("Address 001:Cannot write log file ") +
                                         folderPath + QStringLiteral("/a.csv")));
    EXPECT_EQ(app.Config.Instruments[0].LogState, Started);

    ASSERT_TRUE(QDir().mkpath(folderPath));
    tickFor(1);
    EXPECT_EQ(fileLines(logPath(QStringLiteral("logs/a.csv"))).size(), 1);
    ASSERT_TRUE(QDir(folderPath).removeRecursively());
    tickFor(2);
    EXPECT_EQ(ui.boxes.size(), 2u); // failing again after a success is news
}

TEST_F(LoggingSessions, ReadsThroughTheDispatcherAtTheListedAddress)
{
    // Without an open port every read fails with the engines' text, and is logged as 0.
    addInstrument(QStringLiteral("00A"), 1, 10).InstGroup = 0;
    logging::LoggingEngine dispatched(link);
    start(0, QStringLiteral("a.csv"));
    dispatched.tmrLogging_Timer();
    EXPECT_EQ(fileLines(logPath(QStringLiteral("a.csv"))).value(0).section(',', 1), "0");
    EXPECT_TRUE(app.errorLine().contains(QStringLiteral(":Selected comm port is not open.")));
    EXPECT_TRUE(line.requests.empty());
}

TEST_F(LoggingSessions, StartProposesAFileAndEmptiesAnOldOne)
{
    addInstrument(QStringLiteral("001"));
    folder.writeRaw(QStringLiteral("old.csv"), "old line\r\n");
    app.Config.DefaultFolder = QStringLiteral("C:\\VantaLnk3\\Logs\\"); // not on this system

    EXPECT_FALSE(logging::StartLogSession(app, clock, ui, 0)); // cancelled
    EXPECT_EQ(app.Config.Instruments[0].LogState, logging::LogStates::Never);
    ASSERT_EQ(ui.saveRequests.size(), 1u);
    const core::FileDialogRequest &request = ui.saveRequests[0];
    EXPECT_EQ(request.title, QStringLiteral("Start Log File"));
    EXPECT_EQ(request.filter, QStringLiteral("CSV Files|*.csv"));
    EXPECT_EQ(request.initialFolder, folder.filePath(QStringLiteral("Logs")));
    EXPECT_EQ(request.fileName, QStringLiteral("001_20090315.csv"));
    EXPECT_TRUE(request.confirmOverwrite);

    setLocal(10, 0, 0, 400);
    start(0, QStringLiteral("old.csv"));
    const core::InstrumentRecord &instrument = app.Config.Instruments[0];
    EXPECT_FALSE(QFile::exists(logPath(QStringLiteral("old.csv"))));
    EXPECT_EQ(instrument.LogState, Started);
    EXPECT_EQ(instrument.LogNextOffset, 0);
    EXPECT_EQ(logging::startTimeText(instrument),
              QStringLiteral("Logging started 03/15/2009 10:00:00 AM"));
}

TEST_F(LoggingSessions, RefusesTheFileOfAnotherRunningSession)
{
    addInstrument(QStringLiteral("001"));
    addInstrument(QStringLiteral("002"));
    start(0, QStringLiteral("a.csv"));
    tickFor(0.05);
    ui.saveResults.push_back(folder.path() + QStringLiteral("/./a.csv"));
    EXPECT_FALSE(logging::StartLogSession(app, clock, ui, 1));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, QStringLiteral("File Currently Active"));
    EXPECT_EQ(app.Config.Instruments[1].LogState, logging::LogStates::Never);
    EXPECT_EQ(fileLines(logPath(QStringLiteral("a.csv"))).size(), 1); // its data is kept

    // A stopped session's file may be reused.
    app.Config.Instruments[0].LogState = logging::LogStates::Stopped;
    start(1, QStringLiteral("a.csv"));
}

TEST_F(LoggingSessions, StopAsksOnlyForARunningSession)
{
    addInstrument(QStringLiteral("001"));
    EXPECT_FALSE(logging::StopLogSession(app, ui, 0));
    EXPECT_TRUE(ui.boxes.empty());

    start(0, QStringLiteral("a.csv"));
    ui.answers = {core::MsgResult::No, core::MsgResult::Yes};
    EXPECT_FALSE(logging::StopLogSession(app, ui, 0));
    EXPECT_EQ(app.Config.Instruments[0].LogState, Started);
    EXPECT_TRUE(logging::StopLogSession(app, ui, 0));
    EXPECT_EQ(app.Config.Instruments[0].LogState, logging::LogStates::Stopped);

    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text,
              QStringLiteral("Are sure you wish to stop the current logging session?"));
    EXPECT_EQ(ui.boxes[0].title, QStringLiteral("Stop Logging?"));
    EXPECT_EQ(ui.boxes[0].icon, core::MsgIcon::Question);
    EXPECT_EQ(ui.boxes[0].defaultButton, core::MsgResult::No);
}
