// Log viewing: the snapshot of the current log and the external viewer for historical logs.
#include "logging/log_viewing.h"

#include "logging/logging_sessions.h"
#include "logging_fixture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace vanta;

namespace {

class LogViewing : public ::testing::Test, public test::LoggingFixture
{
protected:
    struct Launch
    {
        QString program;
        QStringList arguments;
    };
    std::vector<Launch> launches;
    bool launchSucceeds = true;
    logging::ProgramLauncher launcher = [this](const QString &program, const QStringList &args) {
        launches.push_back({program, args});
        return launchSucceeds;
    };

    void viewHistorical(const QString &chosen)
    {
        ui.openResults.push_back(chosen);
        logging::ViewHistoricalLog(app, ui, launcher);
    }
};

} // namespace

TEST_F(LogViewing, SnapshotReadsEveryLineOrNothing)
{
    EXPECT_FALSE(logging::readLogSnapshot(folder.filePath(QStringLiteral("gone.csv"))));
    EXPECT_FALSE(logging::readLogSnapshot(QString()));
    folder.writeRaw(QStringLiteral("a.csv"), "one,1\r\ntwo,2\nthree,25\xb0\r\n");
    const auto snapshot = logging::readLogSnapshot(folder.filePath(QStringLiteral("a.csv")));
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->lines.join(QLatin1Char('|')), QStringLiteral("one,1|two,2|three,25\u00b0"));
    EXPECT_EQ(logging::snapshotCaption(snapshot->path),
              QStringLiteral("View Current Log (Snapshot) - ") + folder.filePath("a.csv"));
}

TEST_F(LogViewing, SnapshotRefusesAFifoInPlaceOfTheLog)
{
    const QByteArray fifo = folder.filePath(QStringLiteral("fifo.csv")).toLocal8Bit();
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    EXPECT_THROW(logging::readLogSnapshot(QString::fromLocal8Bit(fifo)), core::AppError);
}

TEST_F(LogViewing, HistoricalLogOpensInTheViewerWithoutAShell)
{
    app.Config.ViewerProgram = QStringLiteral("/opt/My Viewer/view");
    const QString file = folder.filePath(QStringLiteral("old log; rm -rf x.csv"));

    logging::ViewHistoricalLog(app, ui, launcher); // cancelled
    EXPECT_TRUE(launches.empty());
    ASSERT_EQ(ui.openRequests.size(), 1u);
    EXPECT_EQ(ui.openRequests[0].title, QStringLiteral("View Historical Log"));
    EXPECT_EQ(ui.openRequests[0].filter, QStringLiteral("CSV Files|*.csv"));
    EXPECT_EQ(ui.openRequests[0].initialFolder, folder.path());
    EXPECT_TRUE(ui.openRequests[0].fileName.isEmpty());
    EXPECT_TRUE(ui.openRequests[0].fileMustExist);

    viewHistorical(file);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].program, app.Config.ViewerProgram);
    EXPECT_EQ(launches[0].arguments, QStringList{file});
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(LogViewing, FileOfARunningSessionIsNotOpened)
{
    core::InstrumentRecord &instrument = addInstrument(QStringLiteral("001"));
    instrument.LogFile = folder.filePath(QStringLiteral("a.csv"));
    instrument.LogState = logging::LogStates::Started;

    viewHistorical(instrument.LogFile);
    EXPECT_TRUE(launches.empty());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, instrument.LogFile + QStringLiteral("\rThis file is currently "
                                                                    "being logged to and cannot "
                                                                    "be viewed Historically."));
    EXPECT_EQ(ui.boxes[0].title, QStringLiteral("File Currently Active"));
    EXPECT_EQ(ui.boxes[0].icon, core::MsgIcon::Exclamation);

    // A file that differs only in letter case is another file here.
    viewHistorical(folder.filePath(QStringLiteral("A.csv")));
    // Stopped and finished sessions' files open.
    for (qint16 state : {logging::LogStates::Stopped, logging::LogStates::Finished}) {
        instrument.LogState = state;
        viewHistorical(instrument.LogFile);
    }
    EXPECT_EQ(launches.size(), 3u);
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(LogViewing, ViewerThatCannotStartIsReported)
{
    launchSucceeds = false;
    app.Config.ViewerProgram = QStringLiteral("/no/viewer");
    viewHistorical(folder.filePath(QStringLiteral("a.csv")));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, QStringLiteral("Application Error"));
    EXPECT_TRUE(ui.boxes[0].text.contains(
        QStringLiteral("Routine - frmLogging.cmdViewHist_Click, /no/viewer")));

    EXPECT_FALSE(logging::startDetachedProgram(QString(), {QStringLiteral("a.csv")}));
    EXPECT_FALSE(logging::startDetachedProgram(folder.filePath(QStringLiteral("missing")), {}));
}
