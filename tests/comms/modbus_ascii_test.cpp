// Modbus ASCII transactions through the scripted line.
#include "comms/modbus_ascii.h"

#include "comm_rig.h"

#include <gtest/gtest.h>

namespace vanta::comms {
namespace {

using test::CommRig;

// Holding register 701H, the program's register 1794, at address 1.
const QString Prefix = QStringLiteral("Address 001");
const QString Label = QStringLiteral(" 701H (1794)");

qint16 read(CommRig &rig, int type, int count, QString &text, QVector<float> &values)
{
    qint16 status = 0;
    ModbusRead_A(rig.link, 1, 1794, text, status, 1, 0x701, type, count, values);
    return status;
}

qint16 write(CommRig &rig, int type, float value, QString &text)
{
    qint16 status = 0;
    ModbusWrite_A(rig.link, 1, 1794, text, status, 1, 0x701, type, 1, QVector<float>{value});
    return status;
}

TEST(ModbusAscii, SendsRequestsByteForByte)
{
    CommRig rig;
    QString text;
    QVector<float> values;
    read(rig, HoldingRegister, 1, text, values);
    write(rig, Coil, 1, text);
    write(rig, Coil, -4, text); // any value but 0 switches a coil on
    write(rig, Coil, 0, text);
    write(rig, HoldingRegister, -1, text);
    const std::vector<QByteArray> expected = {
        ":010307010001F3\r\n", ":010307010001F3\r\n", ":01050701FF00F3\r\n", ":01050701FF00F3\r\n",
        ":01050701FF00F3\r\n", ":01050701FF00F3\r\n", ":010507010000F2\r\n", ":010507010000F2\r\n",
        ":01060701FFFFF3\r\n", ":01060701FFFFF3\r\n"};
    EXPECT_EQ(rig.line.requests, expected); // each sent twice: nobody answers
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
        QString text;
        QVector<float> values;
        EXPECT_EQ(read(rig, c.type, c.count, text, values), 0);
        EXPECT_EQ(values, c.values);
    }
}

TEST(ModbusAscii, ReportsEveryReadFailureWithItsStatusAndText)
{
    const std::vector<test::ExchangeCase> cases = {
        {{}, -1, ":No response from instrument at register", 2},
        {{":0103"}, -1, ":Too short of response from instrument at register", 2},
        {{":0103020005F4\r\n"}, -1, ":Checksum error from instrument at register", 2},
        {{":0203020005F4\r\n"}, -1, ":Incorrect Address Returned from instrument at register", 2},
        {{":0104020005F4\r\n"},
         -1,
         ":Incorrect Modbus Code Returned from instrument at register",
         2},
        {{":010302\r\n"}, -1, ":Response too short from instrument at register", 2},
        {{":0183027A\r\n"}, 2, ":Illegal Data Address response from instrument for register", 1},
        {{":0183007C\r\n"}, -1, ":Unknown Error 0 response from instrument for register", 1},
        {{":0183G27A\r\n"}, -1, ":Checksum error from instrument at register", 2},
        {{":0103020005F4\r\n", ":0103020005F5\r\n"}, 0, "", 2},
    };
    const auto exchange = [](CommRig &rig, qint16 &status, QString &text) {
        QVector<float> values;
        status = read(rig, HoldingRegister, 1, text, values);
    };
    test::expectExchanges(cases, exchange, Prefix, Label);
}

// A character that is no hexadecimal digit fails the reply even where the classic digit
// arithmetic (code - 48, else code - 55) would let the LRC pass.
TEST(ModbusAscii, FailsRepliesWithCharactersThatAreNoHexDigits)
{
    const char *const replies[] = {
        ":0103020<00F5\r\n", // '<' counts as 5: 1280 with a good LRC
        ":010302000<F5\r\n", // the right value, by a wrong digit
        ":0103020005f5\r\n", // lower case
        ":0103020005F\r\n",  // the carriage return in place of an LRC digit
    };
    for (const char *reply : replies) {
        SCOPED_TRACE(reply);
        CommRig rig;
        rig.line.responder = [reply](const QByteArray &) { return QByteArray(reply); };
        QString text;
        QVector<float> values{42};
        EXPECT_EQ(read(rig, HoldingRegister, 1, text, values), -1);
        EXPECT_EQ(text, Prefix + ":Checksum error from instrument at register" + Label);
        EXPECT_EQ(values, QVector<float>{42});
        EXPECT_EQ(rig.line.requests.size(), 2u);
    }
}

TEST(ModbusAscii, ChecksTheWriteEcho)
{
    // Echoes of writing 7 to holding register 701H; the good one carries LRC EA.
    const std::vector<test::ExchangeCase> cases = {
        {{":010607010007EA\r\n"}, 0, "", 1},
        {{":010607020007EA\r\n"},
         -1,
         ":Incorrect Register Number Returned from instrument at register",
         2},
        {{":010607010008EA\r\n"},
         -1,
         ":Incorrect Register Count Returned from instrument at register",
         2},
        {{":010607010007EB\r\n"}, -1, ":Checksum error from instrument at register", 2},
    };
    const auto exchange = [](CommRig &rig, qint16 &status, QString &text) {
        status = write(rig, HoldingRegister, 7, text);
    };
    test::expectExchanges(cases, exchange, Prefix, Label);
    const std::vector<test::ExchangeCase> refused = {
        {{":01860376\r\n"}, 3, ":Illegal Data Value response from instrument for register", 1}};
    test::expectExchanges(refused, exchange, Prefix, Label + ". Value= 7");
}

} // namespace
} // namespace vanta::comms
