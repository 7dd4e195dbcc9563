// vantactl as scripts use it: the real program over a pseudo-terminal with an instrument
// answering on the far end; output, exit statuses and the trace format.
#include "support/pty_responder.h"
#include "support/temp_program_folder.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace vanta;
using test::PtyResponder;
using test::RegisterMap;

namespace {

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;

    // The last line on stderr: where a failure is reported.
    QString lastErrorLine() const { return err.trimmed().split(QLatin1Char('\n')).last(); }
};

class Vantactl : public ::testing::Test
{
protected:
    Vantactl()
    {
        folder.writeDataFile(QStringLiteral("VantaXref.TXT"), "2,00,??\r\n100,0A,0210\r\n");
        folder.writeDataFile(QStringLiteral("xxKXref.TXT"), "2,1000\r\n3,1001\r\n");
        folder.writeDataFile(QStringLiteral("xxWXref.TXT"), "2,4700\r\n3,4701\r\n1794,4702\r\n");
        folder.writeDataFile(QStringLiteral("CfgField.TXT"), "2,1,0,0\r\n");
        folder.writeDataFile(QStringLiteral("Password.txt"), "\"secret\"\r\n");
        folder.writeDataFile(QStringLiteral("ModelID.txt"),
                             "\"Z9\",\"Z9KM\",\"Controller\",0\r\n\"XK\",\"XK8\",\"Meter\",1\r\n"
                             "\"XW\",\"XW4\",\"Limit\",2\r\n");
        folder.writeDataFile(QStringLiteral("Z9.TXT"), "2\r\n");
        folder.writeDataFile(QStringLiteral("XK.TXT"), "1000\r\n");
        folder.writeDataFile(QStringLiteral("XW.TXT"), "4700\r\n");
        *registers = {{1, 251}, {0x1000, 251}, {0x1001, 0x0004 | 0x10}, {0x4700, 251}};
    }

    // Runs vantactl on this folder; `device` adds --device and port settings.
    ToolRun run(QStringList args, const PtyResponder *device = nullptr) const
    {
        args.prepend(folder.path());
        args.prepend(QStringLiteral("--folder"));
        if (device)
            args << QStringLiteral("--device") << device->devicePath()
                 << QStringLiteral("--settings") << QStringLiteral("9600,N,8,1");
        // A generous reply time-out unless the test sets one: a busy machine must not fail a
        // read that is answered.
        if (!args.contains(QStringLiteral("--timeout")) &&
            !QFile::exists(folder.filePath(QStringLiteral("VantaLnk3.cfg"))))
            args << QStringLiteral("--timeout") << QStringLiteral("5000");
        QProcess process;
        process.setWorkingDirectory(workingDirectory);
        process.start(QStringLiteral(VANTA_BIN_DIR "/vantactl"), args);
        process.waitForFinished(30000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    test::TempProgramFolder folder;
    QString workingDirectory; // the test's own when empty
    std::shared_ptr<RegisterMap> registers = std::make_shared<RegisterMap>();
};

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

TEST_F(Vantactl, ReadCommandsPrintPlainValues)
{
    struct Case
    {
        const char *protocol;
        const char *args;
        const char *out;
    };
    const Case cases[] = {
        {"R", "--group 1 --protocol R read 001 2", "251\n"},
        {"R", "--group 0 --protocol R read 01 2", "251\n"},
        {"A", "--group 2 --protocol A read 1 2", "251\n"},
        {"R", "--group 1 --protocol R read-scaled 1 2", "25.1\t°C\t10\t-1\t0\n"},
        {"R", "--group 1 --protocol R modbus-read 1 1000 3 2", "251 20\n"},
        {"A", "--group 1 --protocol A modbus-read 1 1000 3 1", "251\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args);
        PtyResponder instrument(QLatin1String(c.protocol) == QLatin1String("A")
                                    ? test::modbusAsciiInstrument(1, registers)
                                    : test::modbusRtuInstrument(1, registers));
        const ToolRun result = run(words(c.args), &instrument);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_EQ(result.out, QString::fromUtf8(c.out));
    }
}

TEST_F(Vantactl, WritesReachTheInstrument)
{
    {
        PtyResponder instrument(test::modbusRtuInstrument(1, registers));
        const ToolRun result = run(words("--group 1 --protocol R write 1 2 13"), &instrument);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_EQ((*registers)[0x1000], 13);
    }
    {
        PtyResponder instrument(test::modbusAsciiInstrument(1, registers));
        const ToolRun result =
            run(words("--group 1 --protocol A modbus-write 1 1001 3 -2"), &instrument);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_EQ((*registers)[0x1001], 0xFFFE);
    }
    {
        PtyResponder instrument(test::modbusRtuInstrument(1, registers));
        const ToolRun result =
            run(words("--group 1 --protocol R modbus-write 1 1000 3 7 8"), &instrument);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_EQ((*registers)[0x1000], 7);
        EXPECT_EQ((*registers)[0x1001], 8);
    }
}

TEST_F(Vantactl, VantaLinkCommandsSpeakTheFamilyProtocol)
{
    PtyResponder instrument(test::vantaLinkInstrument(1, {{0x00, "0C340123"}}));
    ToolRun result = run(words("--group 0 --protocol L link-read 01 0"), &instrument);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("0.123\t0.123\t°C\t1000\t3124\t-1\t-1\n"));

    result = run(words("--group 0 --protocol L read 01 2"), &instrument);
    EXPECT_EQ(result.out, QStringLiteral("123\n"));

    result = run(words("--group 0 --protocol L link-write 01 210 -5"), &instrument);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    result = run(words("--group 0 --protocol L link-write 01 210 4660 --hex"), &instrument);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QByteArray received = instrument.received();
    EXPECT_TRUE(received.contains("L010210"
                                  "0005FF"))
        << received.toStdString();
    EXPECT_TRUE(received.contains("L010210"
                                  "123400"))
        << received.toStdString();
}

TEST_F(Vantactl, FailuresPrintStatusAndTextAndExitWithTheStatus)
{
    {
        PtyResponder instrument(test::silentInstrument());
        const ToolRun result =
            run(words("--group 1 --protocol R --timeout 50 read 1 2"), &instrument);
        EXPECT_EQ(result.exitCode, 255);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_EQ(result.err,
                  QStringLiteral("-1\tAddress 001:No response from instrument at register "
                                 "1000H (2)\n"));
    }
    {
        PtyResponder instrument(test::vantaLinkInstrument(1, {}));
        const ToolRun result = run(words("--group 0 --protocol L link-read 01 7"), &instrument);
        EXPECT_EQ(result.exitCode, 6);
        EXPECT_EQ(
            result.err,
            QStringLiteral("6\tAddress 01:Undefined command from instrument for command 07\n"));
    }
    {
        PtyResponder instrument(test::modbusRtuInstrument(1, registers));
        const ToolRun result = run(words("--group 1 --protocol R read 1 7"), &instrument);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err, QStringLiteral("2\tAddress 001:No valid Modbus read command found "
                                             "for register > 7\n"));
        EXPECT_EQ(instrument.requestCount(), 0);
    }
    // Group 1 does not speak Vanta Link: nothing is sent and the read is not a success.
    const ToolRun result = run(words("--demo --group 1 --protocol L read 1 2"));
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.lastErrorLine(),
              QStringLiteral("2\tAddress 001:Invalid protocol code > L for controller group 1"));
}

TEST_F(Vantactl, PortThatCannotOpenIsReportedAndReadsFailNotOpen)
{
    // COM7 maps to a device that is not there; a named device is named by its path, one without
    // a folder taken in the current folder (never /dev/null here).
    folder.writeDataFile(QStringLiteral("CommPorts.txt"),
                         "7," + folder.filePath(QStringLiteral("absent")).toUtf8() + "\r\n");
    workingDirectory = folder.path();
    const struct
    {
        const char *device;
        QString report;
    } cases[] = {
        {nullptr, QStringLiteral("InitComm: The selected communications port, COM7, either does "
                                 "not exist")},
        {"none", QStringLiteral("InitComm: The selected device, %1, does not exist.")
                     .arg(folder.filePath(QStringLiteral("none")))},
        {"null", QStringLiteral("InitComm: The selected device, %1, does not exist.")
                     .arg(folder.filePath(QStringLiteral("null")))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.device ? c.device : "stored port");
        QStringList args = words("--port 7 --settings 9600,N,8,1 --group 1 --protocol R read 1 2");
        if (c.device)
            args << QStringLiteral("--device") << QLatin1String(c.device);
        const ToolRun result = run(args);
        EXPECT_EQ(result.exitCode, 255);
        EXPECT_TRUE(result.err.startsWith(c.report)) << result.err.toStdString();
        EXPECT_EQ(result.lastErrorLine(),
                  QStringLiteral("-1\tAddress 001:Selected comm port is not open."));
    }
}

TEST_F(Vantactl, DeviceWithoutAFolderIsTakenInTheCurrentFolder)
{
    PtyResponder instrument(test::modbusRtuInstrument(1, registers));
    ASSERT_TRUE(QFile::link(instrument.devicePath(), folder.filePath(QStringLiteral("line"))));
    workingDirectory = folder.path();
    const ToolRun result = run(words("--device line --settings 9600,N,8,1 --group 1 --protocol R "
                                     "--timeout 5000 read 1 2"));
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("251\n"));
}

TEST_F(Vantactl, MalformedCommandLinesExit64WithUsage)
{
    const char *cases[] = {
        "--bogus read 1 2",
        "frobnicate 1 2",
        "",
        "read 1",
        "read 1 2 3",
        "--group 3 read 1 2",
        "--protocol X read 1 2",
        "--protocol r read 1 2",
        "--group 1 read 1 2x",
        "--group 1 read 1F 2", // decimal address in group 1
        "--group 1 --protocol R write 1 2 abc",
        "--group 1 --protocol R modbus-read 1 G000 3 1",
        "--group 1 --protocol R modbus-read 1 1000 3 0",
        "--group 0 --protocol L modbus-read 1 1000 3 1", // Modbus needs R or A
        "--group 1 --protocol R read 1 2 --hex",
        "--decode --group 1 --protocol R read 1 2", // only with --trace
        "--timeout",
        "--repeat 0 read 1 2",
        "--repeat 1000000001 read 1 2",
        "--device= read 1 2", // never the stored port instead
        "--folder= info",
        "config-diff a.csv",       // a second file or an address
        "config-diff a.csv 01 02", // only one
    };
    std::vector<QStringList> lines;
    for (const char *args : cases)
        lines.push_back(words(args));
    lines.push_back({QStringLiteral("--device"), QString(), QStringLiteral("read"),
                     QStringLiteral("1"), QStringLiteral("2")}); // `--device ""`
    for (const QStringList &args : lines) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        const ToolRun result = run(QStringList(args) << QStringLiteral("--demo"));
        EXPECT_EQ(result.exitCode, 64);
        EXPECT_TRUE(result.err.contains(QStringLiteral("usage: vantactl")))
            << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
}

TEST_F(Vantactl, TraceShowsEveryByteOnTheWire)
{
    {
        PtyResponder instrument(test::modbusRtuInstrument(1, registers));
        const ToolRun result = run(words("--trace --group 1 --protocol R read 1 2"), &instrument);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, QStringLiteral("> 01 03 10 00 00 01 80 CA\n"
                                             "< 01 03 02 00 FB F9 C7\n"));
    }
    {
        PtyResponder instrument(test::vantaLinkInstrument(1, {{0x00, "0C340123"}}));
        const ToolRun result =
            run(words("--trace --group 0 --protocol L link-read 01 0"), &instrument);
        const QStringList lines = result.err.trimmed().split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 2);
        EXPECT_EQ(lines[0], QStringLiteral("> 02 4C 30 31 30 30 43 31 03"));
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("< 02 4C 30 31 30 43 33 34")));
        EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" 06"))) << lines[1].toStdString(); // ACK
    }
    {
        PtyResponder instrument(test::silentInstrument());
        const ToolRun result =
            run(words("--trace --timeout 30 --group 1 --protocol A read 1 2"), &instrument);
        const QString request =
            QStringLiteral("> 3A 30 31 30 33 31 30 30 30 30 30 30 31 45 42 0D 0A");
        const QStringList lines = result.err.split(QLatin1Char('\n'));
        ASSERT_GE(lines.size(), 4);
        EXPECT_EQ(lines[0], request);
        EXPECT_EQ(lines[2], request); // the second attempt
    }
}

TEST_F(Vantactl, TraceDecodePrintsOneDecodedLinePerFrame)
{
    PtyResponder instrument(test::modbusRtuInstrument(1, registers));
    const ToolRun result =
        run(words("--trace --decode --group 1 --protocol R read 1 2"), &instrument);
    EXPECT_EQ(result.exitCode, 0);
    const QStringList lines = result.err.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    const QStringList request = lines[0].split(QLatin1Char('\t'));
    const QStringList reply = lines[1].split(QLatin1Char('\t'));
    ASSERT_EQ(request.size(), 10);
    ASSERT_EQ(reply.size(), 10);
    EXPECT_EQ(request.mid(3), QStringList({"Sent", "001", "01 03 10 00 00 01 80 CA", "........",
                                           "03 Read Holding Registers, register 1000H, count 1",
                                           "CRC good", "attempt 1"}));
    EXPECT_EQ(reply.mid(3), QStringList({"Received", "001", "01 03 02 00 FB F9 C7", ".......",
                                         "03 Read Holding Registers, register 1000H, values 251",
                                         "CRC good", "accepted"}));
}

TEST_F(Vantactl, RepeatTakesItsDocumentedUpperBound)
{
    const ToolRun result = run(words("--repeat 1000000000 --help"));
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("(1..1000000000)"))) << result.out.toStdString();
}

TEST_F(Vantactl, RepeatRunsTheCommandAndTimesIt)
{
    PtyResponder instrument(test::modbusRtuInstrument(1, registers));
    const ToolRun result = run(words("--repeat 5 --group 1 --protocol R read 1 2"), &instrument);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, QStringLiteral("251\n"));
    EXPECT_EQ(instrument.requestCount(), 5);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^5 transactions in [0-9]+\\.[0-9]{3} s$"))
                    .match(result.lastErrorLine())
                    .hasMatch())
        << result.err.toStdString();
}

TEST_F(Vantactl, EachOptionOverridesItsStoredSettingInEveryRespect)
{
    // Port 1 at 9600, time-out 5 s, group 1 over Modbus RTU, no instruments.
    folder.writeRaw(QStringLiteral("VantaLnk3.cfg"),
                    " 1\r\n 9600\r\nNone\r\n 8\r\n 1\r\n 5000\r\n 1\r\nR\r\n 1\r\n 5\r\nviewer\r\n"
                    "logs\r\n");
    (*registers)[1] = 251; // group 0 over Modbus RTU: register 2 is wire register 1
    const QByteArray rtuGroup1 = QByteArray::fromHex("0a0310000001");
    const QByteArray rtuGroup0 = QByteArray::fromHex("0a0300010001");
    const struct
    {
        const char *args;
        PtyResponder::Handler instrument;
        QByteArray request;
        const char *out;
    } cases[] = {
        // The stored group and protocol, a decimal address.
        {"read 10 2", test::modbusRtuInstrument(10, registers),
         rtuGroup1 + test::crc16Modbus(rtuGroup1), "251\n"},
        // Group 0 reads the address as hexadecimal and routes through its own tables.
        {"--group 0 --protocol L read 0A 2", test::vantaLinkInstrument(10, {{0x00, "0C340123"}}),
         "\x02L0A00" + test::vantaLinkSum("0A00") + '\x03', "123\n"},
        {"--group 0 read 0A 2", test::modbusRtuInstrument(10, registers),
         rtuGroup0 + test::crc16Modbus(rtuGroup0), "251\n"},
        {"--protocol A read 10 2", test::modbusAsciiInstrument(10, registers),
         ":0A0310000001E2\r\n", "251\n"},
        {"--group 2 --protocol A read 10 2", test::modbusAsciiInstrument(10, registers),
         ":0A0347000001AB\r\n", "251\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args);
        PtyResponder instrument(c.instrument);
        const ToolRun result = run(words(c.args), &instrument);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_EQ(result.out, QString::fromLatin1(c.out));
        EXPECT_EQ(instrument.received(), c.request);
    }
}

TEST_F(Vantactl, DemoModeSendsNothing)
{
    ToolRun result = run(words("--demo --group 2 --protocol A read 1 1794"));
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("22615\n"));
    result = run(words("--demo --group 0 --protocol L read 01 2"));
    EXPECT_EQ(result.out, QStringLiteral("0\n"));
}

// Two files need no line: without --device the stored port (COM1) is never opened.
TEST_F(Vantactl, ConfigDiffComparesTwoFilesWithoutALine)
{
    folder.writeRaw(QStringLiteral("z9.csv"),
                    "\"01\",\"\",\"Vanta Link-0\"\r\n\"Z9\",\"Z9KM\"\r\n"
                    "\"DPT\",1\r\n\"INP\",1\r\n\"Register\",\"Parameter\"\r\n");
    const QString z9 = folder.filePath(QStringLiteral("z9.csv"));
    const QString missing = folder.filePath(QStringLiteral("missing.csv"));
    struct Case
    {
        QStringList files;
        int exitCode;
        const char *err; // a part of stderr; empty: nothing at all
    };
    const Case cases[] = {
        {{z9, z9}, 0, ""},
        {{missing, z9}, 2, "missing.csv could not be loaded"},
        {{z9, missing}, 64, "ADDRESS must be hexadecimal digits"}, // no such file: an address
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.files.join(' ').toStdString());
        const ToolRun result = run(words("--group 0 --protocol L config-diff") + c.files);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.out, QString());
        if (*c.err == 0)
            EXPECT_EQ(result.err, QString());
        else
            EXPECT_TRUE(result.err.contains(QLatin1String(c.err))) << result.err.toStdString();
    }
}

TEST_F(Vantactl, InfoListsModelsAndFailsOnAMissingDataFile)
{
    ToolRun result = run({QStringLiteral("info")});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("  XK\tXK8\tMeter\n")))
        << result.out.toStdString();
    EXPECT_TRUE(
        result.out.contains(QStringLiteral("VantaXref.TXT: 2 read commands, 1 write commands")))
        << result.out.toStdString();

    folder.remove(QStringLiteral("xxWXref.TXT"));
    result = run({QStringLiteral("info")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("xxWXref.TXT"))) << result.err.toStdString();
}

TEST_F(Vantactl, InfoFailsOnAConfigurationFileThatCannotBeRead)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("VantaLnk3.cfg")));
    const ToolRun result = run({QStringLiteral("info")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("reading VantaLnk3.cfg file:")))
        << result.err.toStdString();
}

TEST(VantactlDelivered, DeliveredDataFilesAllLoad)
{
    QProcess process;
    process.start(
        QStringLiteral(VANTA_BIN_DIR "/vantactl"),
        {QStringLiteral("--folder"), QStringLiteral(VANTA_DATA_DIR), QStringLiteral("info")});
    process.waitForFinished(30000);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
}

} // namespace
