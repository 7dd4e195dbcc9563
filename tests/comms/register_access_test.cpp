// Register access: routing by group and protocol, cross-reference translation, the Vanta Link
// read and write rules, scaled reads and demo mode, over a scripted line.
#include "comms/register_access.h"

#include "support/pty_responder.h"
#include "support/scripted_interaction.h"
#include "support/scripted_line.h"
#include "support/settable_clock.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace vanta;
using comms::ReadRegister;
using comms::ReadScaledValue;
using comms::WriteRegister;
using test::RegisterMap;

namespace {

// Vanta Link request: STX "L" address command data checksum ETX; the checksum leaves out
// STX and "L".
QByteArray linkRequest(const QByteArray &command, const QByteArray &data = {})
{
    const QByteArray body = "01" + command + data;
    return '\x02' + ('L' + body) + test::vantaLinkSum(body) + '\x03';
}

QByteArray linkReply(const QByteArray &data)
{
    return test::vantaLinkReplyFrame("01", data);
}

class RegisterAccess : public ::testing::Test
{
protected:
    RegisterAccess()
    {
        app.setCommEnabled(true);
        app.Config.PollTimeout = 100;
        line.setPortOpen(true);
        core::DataTables &tables = app.Tables;
        tables.setVantaXref(2, 0x00, -1);
        tables.setVantaXref(4, 0x10, -1);
        tables.setVantaXref(8, 0x11, -1);
        tables.setVantaXref(100, 0x0A, 0x210);
        tables.setVantaXref(200, 0x130, -1);
        tables.setVantaXref(289, 0x120, -1);
        tables.setVantaXref(290, 0x121, -1);
        tables.setVantaXref(350, 0x310, 0x220);
        tables.setVantaXref(274, -1, 0x211);
        tables.setVantaXref(783, -1, 0x212);
        tables.setVantaXref(789, -1, 0x214);
        tables.setVantaXref(803, -1, 0x215);
        tables.setVantaXref(1842, 0x730, -1);
        tables.setKXref(2, 0x1000);
        tables.setKXref(3, 0x1001);
        tables.setKXref(1794, 18);
        tables.setKXref(1795, 19);
        tables.setKXref(2065, 2065);
        tables.setWXref(2, 0x4700);
        tables.setWXref(3, 0x4701);
        tables.setWXref(1794, 0x4702);
        *registers = {{1, 251}, {2, 0},    {794, 0},      {0x1000, 251}, {0x1001, 0},     {18, 1},
                      {19, 2},  {2065, 1}, {0x4700, 251}, {0x4701, 0},   {0x4702, 0x5A39}};
    }

    void answer(test::PtyResponder::Handler handler)
    {
        line.responder = [handler](const QByteArray &request) {
            const auto reply = handler(request);
            return reply ? reply->reply : QByteArray();
        };
    }
    void answerModbus(const QString &protocol)
    {
        answer(protocol == QLatin1String("A") ? test::modbusAsciiInstrument(1, registers)
                                              : test::modbusRtuInstrument(1, registers));
    }
    // Queues one Vanta Link reply per data field, in order.
    void answerLink(const std::vector<QByteArray> &fields)
    {
        for (const QByteArray &field : fields)
            line.queueReply(linkReply(field));
    }

    test::SettableClock clock;
    test::ScriptedLine line{clock};
    test::ScriptedInteraction ui;
    core::AppState app{QStringLiteral("/tmp")};
    comms::CommLink link{app, line, clock, ui};
    std::shared_ptr<RegisterMap> registers = std::make_shared<RegisterMap>();

    QString text;
    qint16 status = 0;
    float value = 99;
};

struct RouteCase
{
    int group;
    const char *protocol;
    const char *requestHex; // empty: nothing may be sent
    qint16 status;
    const char *text;
    float value;
};

// Register 2 through every row of the routing table. Group 0 over Modbus RTU sends the register
// number less one; groups 1 and 2 send their cross-referenced wire register.
const RouteCase ReadRoutes[] = {
    {0, "L", "024c30313030433103", 0, "", 123},
    {0, "R", "010300010001d5ca", 0, "", 251},
    {1, "R", "01031000000180ca", 0, "", 251},
    {1, "A", "3a30313033313030303030303145420d0a", 0, "", 251},
    {2, "A", "3a30313033343730303030303142340d0a", 0, "", 251},
    {0, "A", "", 2, "Address 01:Invalid protocol code > A for controller group 0", 99},
    {1, "L", "", 2, "Address 001:Invalid protocol code > L for controller group 1", 99},
    {2, "L", "", 2, "Address 001:Invalid protocol code > L for controller group 2", 99},
    {2, "R", "", 2, "Address 001:Invalid protocol code > R for controller group 2", 99},
    {3, "R", "", 2, "Address 001:Invalid controller group >3", 99},
    {-1, "L", "", 2, "Address 001:Invalid controller group >-1", 99},
    {1, "X", "", 2, "Address 001:Invalid protocol code >X", 99},
    {0, "r", "", 2, "Address 01:Invalid protocol code >r", 99},
    {0, "", "", 2, "Address 01:Invalid protocol code >", 99},
};

TEST_F(RegisterAccess, RoutesReadsByGroupAndProtocol)
{
    for (const RouteCase &c : ReadRoutes) {
        SCOPED_TRACE(
            QStringLiteral("group %1 protocol %2").arg(c.group).arg(c.protocol).toStdString());
        const QByteArray expected = QByteArray::fromHex(c.requestHex);
        line.requests.clear();
        if (expected.isEmpty())
            line.responder = nullptr;
        else if (QLatin1String(c.protocol) == QLatin1String("L"))
            answerLink({"08100123"});
        else
            answerModbus(QLatin1String(c.protocol));
        text = QStringLiteral("stale");
        status = 0;
        value = 99;
        ReadRegister(link, c.group, QLatin1String(c.protocol), text, status, 1, 2, value);
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(text, QLatin1String(c.text));
        EXPECT_EQ(value, c.value);
        if (expected.isEmpty()) {
            EXPECT_TRUE(line.requests.empty());
        } else {
            ASSERT_EQ(line.requests.size(), 1u);
            EXPECT_EQ(line.requests[0].toHex(), expected.toHex());
        }
    }
}

struct RefusalCase
{
    int group;
    const char *protocol;
    bool write;
    int reg;
    const char *text;
};

const RefusalCase Refusals[] = {
    {0, "L", false, 0, "Address 01:Invalid instrument Read Register > 0"},
    {0, "L", false, 20481, "Address 01:Invalid instrument Read Register > 20481"},
    {1, "R", false, 25000, "Address 001:Invalid instrument Read Register > 25000"},
    {2, "A", false, -5, "Address 001:Invalid instrument Read Register > -5"},
    {0, "L", true, 0, "Address 01:Invalid instrument Write Register > 0"},
    {1, "A", true, 20481, "Address 001:Invalid instrument write Register > 20481"},
    {2, "A", true, 0, "Address 001:Invalid instrument write Register > 0"},
    {0, "L", false, 5, "Address 01:No valid Vanta Link read command found for register > 5"},
    {0, "L", true, 2, "Address 01:No valid Vanta Link write command found for register > 2"},
    {1, "R", false, 7, "Address 001:No valid Modbus read command found for register > 7"},
    {1, "R", true, 7, "Address 001:No valid Modbus write command found for register > 7"},
    {2, "A", false, 7, "Address 001:No valid Modbus read command found for register > 7"},
    {2, "A", true, 7, "Address 001:No valid Modbus write command found for register > 7"},
    {0, "A", true, 2, "Address 01:Invalid protocol code > A for controller group 0"},
};

TEST_F(RegisterAccess, RefusesRegistersItCannotTranslateWithoutSending)
{
    for (const RefusalCase &c : Refusals) {
        SCOPED_TRACE(c.text);
        value = 99;
        status = 0;
        if (c.write)
            WriteRegister(link, c.group, QLatin1String(c.protocol), text, status, 1, c.reg, 1);
        else
            ReadRegister(link, c.group, QLatin1String(c.protocol), text, status, 1, c.reg, value);
        EXPECT_EQ(status, 2);
        EXPECT_EQ(text, QLatin1String(c.text));
        EXPECT_EQ(value, 99);
    }
    EXPECT_TRUE(line.requests.empty());
}

TEST_F(RegisterAccess, Group1ReadsModelWithFamilyCodeAndBitsAsDiscreteInputs)
{
    struct Case
    {
        int reg;
        int wire;
        int word;
        const char *requestHex;
        float value;
    };
    const Case cases[] = {
        {1794, 18, 1, "01670012000155c7", 22603}, // X, K
        {1794, 18, 2, "01670012000155c7", 20820}, // Q, T
        {1794, 18, 5, "01670012000155c7", 0},     {1795, 19, 2, "0167001300010407", 20820},
        {2065, 2065, 1, "010208110001ebaf", 1},
    };
    answerModbus(QStringLiteral("R"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.requestHex);
        (*registers)[c.wire] = c.word;
        line.requests.clear();
        ReadRegister(link, 1, QStringLiteral("R"), text, status, 1, c.reg, value);
        EXPECT_EQ(status, 0) << text.toStdString();
        EXPECT_EQ(value, c.value);
        ASSERT_EQ(line.requests.size(), 1u);
        EXPECT_EQ(line.requests[0].toHex(), QByteArray(c.requestHex));
    }
}

TEST_F(RegisterAccess, Group2ModelReadAlwaysGivesXW)
{
    answerModbus(QStringLiteral("A"));
    ReadRegister(link, 2, QStringLiteral("A"), text, status, 1, 1794, value);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(value, 22615);
    EXPECT_EQ(line.requests.size(), 1u);
}

TEST_F(RegisterAccess, FailedReadKeepsValueAndPassesEngineText)
{
    ReadRegister(link, 1, QStringLiteral("R"), text, status, 1, 2, value); // nobody answers
    EXPECT_EQ(status, -1);
    EXPECT_EQ(text,
              QStringLiteral("Address 001:No response from instrument at register 1000H (2)"));
    EXPECT_EQ(value, 99);
    EXPECT_EQ(line.requests.size(), 2u); // tried twice
}

TEST_F(RegisterAccess, DemoModeReadsZeroAndSendsNothing)
{
    app.setDemoMode(true);
    const struct
    {
        int group;
        const char *protocol;
        int reg;
        float value;
    } cases[] = {{0, "L", 2, 0},    {0, "L", 350, 0}, {0, "R", 2, 0},       {1, "R", 1794, 0},
                 {1, "A", 2065, 0}, {2, "A", 2, 0},   {2, "A", 1794, 22615}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.reg);
        text = QStringLiteral("stale");
        status = 5;
        value = 99;
        ReadRegister(link, c.group, QLatin1String(c.protocol), text, status, 1, c.reg, value);
        EXPECT_EQ(status, 0);
        EXPECT_TRUE(text.isEmpty());
        EXPECT_EQ(value, c.value);
    }
    EXPECT_TRUE(line.requests.empty());

    // Routing failures are still reported.
    ReadRegister(link, 0, QStringLiteral("L"), text, status, 1, 20481, value);
    EXPECT_EQ(status, 2);
}

TEST_F(RegisterAccess, VantaLinkReadsFollowTheRegistersRules)
{
    struct Case
    {
        int reg;
        const char *request; // command text
        const char *field;   // reply data
        float value;
    };
    const Case cases[] = {
        {4, "10", "12", 18},                  // raw hexadecimal value
        {8, "11", "C3", 1},                   // raw value AND 1
        {8, "11", "C2", 0},                   //
        {289, "0120", "110123", 12.3f},       // odd ramp/soak time: absolute decoded value
        {290, "0121", "110123", -123},        // any other: decoded x divisor
        {200, "0130", "340123", 123},         //
        {100, "0A", "12", 12},                //
        {1842, "0730", "ABCD000000", 0xABCD}, // raw hexadecimal, four digits
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.reg);
        line.requests.clear();
        answerLink({c.field});
        ReadRegister(link, 0, QStringLiteral("L"), text, status, 1, c.reg, value);
        EXPECT_EQ(status, 0) << text.toStdString();
        EXPECT_FLOAT_EQ(value, c.value);
        ASSERT_EQ(line.requests.size(), 1u);
        EXPECT_EQ(line.requests[0], linkRequest(c.request));
    }
}

TEST_F(RegisterAccess, PackedRegistersAssembleEightReadsMostSignificantFirst)
{
    // Bits 7-6 of the replies give the base-4 digits 3, 0, 0, 0, 0, 0, 0, 1.
    answerLink({"C0", "00", "3F", "00", "00", "00", "00", "40"});
    ReadRegister(link, 0, QStringLiteral("L"), text, status, 1, 350, value);
    EXPECT_EQ(status, 0) << text.toStdString();
    EXPECT_EQ(value, 49153 - 65536);
    const char *commands[] = {"0310", "0312", "0314", "0316", "0318", "031A", "031C", "031E"};
    ASSERT_EQ(line.requests.size(), 8u);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(line.requests[i], linkRequest(commands[i]));
}

TEST_F(RegisterAccess, PackedReadStopsAtFirstFailure)
{
    line.queueReply(linkReply("C0"));
    line.queueReply(linkReply("00"));
    line.queueReply(test::vantaLinkNakFrame("01", 6));
    ReadRegister(link, 0, QStringLiteral("L"), text, status, 1, 350, value);
    EXPECT_EQ(status, 6);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Address 01:Undefined command from instrument")))
        << text.toStdString();
    EXPECT_EQ(value, 99);
    EXPECT_EQ(line.requests.size(), 3u);
}

TEST_F(RegisterAccess, VantaLinkWritesAdjustValueAndCommand)
{
    struct Case
    {
        int reg;
        float value;
        const char *command;
        const char *data;
    };
    const Case cases[] = {
        {274, 5, "0211", "0005FF"},     // sent negated
        {274, -5, "0211", "000500"},    //
        {350, 4660, "0220", "123400"},  // four hexadecimal digits
        {350, -1, "0220", "FFFF00"},    //
        {783, 0, "0213", "000000"},     // 0 uses the next command
        {783, 1, "0212", "000100"},     //
        {789, 1, "0215", "000100"},     // non-zero uses the next command
        {789, 0, "0214", "000000"},     //
        {803, 0, "0215", "000000"},     // the value picks one of four commands
        {803, 3, "0218", "000300"},     //
        {100, -5, "0210", "0005FF"},    // decimal with sign flag
        {100, 12.6f, "0210", "001300"}, // rounded to nearest
        {783, 0.4f, "0213", "000000"},  // a value that rounds to 0 counts as 0
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 <- %2").arg(c.reg).arg(c.value).toStdString());
        line.requests.clear();
        line.queueReply(linkReply({}));
        WriteRegister(link, 0, QStringLiteral("L"), text, status, 1, c.reg, c.value);
        EXPECT_EQ(status, 0) << text.toStdString();
        ASSERT_EQ(line.requests.size(), 1u);
        EXPECT_EQ(line.requests[0], linkRequest(c.command, c.data));
    }
}

TEST_F(RegisterAccess, StageRegisterRefusesValuesOutsideZeroToThree)
{
    for (const float bad : {4.0f, -1.0f, 3.6f}) {
        SCOPED_TRACE(bad);
        WriteRegister(link, 0, QStringLiteral("L"), text, status, 1, 803, bad);
        EXPECT_EQ(status, 3);
        EXPECT_TRUE(text.startsWith(QStringLiteral(
            "Address 01:Invalid instrument Write Data Value for Register > 803 (0215). Value=")))
            << text.toStdString();
    }
    WriteRegister(link, 0, QStringLiteral("L"), text, status, 1, 803, 4);
    EXPECT_TRUE(text.endsWith(QStringLiteral(". Value= 4"))) << text.toStdString();
    EXPECT_TRUE(line.requests.empty());
}

TEST_F(RegisterAccess, ModbusWritesPickTypeByWireRegister)
{
    struct Case
    {
        int group;
        const char *protocol;
        int reg;
        float value;
        QByteArray request;
    };
    const Case cases[] = {
        {0, "R", 2, 13, QByteArray::fromHex("01100001000102000d6644")},    // function 16, reg - 1
        {1, "R", 2065, 5, QByteArray::fromHex("01050811ff00de5f")},        // coil: non-zero is on
        {1, "R", 2, 12.5f, QByteArray::fromHex("01101000000102000d7654")}, // half away from 0
        {1, "A", 2, 13, ":01061000000DDC\r\n"},
        {2, "A", 2, 13, ":01064700000DA5\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.request.toHex().toStdString());
        line.requests.clear();
        answerModbus(QLatin1String(c.protocol));
        WriteRegister(link, c.group, QLatin1String(c.protocol), text, status, 1, c.reg, c.value);
        EXPECT_EQ(status, 0) << text.toStdString();
        ASSERT_EQ(line.requests.size(), 1u);
        EXPECT_EQ(line.requests[0], c.request);
    }
}

TEST_F(RegisterAccess, OutOfRangeWriteValuesGetEngineRefusalInsteadOfWrapping)
{
    const struct
    {
        int group;
        const char *protocol;
        int reg;
        float value;
        qint16 status;
    } cases[] = {
        {0, "R", 2, 40000, -1},  {0, "R", 2, 32767.6f, -1}, {1, "A", 2, -32769, -1},
        {0, "L", 100, 10000, 3}, {0, "L", 274, -10000, 3},  {0, "L", 350, 40000, 3},
        {0, "L", 100, 1e9f, 3},  {0, "L", 100, NAN, 3},     {1, "R", 2, NAN, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.reg).arg(c.value).toStdString());
        status = 0;
        WriteRegister(link, c.group, QLatin1String(c.protocol), text, status, 1, c.reg, c.value);
        EXPECT_EQ(status, c.status) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Write Value")) ||
                    text.contains(QStringLiteral("Write Data Value")))
            << text.toStdString();
    }
    EXPECT_TRUE(line.requests.empty());
}

TEST_F(RegisterAccess, ScaledReadsApplyTheStatusWord)
{
    struct Case
    {
        int group;
        const char *protocol;
        int reg;
        int statusWord;
        int decimalSetting; // register 795, group 0 only
        const char *valueText;
        const char *unit;
        float divisor;
        bool alarm1;
        bool alarm2;
        size_t requests;
    };
    const Case cases[] = {
        // group 1: unit Int(s / 4) AND 3 = 1 (deg C), alarms bits 4 and 1
        {1, "R", 2, 0x0004 | 0x10, 0, "25.1", " °C", 10, true, false, 2},
        {1, "A", 2, 0x0008 | 0x02, 0, "25.1", " °F", 10, false, true, 2},
        // group 2: the two units the other way round, alarms bits 5 and 4
        {2, "A", 2, 0x0004 | 0x20, 0, "25.1", " °F", 10, true, false, 2},
        // group 0 process value: decimal point from the status word, unit Int(s / 2) AND 3
        {0, "R", 2, 0x0020 | 0x0004 | 0x0800, 0, "2.51", " °C", 100, true, false, 2},
        // any other group 0 register: register 795 sets the decimal point
        {0, "R", 4, 0x0020 | 0x0400, 3, "0.251", "", 1000, false, true, 3},
        {0, "R", 4, 0x0020, 7, "251", "", 1, false, false, 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("group %1 %2").arg(c.group).arg(c.protocol).toStdString());
        line.requests.clear();
        answerModbus(QLatin1String(c.protocol));
        (*registers)[2] = (*registers)[0x1001] = (*registers)[0x4701] = c.statusWord;
        (*registers)[3] = 251; // group 0, register 4
        (*registers)[794] = c.decimalSetting;
        comms::ScaledValue scaled;
        ReadScaledValue(link, c.group, QLatin1String(c.protocol), text, status, 1, c.reg, scaled);
        EXPECT_EQ(status, 0) << text.toStdString();
        EXPECT_EQ(scaled.ValueText, QString::fromUtf8(c.valueText));
        EXPECT_EQ(scaled.UnitText, QString::fromUtf8(c.unit));
        EXPECT_FLOAT_EQ(scaled.Divisor, c.divisor);
        EXPECT_FLOAT_EQ(scaled.Value, 251 / c.divisor);
        EXPECT_EQ(scaled.AlarmFlag1, c.alarm1);
        EXPECT_EQ(scaled.AlarmFlag2, c.alarm2);
        EXPECT_EQ(line.requests.size(), c.requests);
    }
}

TEST_F(RegisterAccess, ScaledVantaLinkReadTakesTheDecodedReply)
{
    answerLink({"0C340123"}); // alarm bits 3 and 2 set; 0.123 deg C
    const auto read =
        comms::readScaledValue(link, comms::Target{0, comms::Protocol::VantaLink, 1}, 2);
    EXPECT_EQ(read.status, 0) << read.text.toStdString();
    const comms::ScaledValue &scaled = read.value;
    EXPECT_FLOAT_EQ(scaled.Value, 0.123f);
    EXPECT_FLOAT_EQ(scaled.Divisor, 1000);
    EXPECT_EQ(scaled.UnitText, QStringLiteral("°C"));
    EXPECT_TRUE(scaled.AlarmFlag1);
    EXPECT_TRUE(scaled.AlarmFlag2);
}

TEST_F(RegisterAccess, ScaledReadStopsAtAFailedStatusWord)
{
    line.queueReply(QByteArray::fromHex("010302009b") +
                    test::crc16Modbus(QByteArray::fromHex("010302009b")));
    comms::ScaledValue scaled;
    scaled.ValueText = QStringLiteral("kept");
    ReadScaledValue(link, 1, QStringLiteral("R"), text, status, 1, 2, scaled);
    EXPECT_EQ(status, -1);
    EXPECT_TRUE(text.contains(QStringLiteral("(3)"))) << text.toStdString();
    EXPECT_EQ(scaled.ValueText, QStringLiteral("kept"));

    ReadScaledValue(link, 0, QStringLiteral("A"), text, status, 1, 2, scaled);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(text, QStringLiteral("Address 01:Invalid protocol code > A for controller group 0"));
}

TEST(DecimalPointInfo, DecodesEachGroupsStatusWord)
{
    struct Case
    {
        int group;
        int word;
        float divisor;
        const char *format;
        const char *unit;
        bool alarm1;
        bool alarm2;
        int result;
    };
    const Case cases[] = {
        {0, 0x0000, 1, "#,###,###,##0", "", false, false, 0},
        {0, 0x0012, 10, "#,###,###,##0.0", " °F", false, false, 0},
        {0, 0x0034, 1000, "#,###,###,##0.000", " °C", false, false, 0},
        {0, 0x0046, 10000, "#,###,###,##0.0000", " Er", false, false, 0},
        {0, 0x0050, 1, "#,###,###,##0", "", false, false, 0},
        {0, 0x0C20, 100, "#,###,###,##0.00", "", true, true, -1},
        {0, -1, 1, "#,###,###,##0", " Er", true, true, -1}, // 0xFFFF as a signed word
        {0, 0xFFFF, 1, "#,###,###,##0", " Er", true, true, -1},
        {1, 0x0004, 10, "#,###,###,##0.0", " °C", false, false, 0},
        {1, 0x0012, 10, "#,###,###,##0.0", "", true, true, -1},
        {2, 0x0004, 10, "#,###,###,##0.0", " °F", false, false, 0},
        {2, 0x0038, 10, "#,###,###,##0.0", " °C", true, true, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("group %1 word %2").arg(c.group).arg(c.word).toStdString());
        float divisor = 0;
        QString format;
        QString unit;
        bool alarm1 = false;
        bool alarm2 = false;
        EXPECT_EQ(comms::DecimalPointInfo(c.group, c.word, divisor, format, unit, alarm1, alarm2),
                  c.result);
        EXPECT_EQ(divisor, c.divisor);
        EXPECT_EQ(format, QLatin1String(c.format));
        EXPECT_EQ(unit, QString::fromUtf8(c.unit));
        EXPECT_EQ(alarm1, c.alarm1);
        EXPECT_EQ(alarm2, c.alarm2);
    }

    float divisor = 7;
    QString format = QStringLiteral("kept");
    QString unit;
    bool alarm1 = true;
    bool alarm2 = true;
    EXPECT_EQ(comms::DecimalPointInfo(3, 0xFFFF, divisor, format, unit, alarm1, alarm2), 1);
    EXPECT_EQ(comms::DecimalPointInfo(-1, 0, divisor, format, unit, alarm1, alarm2), -3);
    EXPECT_EQ(divisor, 7);
    EXPECT_EQ(format, QStringLiteral("kept"));
    EXPECT_TRUE(alarm1 && alarm2);
}

TEST(BitState, TestsBitsOfSignedAndUnsignedWords)
{
    EXPECT_TRUE(comms::BitState(15, -32768));
    EXPECT_TRUE(comms::BitState(15, 32768));
    EXPECT_FALSE(comms::BitState(15, 32767));
    EXPECT_TRUE(comms::BitState(0, 1.4));
    EXPECT_FALSE(comms::BitState(0, 1.6)); // rounds to 2
    EXPECT_TRUE(comms::BitState(3, -1));
    EXPECT_FALSE(comms::BitState(16, -1));
    EXPECT_FALSE(comms::BitState(-1, -1));
    EXPECT_FALSE(comms::BitState(0, 65537));
    EXPECT_FALSE(comms::BitState(0, std::nan("")));
}

} // namespace
