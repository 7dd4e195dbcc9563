// Start-up with a scripted user and line: the second-copy question, the loading order, the
// product variant, pacing, the port settings and the automatic-send hand-off.
#include "app/instance_lock.h"
#include "app/startup.h"
#include "core/app_error.h"
#include "support/scripted_interaction.h"
#include "support/scripted_line.h"
#include "support/settable_clock.h"
#include "support/temp_program_folder.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace vanta;
using core::MsgResult;
using test::ScriptedInteraction;

namespace {

const QByteArray ConfigFile = "2\r\n9600\r\nNone\r\n8\r\n1\r\n250\r\n1\r\nR\r\n1\r\n5\r\n"
                              "viewer\r\nlogs\r\n001\r\nOven\r\nR\r\n1\r\n1\r\n60\r\n1\r\n1\r\n";

// The routine that showed a box: named on the last line of an error report; the port opening's
// own "InitComm" box names no routine.
QString routineOf(const test::RecordedBox &box)
{
    if (box.title == QLatin1String("InitComm"))
        return QStringLiteral("modVanta.InitComm");
    const int at = box.text.lastIndexOf(QLatin1String("Routine - "));
    return at < 0 ? box.title : box.text.mid(at + 10);
}

class Startup : public ::testing::Test
{
protected:
    Startup() : line(clock), link(app, line, clock, ui)
    {
        line.openError = core::ErrorNumber::InvalidPortNumber;
        env.executableName = QStringLiteral("VantaLnk3");
        env.anotherCopyRunning = [this] { return anotherCopy; };
        env.showMainWindow = [this] { boxesBeforeWindow = int(ui.boxes.size()); };
        env.autoSend = [this](const QString &text) { autoSent << text; };
    }

    test::TempProgramFolder folder;
    core::AppState app{folder.path()};
    test::SettableClock clock;
    test::ScriptedLine line;
    ScriptedInteraction ui;
    comms::CommLink link;
    app::StartupEnvironment env{link, {}, {}, {}, {}, {}};
    bool anotherCopy = false;
    int boxesBeforeWindow = -1; // -1: the main window was never shown
    QStringList autoSent;
};

} // namespace

TEST_F(Startup, DecliningASecondCopyTouchesNoFileAndNoPort)
{
    folder.writeRaw("VantaLnk3.cfg", ConfigFile);
    folder.writeRaw("USBQ4M.TXT", "");
    anotherCopy = true;
    ui.answers = {MsgResult::No};
    env.commandLine = QStringLiteral("a.csv 1");

    EXPECT_EQ(app::runStartup(env), app::StartupResult::Declined);
    ASSERT_EQ(ui.boxes.size(), 1u);
    const test::RecordedBox &box = ui.boxes[0];
    EXPECT_EQ(box.title, "Program Already Running");
    EXPECT_EQ(box.icon, core::MsgIcon::Question);
    EXPECT_EQ(box.buttons, core::MsgButtons::YesNo);
    EXPECT_EQ(box.defaultButton, MsgResult::No);
    EXPECT_TRUE(box.text.startsWith("Warning: Another instance of this program is already "
                                    "running on this computer.  Do you want to continue ?"));
    EXPECT_EQ(app.Config.CommPort, 0);
    EXPECT_FALSE(app.PacingEnabled);
    EXPECT_EQ(line.opens, 0);
    EXPECT_TRUE(line.settings.isEmpty());
    EXPECT_EQ(boxesBeforeWindow, -1);
    EXPECT_TRUE(autoSent.isEmpty());
}

TEST_F(Startup, AcceptingASecondCopyStartsNormally)
{
    folder.writeRaw("VantaLnk3.cfg", ConfigFile);
    line.openError = 0;
    anotherCopy = true;
    ui.answers = {MsgResult::Yes};

    EXPECT_EQ(app::runStartup(env), app::StartupResult::Running);
    EXPECT_EQ(app.Config.CommPort, 2);
    EXPECT_EQ(app.Config.InstCount(), 1);
    EXPECT_EQ(line.port, 2);
    EXPECT_EQ(line.settings, "9600,N,8,1");
    EXPECT_TRUE(app.CommEnabled());
    EXPECT_GE(boxesBeforeWindow, 1);
}

TEST_F(Startup, EmptyFolderReportsEachFileInLoadingOrderAndStillShowsTheWindow)
{
    EXPECT_EQ(app::runStartup(env), app::StartupResult::Running);
    QStringList order;
    for (const test::RecordedBox &box : ui.boxes)
        order << routineOf(box);
    EXPECT_EQ(order.join(" | ").toStdString(),
              "modVanta.ReadSystemConfig | modVanta.ReadModelFile | modVanta.ReadCfgFieldFile | "
              "modVanta.ReadVantaXrefFile | modVanta.ReadxxKXrefFile | modVanta.ReadxxWXrefFile | "
              "modVanta.ReadPasswordFile | modVanta.InitComm");
    EXPECT_TRUE(ui.boxes[0].text.contains("reading VantaLnk3.cfg file:"));
    EXPECT_TRUE(ui.boxes[1].text.contains("ModelID.txt"));
    EXPECT_FALSE(app.CommEnabled());
    EXPECT_EQ(boxesBeforeWindow, int(ui.boxes.size()));
    EXPECT_FALSE(app.ProductMode);
    EXPECT_FALSE(app.PacingEnabled);
    EXPECT_EQ(app.LogStateText[0], "STARTED");
    EXPECT_EQ(app.LogStateText[1], "STOPPED");
    EXPECT_EQ(app.LogStateText[2], "FINISHED");
}

TEST_F(Startup, ProgramNamedOrvelRunsTheProductVariant)
{
    folder.writeRaw("VantaLnk3.cfg", ConfigFile);
    folder.writeRaw("Orvel.cfg", QByteArray(ConfigFile).replace(0, 1, "7"));
    folder.writeRaw("USBQ4M.TXT", "");
    env.executableName = QStringLiteral("Orvel");

    EXPECT_EQ(app::runStartup(env), app::StartupResult::Running);
    EXPECT_TRUE(app.ProductMode);
    EXPECT_TRUE(app.PacingEnabled);
    EXPECT_EQ(app.Config.CommPort, 7);
    EXPECT_EQ(routineOf(ui.boxes[0]), "modVanta.ReadModelFile");
    EXPECT_TRUE(ui.boxes[0].text.contains("ModelID-1.txt"));

    EXPECT_FALSE(app::isProductName("orvel"));
    EXPECT_FALSE(app::isProductName("Orvel2"));
}

TEST_F(Startup, CommandLineGoesToTheAutomaticSendAfterTheWindowIsShown)
{
    env.commandLine = QStringLiteral("\"C:\\My Files\\a.csv\" 1F 20");
    env.showMainWindow = [this] { EXPECT_TRUE(autoSent.isEmpty()); };
    EXPECT_EQ(app::runStartup(env), app::StartupResult::Running);
    EXPECT_EQ(autoSent, QStringList{env.commandLine});
}

TEST_F(Startup, UnexpectedErrorIsReportedAndEndsStartup)
{
    env.anotherCopyRunning = []() -> bool {
        throw core::AppError{5, QStringLiteral("Invalid procedure call or argument")};
    };
    EXPECT_EQ(app::runStartup(env), app::StartupResult::Failed);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "An application error has occurred:\rError Code 5 - Invalid "
                                "procedure call or argument\rRoutine - modVanta.main");
    EXPECT_EQ(line.opens, 0);
    EXPECT_EQ(boxesBeforeWindow, -1);
}

TEST(StartupText, ProgramNameAndCommandLine)
{
    EXPECT_EQ(app::executableBaseName("/opt/vanta/Orvel"), "Orvel");
    EXPECT_EQ(app::executableBaseName("C:\\Vanta\\Orvel.exe"), "Orvel");
    EXPECT_EQ(app::executableBaseName("./VantaLnk3"), "VantaLnk3");
    EXPECT_EQ(app::commandLineText({}), "");
    EXPECT_EQ(app::commandLineText({"C:\\My Files\\a.csv", "1F", "20"}),
              "\"C:\\My Files\\a.csv\" 1F 20");
    EXPECT_EQ(app::commandLineText({"a.csv", ""}), "a.csv \"\"");
}

TEST(InstanceLock, SecondHolderIsRefusedUntilTheFirstEnds)
{
    test::TempProgramFolder folder;
    const QString path = folder.filePath("VantaLnk3-test.lock");
    {
        app::InstanceLock first(path);
        ASSERT_TRUE(first.tryAcquire());
        app::InstanceLock second(path);
        EXPECT_FALSE(second.tryAcquire());
    }
    app::InstanceLock third(path);
    EXPECT_TRUE(third.tryAcquire());
}

TEST(InstanceLock, LockOfACrashedCopyIsTakenOver)
{
    QProcess finished;
    finished.start("true", {});
    ASSERT_TRUE(finished.waitForStarted(5000));
    const qint64 deadPid = finished.processId();
    ASSERT_TRUE(finished.waitForFinished(5000));
    test::TempProgramFolder folder;
    folder.writeRaw("VantaLnk3-test.lock", QByteArray::number(deadPid) + "\nVantaLnk3\n\n");
    app::InstanceLock lock(folder.filePath("VantaLnk3-test.lock"));
    EXPECT_TRUE(lock.tryAcquire());
    EXPECT_TRUE(app::InstanceLock::defaultPath("Orvel").contains("Orvel-"));
}
