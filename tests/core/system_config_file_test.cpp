// The system configuration file: exact layout, round trips, and the reports for missing,
// malformed and unwritable files.
#include "core/app_state.h"
#include "core/system_config_file.h"
#include "support/scripted_interaction.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vanta::core;
using vanta::test::ScriptedInteraction;

namespace {

InstrumentRecord instrument(const QString &address, const QString &name, const QString &protocol,
                            qint16 group, float rate)
{
    InstrumentRecord record;
    record.InstAddress = address;
    record.InstName = name;
    record.InstProtocol = protocol;
    record.InstGroup = group;
    record.LogDurationUnit = 0;
    record.LogDuration = 480;
    record.LogRateUnit = 1;
    record.LogRate = rate;
    return record;
}

SystemConfig sampleConfig()
{
    SystemConfig config;
    config.CommPort = 3;
    config.BaudRate = 9600;
    config.Parity = QStringLiteral("None");
    config.DataBits = 8;
    config.StopBits = 1;
    config.PollTimeout = 250;
    config.ControllerGroup = 1;
    config.ProtocolCode = QStringLiteral("R");
    config.TempPollRate = 0.05f;
    config.SPPollRate = 1.0000001f;
    config.ViewerProgram = QStringLiteral("C:\\Program Files\\Viewer, Inc\\view.exe");
    config.DefaultFolder = QStringLiteral(" C:\\Logs ");
    return config;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class SystemConfigFile : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    ScriptedInteraction ui;
};

} // namespace

TEST_F(SystemConfigFile, WritesOneValuePerLineWithABlankInPlaceOfTheSign)
{
    AppState app(dir.path());
    app.Config = sampleConfig();
    app.Config.ControllerGroup = 0;
    app.Config.PollTimeout = -1;
    app.Config.Instruments.push_back(instrument("0A", "Oven 1", "L", 0, 2.5f));
    ASSERT_TRUE(SaveSystemConfig(app, ui));
    EXPECT_EQ(fileBytes(dir.filePath("VantaLnk3.cfg")),
              " 3\r\n 9600\r\nNone\r\n 8\r\n 1\r\n-1\r\n 0\r\nR\r\n .05\r\n 1.0000001\r\n"
              "C:\\Program Files\\Viewer, Inc\\view.exe\r\n C:\\Logs \r\n"
              "0A\r\nOven 1\r\nL\r\n 0\r\n 0\r\n 480\r\n 1\r\n 2.5\r\n");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SystemConfigFile, RoundTripKeepsValuesAndAwkwardNames)
{
    AppState written(dir.path());
    written.Config = sampleConfig();
    const QStringList names = {"Oven, zone 2",
                               "",
                               "  ",
                               " padded ",
                               QString::fromLatin1("Furnace \xb0"
                                                   "C"),
                               "Dryer \"B\""};
    for (int i = 0; i < names.size(); ++i)
        written.Config.Instruments.push_back(instrument(
            QString::number(i + 1).rightJustified(3, '0'), names[i], "A", 2, 0.1f * float(i + 1)));
    written.Config.Instruments.front().LogState = 1; // working state is never stored
    ASSERT_TRUE(SaveSystemConfig(written, ui));

    AppState read(dir.path());
    ReadSystemConfig(read, ui);
    EXPECT_TRUE(ui.boxes.empty());
    ASSERT_EQ(read.Config.InstCount(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(i);
        // Double quotes cannot be stored in the file: they are left out.
        EXPECT_EQ(read.Config.Instruments[i].InstName, QString(names[i]).remove('"'));
        EXPECT_EQ(read.Config.Instruments[i].LogRate, written.Config.Instruments[i].LogRate);
        EXPECT_EQ(read.Config.Instruments[i].LogState, 0);
    }
    EXPECT_EQ(read.Config.SPPollRate, 1.0000001f);
    EXPECT_EQ(read.Config.DefaultFolder, " C:\\Logs ");

    // Every stored value read back: saving what was read writes the same file again.
    QTemporaryDir again;
    const QByteArray first = fileBytes(dir.filePath("VantaLnk3.cfg"));
    AppState copy(again.path());
    copy.Config = read.Config;
    ASSERT_TRUE(SaveSystemConfig(copy, ui));
    EXPECT_EQ(fileBytes(again.filePath("VantaLnk3.cfg")), first);
}

TEST_F(SystemConfigFile, SettingsWithoutRecordsGiveAnEmptyList)
{
    AppState app(dir.path());
    app.Config = sampleConfig();
    app.Config.Instruments.push_back(instrument("001", "x", "R", 1, 1));
    writeBytes(dir.filePath("VantaLnk3.cfg"),
               "1\n9600\nEven\n7\n2\n500\n2\nA\n1\n5\nviewer\nC:\\Logs\n\n");
    ReadSystemConfig(app, ui);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(app.Config.InstCount(), 0);
    EXPECT_EQ(app.Config.Parity, "Even");
    EXPECT_EQ(app.Config.SPPollRate, 5.0f);
    EXPECT_EQ(app.Config.DefaultFolder, "C:\\Logs");

    ASSERT_TRUE(SaveSystemConfig(app, ui));
    EXPECT_EQ(fileBytes(dir.filePath("VantaLnk3.cfg")).count("\r\n"), 12);
}

TEST_F(SystemConfigFile, MissingFileIsReportedAndLeavesSettingsEmpty)
{
    AppState app(dir.path());
    ReadSystemConfig(app, ui);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, "Application Error");
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Critical);
    EXPECT_EQ(ui.boxes[0].text,
              "An application error has occurred reading VantaLnk3.cfg file:\r"
              "Error Code 53 - File not found\rRoutine - modVanta.ReadSystemConfig");
    EXPECT_EQ(app.Config.CommPort, 0);
    EXPECT_EQ(app.Config.BaudRate, 0.0f);
    EXPECT_TRUE(app.Config.Parity.isEmpty());
    EXPECT_EQ(app.Config.InstCount(), 0);
}

TEST_F(SystemConfigFile, MalformedFilesKeepWhatWasReadSoFar)
{
    const struct
    {
        const char *content;
        const char *error;
        int commPort;
        int dataBits;
        int instCount;
    } cases[] = {
        {"4\n19200\nOdd\neight\n", "Error Code 13 - Type mismatch", 4, 0, 0},
        {"4\n19200\nOdd\n99999\n", "Error Code 6 - Overflow", 4, 0, 0},
        {"4\n19200\nOdd\n8\n", "Error Code 62 - Input past end of file", 4, 8, 0},
        {"4\n19200\nOdd\n8\n1\n250\n1\nR\n1\n1\nv\nf\n"
         "001\nA\nR\n1\n0\n60\n1\n1\n002\nB\nR\n1\n",
         "Error Code 62 - Input past end of file", 4, 8, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.content);
        AppState app(dir.path());
        ScriptedInteraction user;
        writeBytes(dir.filePath("VantaLnk3.cfg"), c.content);
        ReadSystemConfig(app, user);
        ASSERT_EQ(user.boxes.size(), 1u);
        EXPECT_TRUE(user.boxes[0].text.contains(c.error)) << user.boxes[0].text.toStdString();
        EXPECT_EQ(app.Config.CommPort, c.commPort);
        EXPECT_EQ(app.Config.Parity, "Odd");
        EXPECT_EQ(app.Config.DataBits, c.dataBits);
        EXPECT_EQ(app.Config.InstCount(), c.instCount);
    }
}

TEST_F(SystemConfigFile, FailedSaveIsReported)
{
    AppState app(dir.filePath("no such folder"));
    EXPECT_FALSE(SaveSystemConfig(app, ui));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
              "An application error has occurred writing file VantaLnk3.cfg file:\r"
              "Error Code 75 - Path/File access error\rRoutine - modVanta.SaveSystemConfig");
}
