// Modbus ASCII transactions through the scripted line.
#include "comms/modbus_ascii.h"

#include "comm_rig.h"

#include <gtest/gtest.h>

namespace vanta::comms {
namespace {

using test::CommRig;

void read(CommRig &rig, int type, int count, qint16 &status, QString &text, QVector<float> &values)
{
    ModbusRead_A(rig.link, 1, 1794, text, status, 1, 0x701, type, count, values);
}

void write(CommRig &rig, int type, float value, qint16 &status, QString &text)
{
    ModbusWrite_A(rig.link, 1, 1794, text, status, 1, 0x2A0, type, 1, QVector<float>{value});
}

TEST(ModbusAscii, ComputesTheLrc)
{
    EXPECT_EQ(ModbusLRC(QByteArray::fromHex("010307010001")), 0xF3);
    EXPECT_EQ(ModbusLRC(QByteArray::fromHex("018302")), 0x7A);
    EXPECT_EQ(ModbusLRC(QByteArray()), 0x00);
}

TEST(ModbusAscii, SendsRequestsByteForByte)
{
    struct Case
    {
        int type;
        float value; // NaN: a read
        const char *frame;
    };
    const float asRead = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {HoldingRegister, asRead, ":010307010001F3\r\n"},
        {Coil, 1, ":010502A0FF0059\r\n"},
        {Coil, -4, ":010502A0FF0059\r\n"},
        {Coil, 0, ":010502A0000058\r\n"},
        {HoldingRegister, -1, ":010602A0FFFF59\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.frame);
        CommRig rig;
        qint16 status = 0;
        QString text;
        QVector<float> values;
        if (std::isnan(c.value))
            ModbusRead_A(rig.link, 1, 1794, text, status, 1, 0x701, c.type, 1, values);
        else
            write(rig, c.type, c.value, status, text);
        ASSERT_FALSE(rig.line.requests.empty());
        EXPECT_EQ(rig.line.requests.front(), QByteArray(c.frame));
    }
}

TEST(ModbusAscii, DecodesReadReplies)
{
    struct Case
    {
        int type;
        int count;
        const char *reply;
        QVector<float> values;
    };
    const Case cases[] = {
        {HoldingRegister, 1, ":0103020005F5\r\n", {5}},
        {HoldingRegister, 1, ":010302FFFFFC\r\n", {-1}},
        {HoldingRegister, 2, ":01030400050006ED\r\n", {5, 6}},
        {DiscreteInput, 1, ":01020101FB\r\n", {1}},
        {Coil, 1, ":01010103FA\r\n", {3}},            // one value per data byte: its low digit
        {HoldingRegister, 1, ":0103020005F5\n", {5}}, // the carriage return is not needed
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.reply);
        CommRig rig;
        rig.line.queueReply(c.reply);
        qint16 status = -5;
        QString text;
        QVector<float> values;
        read(rig, c.type, c.count, status, text, values);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(text, QString());
        EXPECT_EQ(values, c.values);
    }
}

TEST(ModbusAscii, ReportsEveryReadFailureWithItsStatusAndText)
{
    const std::vector<test::ExchangeCase> cases = {
        {{}, -1, "Address 001:No response from instrument at register 701H (1794)", 2},
        {{":0103", ":01"},
         -1,
         "Address 001:Too short of response from instrument at register 701H (1794)",
         2},
        {{":0103020005F4\r\n", ":0103020005F4\r\n"},
         -1,
         "Address 001:Checksum error from instrument at register 701H (1794)",
         2},
        {{":0203020005F4\r\n", ":0203020005F4\r\n"},
         -1,
         "Address 001:Incorrect Address Returned from instrument at register 701H (1794)",
         2},
        {{":0104020005F4\r\n", ":0104020005F4\r\n"},
         -1,
         "Address 001:Incorrect Modbus Code Returned from instrument at register 701H (1794)",
         2},
        {{":010302\r\n", ":010302\r\n"},
         -1,
         "Address 001:Response too short from instrument at register 701H (1794)",
         2},
        {{":0183027A\r\n"},
         2,
         "Address 001:Illegal Data Address response from instrument for register 701H (1794)",
         1},
        {{":0183007C\r\n"},
         -1,
         "Address 001:Unknown Error 0 response from instrument for register 701H (1794)",
         1},
        {{":0183G27A\r\n", ":0183G27A\r\n"},
         -1,
         "Address 001:Checksum error from instrument at register 701H (1794)",
         2},
        {{":0103020005F4\r\n", ":0103020005F5\r\n"}, 0, "", 2},
    };
    test::expectExchanges(cases, [](CommRig &rig, qint16 &status, QString &text) {
        QVector<float> values;
        read(rig, HoldingRegister, 1, status, text, values);
    });
}

// A character that is no hexadecimal digit makes the reply fail even where the classic digit
// arithmetic (code - 48, else code - 55) would let the LRC pass.
TEST(ModbusAscii, FailsRepliesWithCharactersThatAreNoHexDigits)
{
    const char *const replies[] = {
        ":0103020<00F5\r\n", // '<' counts as 5: 1280 with a good LRC
        ":010302000<F5\r\n", // the right value, by a wrong digit
        ":0103020005F5",     // no line feed yet: a time-out, not a value
        ":0103020005f5\r\n", // lower case
        ":0103020005F\r\n",  // the carriage return in place of an LRC digit
        ":010302000aF0\r\n",
    };
    for (const char *reply : replies) {
        SCOPED_TRACE(reply);
        CommRig rig;
        rig.line.queueReply(reply);
        rig.line.queueReply(reply);
        qint16 status = 0;
        QString text;
        QVector<float> values{42};
        read(rig, HoldingRegister, 1, status, text, values);
        EXPECT_EQ(status, -1);
        EXPECT_NE(text, QString());
        EXPECT_EQ(values, QVector<float>{42});
        EXPECT_EQ(rig.line.requests.size(), 2u);
    }
}

TEST(ModbusAscii, ChecksTheWriteEcho)
{
    // Echoes of writing 7 to holding register 2A0H; the good one carries LRC 50.
    const std::vector<test::ExchangeCase> cases = {
        {{":010602A0000750\r\n"}, 0, "", 1},
        {{":010602A1000750\r\n", ":010602A1000750\r\n"},
         -1,
         "Address 001:Incorrect Register Number Returned from instrument at register 2A0H (1794)",
         2},
        {{":010602A0000850\r\n", ":010602A0000850\r\n"},
         -1,
         "Address 001:Incorrect Register Count Returned from instrument at register 2A0H (1794)",
         2},
        {{":010602A0000751\r\n", ":010602A00007\r\n"},
         -1,
         "Address 001:Checksum error from instrument at register 2A0H (1794)",
         2},
        {{":01860376\r\n"},
         3,
         "Address 001:Illegal Data Value response from instrument for register 2A0H (1794). "
         "Value= 7",
         1},
    };
    test::expectExchanges(cases, [](CommRig &rig, qint16 &status, QString &text) {
        write(rig, HoldingRegister, 7, status, text);
    });
}

TEST(ModbusAscii, RefusesWhatMustNotBeSent)
{
    CommRig rig;
    qint16 status = 0;
    QString text;
    write(rig, HoldingRegister, 40000, status, text);
    EXPECT_EQ(status, -1);
    EXPECT_EQ(text, "Address 001:Invalid Modbus Write Value 40000 at Register > 2A0H (1794)");
    write(rig, InputRegister, 1, status, text);
    EXPECT_EQ(text, "Address 001:Invalid Register Type 4");
    ModbusWrite_A(rig.link, 1, 1794, text, status, 0, 0x2A0, Coil, 1, QVector<float>{1});
    EXPECT_EQ(text, "Address 000:Invalid instrument address");
    EXPECT_TRUE(rig.line.requests.empty());
}

} // namespace
} // namespace vanta::comms
