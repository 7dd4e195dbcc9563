// Modbus RTU transactions through the scripted line.
#include "comms/modbus_rtu.h"

#include "comm_rig.h"

#include <gtest/gtest.h>

namespace vanta::comms {
namespace {

using test::CommRig;
using test::hexBytes;

// A frame with its CRC appended.
QByteArray rtu(const QByteArray &hex)
{
    const QByteArray bytes = hexBytes(hex);
    return bytes + ModbusCRC(bytes);
}

struct Read
{
    int group = 1;
    int address = 1;
    int modbusRegister = 0x2A0;
    int type = HoldingRegister;
    int count = 1;
};

qint16 read(CommRig &rig, const Read &r, QString &text, QVector<float> &values)
{
    qint16 status = 0;
    ModbusRead_R(rig.link, r.group, 1794, text, status, r.address, r.modbusRegister, r.type,
                 r.count, values);
    return status;
}

// Label of holding register 2A0H, the program's register 1794.
const QString Prefix = QStringLiteral("Address 001");
const QString Label = QStringLiteral(" 2A0H (1794)");

TEST(ModbusRtu, SendsReadRequestsAndDecodesTheReplies)
{
    struct Case
    {
        Read read;
        const char *frame;
        const char *reply;
        QVector<float> values;
    };
    const Case cases[] = {
        // Group 0 numbers registers from 1: register 1794 is 0701H on the wire.
        {{0, 1, 1794, HoldingRegister, 1}, "010307010001d4be", "0103020005", {5}},
        {{1, 1, 0x2A0, HoldingRegister, 1}, "010302a000018590", "010302ffff", {-1}},
        {{1, 1, 0x2A0, HoldingRegister, 1}, "010302a000018590", "0103027fff", {32767}},
        {{1, 1, 0x2A0, HoldingRegister, 2}, "010302a00002c591", "01030400010002", {1, 2}},
        {{1, 1, 0x2A0, InputRegister, 1}, "010402a000013050", "0104028000", {-32768}},
        {{1, 1, 0x0C, FamilyRead, 1}, "0167000c000135c1", "0167020002", {2}},
        // Ten coils take two data bytes, least significant bit first.
        {{1, 1, 0x0A, Coil, 10}, "0101000a000a9c0f", "0101022d03", {1, 0, 1, 1, 0, 1, 0, 0, 1, 1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.frame);
        CommRig rig;
        rig.line.queueReply(rtu(c.reply));
        QString text = QStringLiteral("old");
        QVector<float> values;
        EXPECT_EQ(read(rig, c.read, text, values), 0);
        EXPECT_EQ(text, QString());
        EXPECT_EQ(values, c.values);
        ASSERT_EQ(rig.line.requests.size(), 1u);
        EXPECT_EQ(rig.line.requests.front().toHex(), c.frame);
    }
}

TEST(ModbusRtu, ReportsEveryReadFailureWithItsStatusAndText)
{
    const QByteArray good = rtu("0103020005");
    QByteArray badCrc = good;
    badCrc[badCrc.size() - 1] = char(badCrc.back() ^ 0x01);
    const std::vector<test::ExchangeCase> cases = {
        {{}, -1, ":No response from instrument at register", 2},
        {{hexBytes("0103")}, -1, ":Too short of response from instrument at register", 2},
        {{badCrc}, -1, ":Bad CRC or communications noise from instrument at register", 2},
        {{rtu("0203020005")}, -1, ":Incorrect Address Returned from instrument at register", 2},
        {{rtu("0104020005")}, -1, ":Incorrect Modbus Code Returned from instrument at register", 2},
        {{rtu("0103030005")}, -1, ":Incorrect Byte Count Returned from instrument at register", 2},
        {{rtu("018302")}, 2, ":Illegal Data Address response from instrument for register", 1},
        {{hexBytes("018302c0f0")},
         -1,
         ":Bad CRC on exception error from instrument at register",
         2},
        // An exception code 0 must not read as success.
        {{rtu("018300")}, -1, ":Unknown Error 0 response from instrument for register", 1},
        {{badCrc, good}, 0, "", 2},
        {{QByteArray(), good}, 0, "", 2},
    };
    const auto exchange = [](CommRig &rig, qint16 &status, QString &text) {
        QVector<float> values{42};
        status = read(rig, {}, text, values);
        EXPECT_EQ(values.front(), status == 0 ? 5.0f : 42.0f); // failures keep the old value
    };
    test::expectExchanges(cases, exchange, Prefix, Label);
}

TEST(ModbusRtu, NamesEveryExceptionCode)
{
    const char *const words[] = {
        "Illegal Function",
        "Illegal Data Address",
        "Illegal Data Value",
        "Slave Device Failure",
        "Acknowledged But Long Processing",
        "Slave Device Is Busy",
        "Negative Acknowledge",
        "Memory Parity Error",
        "Unknown Error 9",
        "Unknown Error 255",
    };
    for (int i = 0; i < 10; ++i) {
        const int code = i < 9 ? i + 1 : 255;
        SCOPED_TRACE(code);
        CommRig rig;
        rig.line.queueReply(rtu("0183" + QByteArray(1, char(code)).toHex()));
        QString text;
        QVector<float> values;
        EXPECT_EQ(read(rig, {0, 1, 1794, HoldingRegister, 1}, text, values), code);
        EXPECT_EQ(text, QStringLiteral("Address 01:") + words[i] +
                            " response from instrument for register 1794");
    }
}

TEST(ModbusRtu, RefusesRequestsThatMustNotBeSent)
{
    const std::pair<Read, const char *> cases[] = {
        {{1, 0, 0x2A0, HoldingRegister, 1}, "Address 000:Invalid instrument address"},
        {{1, 256, 0x2A0, HoldingRegister, 1}, "Address 256:Invalid instrument address"},
        {{0, 256, 1794, HoldingRegister, 1}, "Address 100:Invalid instrument address"},
        {{1, 1, 0, HoldingRegister, 1}, "Address 001:Invalid Modbus Register > 0H (1794)"},
        {{1, 1, 0x2A0, 6, 1}, "Address 001:Invalid Register Type 6"},
        {{1, 1, 0x2A0, HoldingRegister, 126}, "Address 001:Invalid Register Count 126"},
    };
    for (const auto &[request, expected] : cases) {
        SCOPED_TRACE(expected);
        CommRig rig;
        QString text;
        QVector<float> values;
        EXPECT_EQ(read(rig, request, text, values), -1);
        EXPECT_EQ(text, expected);
        EXPECT_TRUE(rig.line.requests.empty());
    }
}

TEST(ModbusRtu, DemoModeAndClosedPortSendNothing)
{
    CommRig rig;
    rig.app.setDemoMode(true);
    QString text = QStringLiteral("old");
    QVector<float> values{7};
    EXPECT_EQ(read(rig, {1, 0, 0x2A0, 9, 1}, text, values), 0); // even a bad request
    EXPECT_EQ(text, QString());
    EXPECT_EQ(values, QVector<float>{7});

    rig.app.setDemoMode(false);
    rig.app.setCommEnabled(false);
    EXPECT_EQ(read(rig, {1, 0, 0x2A0, HoldingRegister, 1}, text, values), -1);
    EXPECT_EQ(text, "Address 000:Selected comm port is not open.");
    EXPECT_TRUE(rig.line.requests.empty());
}

qint16 write(CommRig &rig, int group, int type, const QVector<float> &values, QString &text)
{
    qint16 status = 0;
    const int modbusRegister = group == 0 ? 1794 : 0x2A0;
    ModbusWrite_R(rig.link, group, 1794, text, status, 1, modbusRegister, type, int(values.size()),
                  values);
    return status;
}

TEST(ModbusRtu, SendsWriteRequestsByteForByte)
{
    struct Case
    {
        int group;
        int type;
        float value;
        const char *frame;
        const char *echo;
    };
    const Case cases[] = {
        {1, HoldingRegister, -1, "011002a0000102ffff9c80", "011002a00001"},
        {0, HoldingRegister, 255, "0110070100010200ff9101", "011007010001"},
        {0, HoldingRegister, 254.6f, "0110070100010200ff9101", "011007010001"}, // rounded
        {1, Coil, 3, "010502a0ff008da0", "010502a0ff00"},
        {1, Coil, 0, "010502a00000cc50", "010502a00000"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.frame);
        CommRig rig;
        rig.line.queueReply(rtu(c.echo));
        QString text;
        EXPECT_EQ(write(rig, c.group, c.type, {c.value}, text), 0);
        ASSERT_EQ(rig.line.requests.size(), 1u);
        EXPECT_EQ(rig.line.requests.front().toHex(), c.frame);
    }
}

TEST(ModbusRtu, ChecksTheWriteEcho)
{
    const std::vector<test::ExchangeCase> cases = {
        {{rtu("011002a10001")},
         -1,
         ":Incorrect Register Number Returned from instrument at register",
         2},
        {{rtu("011002a00002")},
         -1,
         ":Incorrect Register Count Returned from instrument at register",
         2},
        {{rtu("019002")}, 2, ":Illegal Data Address response from instrument for register", 1},
    };
    const auto exchange = [](CommRig &rig, qint16 &status, QString &text) {
        status = write(rig, 1, HoldingRegister, {7}, text);
    };
    test::expectExchanges(cases, exchange, Prefix, Label);

    // Code 3 names the value that was refused.
    const std::vector<test::ExchangeCase> refused = {
        {{rtu("019003")}, 3, ":Illegal Data Value response from instrument for register", 1}};
    test::expectExchanges(refused, exchange, Prefix, Label + ". Value= 7");
}

TEST(ModbusRtu, RefusesWriteValuesBeforeSending)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::tuple<int, QVector<float>, const char *> cases[] = {
        {HoldingRegister, {40000}, ":Invalid Modbus Write Value 40000 at Register > 2A0H (1794)"},
        {HoldingRegister,
         {32767.6f},
         ":Invalid Modbus Write Value 32767.6 at Register > 2A0H (1794)"},
        {HoldingRegister, {nan}, ":Invalid Modbus Write Value NaN at Register > 2A0H (1794)"},
        {DiscreteInput, {1}, ":Invalid Register Type 2"},
        {HoldingRegister, {}, ":Invalid Register Count 0"},
    };
    for (const auto &[type, values, words] : cases) {
        SCOPED_TRACE(words);
        CommRig rig;
        QString text;
        EXPECT_EQ(write(rig, 1, type, values, text), -1);
        EXPECT_EQ(text, Prefix + words);
        EXPECT_TRUE(rig.line.requests.empty());
    }
}

} // namespace
} // namespace vanta::comms
