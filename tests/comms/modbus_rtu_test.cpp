// Modbus RTU transactions through the scripted line.
#include "comms/modbus_rtu.h"

#include "comm_rig.h"

#include <gtest/gtest.h>

namespace vanta::comms {
namespace {

using test::CommRig;
using test::hexBytes;

// A frame with its CRC appended.
QByteArray rtu(const char *hex)
{
    const QByteArray bytes = hexBytes(hex);
    return bytes + ModbusCRC(bytes);
}

struct Read
{
    int group = 1;
    int reg = 1794;
    int address = 1;
    int modbusRegister = 0x2A0;
    int type = HoldingRegister;
    int count = 1;
};

void read(CommRig &rig, const Read &r, qint16 &status, QString &text, QVector<float> &values)
{
    ModbusRead_R(rig.link, r.group, r.reg, text, status, r.address, r.modbusRegister, r.type,
                 r.count, values);
}

TEST(ModbusRtu, ComputesTheStandardCrcLowByteFirst)
{
    EXPECT_EQ(ModbusCRC(hexBytes("1103006b0003")).toHex(), "7687");
    EXPECT_EQ(ModbusCRC(hexBytes("010300000001")).toHex(), "840a");
    EXPECT_EQ(ModbusCRC(QByteArray()).toHex(), "ffff");
}

TEST(ModbusRtu, SendsReadRequestsByteForByte)
{
    struct Case
    {
        Read read;
        const char *frame;
    };
    const Case cases[] = {
        {{0, 1794, 1, 1794, HoldingRegister, 1}, "010307010001d4be"}, // group 0 counts from 1
        {{1, 1794, 1, 0x2A0, HoldingRegister, 1}, "010302a000018590"},
        {{1, 0, 1, 0x0C, FamilyRead, 1}, "0167000c000135c1"},
        {{1, 0, 1, 0x0A, DiscreteInput, 10}, "0102000a000ad80f"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.frame);
        CommRig rig;
        qint16 status = 0;
        QString text;
        QVector<float> values;
        read(rig, c.read, status, text, values);
        ASSERT_FALSE(rig.line.requests.empty());
        EXPECT_EQ(rig.line.requests.front().toHex(), c.frame);
    }
}

TEST(ModbusRtu, DecodesReadReplies)
{
    struct Case
    {
        int type;
        int count;
        const char *reply;
        QVector<float> values;
    };
    const Case cases[] = {
        {HoldingRegister, 1, "0103020005", {5}},
        {HoldingRegister, 1, "010302ffff", {-1}},
        {HoldingRegister, 1, "0103027fff", {32767}},
        {HoldingRegister, 2, "01030400010002", {1, 2}},
        {InputRegister, 1, "0104028000", {-32768}},
        {Coil, 10, "0101022d03", {1, 0, 1, 1, 0, 1, 0, 0, 1, 1}}, // least significant bit first
        {FamilyRead, 1, "0167020002", {2}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.reply);
        CommRig rig;
        rig.line.queueReply(rtu(c.reply));
        qint16 status = -7;
        QString text = QStringLiteral("old");
        QVector<float> values;
        read(rig, {1, 1794, 1, 0x2A0, c.type, c.count}, status, text, values);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(text, QString());
        EXPECT_EQ(values, c.values);
        EXPECT_EQ(rig.line.requests.size(), 1u);
    }
}

TEST(ModbusRtu, ReportsEveryReadFailureWithItsStatusAndText)
{
    const QByteArray good = rtu("0103020005");
    QByteArray badCrc = good;
    badCrc[badCrc.size() - 1] = char(badCrc.back() ^ 0x01);
    const std::vector<test::ExchangeCase> cases = {
        {{}, -1, "Address 001:No response from instrument at register 2A0H (1794)", 2},
        {{hexBytes("0103"), hexBytes("010302")},
         -1,
         "Address 001:Too short of response from instrument at register 2A0H (1794)",
         2},
        {{badCrc, badCrc},
         -1,
         "Address 001:Bad CRC or communications noise from instrument at register 2A0H (1794)",
         2},
        {{rtu("0203020005"), rtu("0203020005")},
         -1,
         "Address 001:Incorrect Address Returned from instrument at register 2A0H (1794)",
         2},
        {{rtu("0104020005"), rtu("0104020005")},
         -1,
         "Address 001:Incorrect Modbus Code Returned from instrument at register 2A0H (1794)",
         2},
        {{rtu("0103030005"), rtu("0103030005")},
         -1,
         "Address 001:Incorrect Byte Count Returned from instrument at register 2A0H (1794)",
         2},
        {{rtu("018302")},
         2,
         "Address 001:Illegal Data Address response from instrument for register 2A0H (1794)",
         1},
        {{hexBytes("018302c0f0"), hexBytes("018302c0f0")},
         -1,
         "Address 001:Bad CRC on exception error from instrument at register 2A0H (1794)",
         2},
        {{rtu("018300")},
         -1, // code 0 must not read as success
         "Address 001:Unknown Error 0 response from instrument for register 2A0H (1794)",
         1},
        {{badCrc, good}, 0, "", 2},
        {{QByteArray(), good}, 0, "", 2},
    };
    test::expectExchanges(cases, [](CommRig &rig, qint16 &status, QString &text) {
        QVector<float> values{42};
        read(rig, {}, status, text, values);
        EXPECT_EQ(values.front(), status == 0 ? 5.0f : 42.0f); // failures keep the old value
    });
}

TEST(ModbusRtu, NamesEveryExceptionCode)
{
    const char *const words[] = {
        nullptr,
        ":Illegal Function response from instrument for register",
        ":Illegal Data Address response from instrument for register",
        ":Illegal Data Value response from instrument for register",
        ":Slave Device Failure response from instrument for register",
        ":Acknowledged But Long Processing response from instrument for register",
        ":Slave Device Is Busy response from instrument for register",
        ":Negative Acknowledge response from instrument for register",
        ":Memory Parity Error response from instrument for register",
    };
    for (int code = 1; code <= 11; ++code) {
        SCOPED_TRACE(code);
        CommRig rig;
        QByteArray exception = hexBytes("0183");
        exception.append(char(code));
        rig.line.queueReply(exception + ModbusCRC(exception));
        qint16 status = 0;
        QString text;
        QVector<float> values;
        read(rig, {0, 1794, 1, 1794, HoldingRegister, 1}, status, text, values);
        const QString expected = code <= 8
                                     ? QString::fromLatin1(words[code])
                                     : QStringLiteral(":Unknown Error ") + QString::number(code) +
                                           " response from instrument for register";
        EXPECT_EQ(status, code);
        EXPECT_EQ(text, QStringLiteral("Address 01") + expected + " 1794");
    }
}

TEST(ModbusRtu, RefusesRequestsThatMustNotBeSent)
{
    struct Case
    {
        Read read;
        const char *text;
    };
    const Case cases[] = {
        {{1, 1794, 0, 0x2A0, HoldingRegister, 1}, "Address 000:Invalid instrument address"},
        {{1, 1794, 256, 0x2A0, HoldingRegister, 1}, "Address 256:Invalid instrument address"},
        {{0, 1794, 256, 1794, HoldingRegister, 1}, "Address 100:Invalid instrument address"},
        {{1, 1794, 1, 0, HoldingRegister, 1}, "Address 001:Invalid Modbus Register > 0H (1794)"},
        {{0, 0, 1, 0, HoldingRegister, 1}, "Address 01:Invalid Modbus Register > 0"},
        {{1, 0, 1, 0x10000, HoldingRegister, 1}, "Address 001:Invalid Modbus Register > 10000H"},
        {{1, 1794, 1, 0x2A0, 6, 1}, "Address 001:Invalid Register Type 6"},
        {{1, 1794, 1, 0x2A0, HoldingRegister, 0}, "Address 001:Invalid Register Count 0"},
        {{1, 1794, 1, 0x2A0, HoldingRegister, 126}, "Address 001:Invalid Register Count 126"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        CommRig rig;
        qint16 status = 0;
        QString text;
        QVector<float> values;
        read(rig, c.read, status, text, values);
        EXPECT_EQ(status, -1);
        EXPECT_EQ(text, QString::fromLatin1(c.text));
        EXPECT_TRUE(rig.line.requests.empty());
    }
}

TEST(ModbusRtu, DemoModeAndClosedPortSendNothing)
{
    CommRig rig;
    rig.app.setDemoMode(true);
    qint16 status = -5;
    QString text = QStringLiteral("old");
    QVector<float> values{7};
    read(rig, {1, 1794, 0, 0x2A0, 9, 1}, status, text, values); // even a bad request
    EXPECT_EQ(status, 0);
    EXPECT_EQ(text, QString());
    EXPECT_EQ(values, QVector<float>{7});

    rig.app.setDemoMode(false);
    rig.app.setCommEnabled(false);
    read(rig, {1, 1794, 0, 0x2A0, HoldingRegister, 1}, status, text, values);
    EXPECT_EQ(status, -1);
    EXPECT_EQ(text, "Address 000:Selected comm port is not open.");
    EXPECT_TRUE(rig.line.requests.empty());
}

struct Write
{
    int group = 1;
    int reg = 1794;
    int modbusRegister = 0x2A0;
    int type = HoldingRegister;
    QVector<float> values;
};

void write(CommRig &rig, const Write &w, qint16 &status, QString &text)
{
    ModbusWrite_R(rig.link, w.group, w.reg, text, status, 1, w.modbusRegister, w.type,
                  int(w.values.size()), w.values);
}

TEST(ModbusRtu, SendsWriteRequestsByteForByte)
{
    struct Case
    {
        Write write;
        const char *frame;
        const char *echo;
    };
    const Case cases[] = {
        {{1, 1794, 0x2A0, HoldingRegister, {-1}}, "011002a0000102ffff9c80", "011002a00001"},
        {{0, 1794, 1794, HoldingRegister, {255}}, "0110070100010200ff9101", "011007010001"},
        {{0, 1794, 1794, HoldingRegister, {254.6f}}, "0110070100010200ff9101", "011007010001"},
        {{1, 1794, 0x2A0, Coil, {3}}, "010502a0ff008da0", "010502a0ff00"},
        {{1, 1794, 0x2A0, Coil, {0}}, "010502a00000cc50", "010502a00000"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.frame);
        CommRig rig;
        rig.line.queueReply(rtu(c.echo));
        qint16 status = -5;
        QString text;
        write(rig, c.write, status, text);
        ASSERT_EQ(rig.line.requests.size(), 1u);
        EXPECT_EQ(rig.line.requests.front().toHex(), c.frame);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(text, QString());
    }
}

TEST(ModbusRtu, ChecksTheWriteEcho)
{
    const std::vector<test::ExchangeCase> cases = {
        {{rtu("011002a10001"), rtu("011002a10001")},
         -1,
         "Address 001:Incorrect Register Number Returned from instrument at register 2A0H (1794)",
         2},
        {{rtu("011002a00002"), rtu("011002a00002")},
         -1,
         "Address 001:Incorrect Register Count Returned from instrument at register 2A0H (1794)",
         2},
        {{rtu("019003")},
         3,
         "Address 001:Illegal Data Value response from instrument for register 2A0H (1794). "
         "Value= 7",
         1},
        {{rtu("019002")},
         2,
         "Address 001:Illegal Data Address response from instrument for register 2A0H (1794)",
         1},
    };
    test::expectExchanges(cases, [](CommRig &rig, qint16 &status, QString &text) {
        write(rig, {1, 1794, 0x2A0, HoldingRegister, {7}}, status, text);
    });
}

TEST(ModbusRtu, RefusesWriteValuesBeforeSending)
{
    struct Case
    {
        Write write;
        const char *text;
    };
    const Case cases[] = {
        {{1, 1794, 0x2A0, HoldingRegister, {40000}},
         "Address 001:Invalid Modbus Write Value 40000 at Register > 2A0H (1794)"},
        {{1, 1794, 0x2A0, HoldingRegister, {-32769}},
         "Address 001:Invalid Modbus Write Value -32769 at Register > 2A0H (1794)"},
        {{1, 1794, 0x2A0, HoldingRegister, {32767.6f}},
         "Address 001:Invalid Modbus Write Value 32767.6 at Register > 2A0H (1794)"},
        {{1, 1794, 0x2A0, HoldingRegister, {std::numeric_limits<float>::quiet_NaN()}},
         "Address 001:Invalid Modbus Write Value NaN at Register > 2A0H (1794)"},
        {{1, 1794, 0x2A0, DiscreteInput, {1}}, "Address 001:Invalid Register Type 2"},
        {{1, 1794, 0x2A0, HoldingRegister, {}}, "Address 001:Invalid Register Count 0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        CommRig rig;
        qint16 status = 0;
        QString text;
        write(rig, c.write, status, text);
        EXPECT_EQ(status, -1);
        EXPECT_EQ(text, QString::fromLatin1(c.text));
        EXPECT_TRUE(rig.line.requests.empty());
    }
}

} // namespace
} // namespace vanta::comms
