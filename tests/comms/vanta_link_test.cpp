// Vanta Link transactions and value fields through the scripted line.
#include "comms/vanta_link.h"

#include "comm_rig.h"
#include "comms/vanta_link_frames.h"

#include <gtest/gtest.h>

namespace vanta::comms {
namespace {

using test::CommRig;

// A reply with its checksum, ending in ACK: STX, "L01", the data from character 5 on.
QByteArray reply(const QString &data)
{
    const QString body = QStringLiteral("L01") + data;
    return (QString(QChar(STX)) + body + VantaLinkChecksum(body)).toLatin1() + ACK;
}

QByteArray request(const char *text)
{
    return QByteArray(1, STX) + text + ETX;
}

struct ReadResult
{
    qint16 status = 0;
    QString text;
    VantaLinkValue value;
};

ReadResult read(CommRig &rig, int command, int reg = 1794, int address = 1)
{
    ReadResult result;
    VantaLinkRead(rig.link, result.text, result.status, address, command, result.value, reg);
    return result;
}

TEST(VantaLink, ChecksumIsTheLowByteOfTheSum)
{
    EXPECT_EQ(VantaLinkChecksum(QStringLiteral("010A")), "D2");
    EXPECT_EQ(VantaLinkChecksum(QString()), "00");
    EXPECT_EQ(VantaLinkChecksum(QStringLiteral("\u00FF\u00FF")), "FE");
}

TEST(VantaLink, SendsRequestsByteForByte)
{
    struct Case
    {
        int command;
        float value; // NaN: a read
        bool rawHex;
        const char *body; // address, command, data
    };
    const float asRead = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {10, asRead, false, "010A"},
        {300, asRead, false, "01012C"},
        {256, -5, false,
         "010100"
         "0005FF"},
        {256, 5, false,
         "010100"
         "000500"},
        {256, 4.6f, false,
         "010100"
         "000500"},
        {256, -0.4f, false,
         "010100"
         "000000"},
        {256, 1234, true,
         "010100"
         "04D200"},
        {256, -1, true,
         "010100"
         "FFFF00"},
        {1024, 5, false, "010400"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.body);
        CommRig rig;
        qint16 status = 0;
        QString text;
        if (std::isnan(c.value)) {
            VantaLinkValue value;
            VantaLinkRead(rig.link, text, status, 1, c.command, value, 0);
        } else {
            QString replyText;
            VantaLinkWrite(rig.link, text, status, 1, c.command, c.value, 0, replyText, c.rawHex);
        }
        ASSERT_FALSE(rig.line.requests.empty());
        const QString body = QString::fromLatin1(c.body);
        EXPECT_EQ(rig.line.requests.front(),
                  QByteArray(1, STX) + 'L' + (body + VantaLinkChecksum(body)).toLatin1() + ETX);
    }
    CommRig rig;
    read(rig, 10, 0);
    EXPECT_EQ(rig.line.requests.front(), request("L010AD2"));
}

TEST(VantaLink, DecodesValueFields)
{
    struct Case
    {
        const char *field;
        float value;
        float divisor;
        QString unit;
        const char *format;
        const char *text;
    };
    const Case cases[] = {
        {"110123", -12.3f, 10, "", "#,##0.0", "-12.3"},
        {"340123", 0.123f, 1000, QStringLiteral("\u00B0C"), "#,##0.000", "0.123"},
        {"021234", 1234, 1, QStringLiteral("\u00B0F"), "#,##0", "1,234"},
        {"279999", -99.99f, 100, QStringLiteral("Er"), "#,##0.00", "-99.99"},
        {"060000", 0, 1, QStringLiteral("Er"), "#,##0", "0"},
        {"3a0001", 0.001f, 1000, QStringLiteral("\u00B0F"), "#,##0.000", "0.001"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field);
        float value = 0;
        float divisor = 0;
        QString unit = QStringLiteral("x");
        QString format;
        EXPECT_EQ(Decode(QString::fromLatin1(c.field), value, divisor, unit, format), c.text);
        EXPECT_FLOAT_EQ(value, c.value);
        EXPECT_EQ(divisor, c.divisor);
        EXPECT_EQ(unit, c.unit);
        EXPECT_EQ(format, c.format);
    }
}

TEST(VantaLink, DecodeLeavesMalformedFieldsAlone)
{
    for (const char *field : {"", "11012", "1101234", "1G0123", "11012A", "11-123", " 10123"}) {
        SCOPED_TRACE(field);
        float value = 7;
        float divisor = 7;
        QString unit = QStringLiteral("u");
        QString format = QStringLiteral("f");
        EXPECT_EQ(Decode(QString::fromLatin1(field), value, divisor, unit, format), QString());
        EXPECT_EQ(value, 7);
        EXPECT_EQ(divisor, 7);
        EXPECT_EQ(unit, "u");
        EXPECT_EQ(format, "f");
    }
}

TEST(VantaLink, DecodesReadRepliesByCommand)
{
    CommRig rig;
    rig.line.queueReply(reply(QStringLiteral("0C110123"))); // command 0: status + value
    const ReadResult pv = read(rig, 0);
    EXPECT_EQ(pv.status, 0);
    EXPECT_EQ(pv.value.DisplayText, "-12.3");
    EXPECT_FLOAT_EQ(pv.value.Value, -12.3f);
    EXPECT_EQ(pv.value.Divisor, 10);
    EXPECT_EQ(pv.value.FormatText, "#,##0.0");
    EXPECT_TRUE(pv.value.AlarmFlag1);
    EXPECT_TRUE(pv.value.AlarmFlag2);
    EXPECT_EQ(pv.value.RawValue, 0x0C11);
    EXPECT_EQ(pv.value.ReplyText, QString::fromLatin1(reply("0C110123").chopped(1)));

    struct Case
    {
        int command;
        const char *data;
        float value;
        float raw;
        const char *display; // nullptr: left as it was
    };
    const Case cases[] = {
        {5, "12345678AB", 0, 0x1234, nullptr},
        {300, "200150", 1.5f, 0x20, "1.50"},
        {800, "42", 42, 0x42, nullptr},
        {1792, "V1.23", 0, 0, "V1.23"},
        {1793, "0012345678", 1234, 0x1234, nullptr},
        {1794, "XK0102ABCD", 0, 0, "XK0102"},
        {1841, "0250ABCDEF", 250, 0x250, nullptr},
        {10, "1A", 1, 0x1A, nullptr}, // the decimal value stops at the first non-digit
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        CommRig one;
        one.line.queueReply(reply(QString::fromLatin1(c.data)));
        ReadResult result;
        result.value.DisplayText = QStringLiteral("before");
        VantaLinkRead(one.link, result.text, result.status, 1, c.command, result.value, 0);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.text, QString());
        EXPECT_FLOAT_EQ(result.value.Value, c.value);
        EXPECT_EQ(result.value.RawValue, c.raw);
        EXPECT_EQ(result.value.DisplayText, c.display ? c.display : "before");
    }
}

QByteArray nak(const char *code)
{
    return QByteArray(1, STX) + "L01N" + code + ACK;
}

TEST(VantaLink, ReportsEveryReadFailureWithItsStatusAndText)
{
    QByteArray badChecksum = reply(QStringLiteral("0C110123"));
    badChecksum[badChecksum.size() - 2] = 'X';
    const std::vector<test::ExchangeCase> cases = {
        {{}, -1, "Address 01:No response from instrument for register 1794 (00)", 2},
        {{"\x02L01", "\x02L"},
         -1,
         "Address 01:Response but no <ACK> received for register 1794 (00)",
         2},
        {{nak("06")}, 6, "Address 01:Undefined command from instrument for register 1794 (00)", 1},
        {{"\x02L0\x06", "\x06"},
         -1,
         "Address 01:Length of received data from instrument is too short for register 1794 (00)",
         2},
        {{badChecksum, badChecksum},
         -1,
         "Address 01:Check-sum error on received data from instrument for register 1794 (00)",
         2},
        {{reply("0C11"), reply("0C11")},
         -1,
         "Address 01:Returned message too short for reading for register 1794 (00)",
         2},
        {{reply("0C11O123"), reply("0C11012 ")}, // a good checksum over a bad number
         -1,
         "Address 01:Check-sum error on received data from instrument for register 1794 (00)",
         2},
        {{badChecksum, reply("0C110123")}, 0, "", 2},
    };
    test::expectExchanges(cases, [](CommRig &rig, qint16 &status, QString &text) {
        VantaLinkValue value;
        value.Value = 42;
        VantaLinkRead(rig.link, text, status, 1, 0, value, 1794);
        EXPECT_EQ(value.Value, status == 0 ? -12.3f : 42.0f); // failures keep the old value
    });
}

TEST(VantaLink, MapsNegativeAcknowledgements)
{
    struct Case
    {
        const char *code;
        qint16 status;
        const char *words;
    };
    const Case cases[] = {
        {"01", 2, ":Illegal Data Address response from instrument"},
        {"02", 1, ":Check-sum error on received data from Host from instrument"},
        {"03", 3, ":Illegal Data Value response from instrument"},
        {"04", 4, ":Illegal ASCII characters received in command from instrument"},
        {"05", 5, ":Data field error from instrument"},
        {"06", 6, ":Undefined command from instrument"},
        {"07", 7, ":Unknown or unused error code:  7 from instrument"},
        {"08", 8, ":Hardware fault. Return to factory for service from instrument"},
        {"09", 9, ":Hardware fault. Return to factory for service from instrument"},
        {"10", 2, ":Undefined command from instrument"},
        {"42", 42, ":Unknown or unused error code:  42 from instrument"},
        {"00", -1, ":Unknown or unused error code:  0 from instrument"}, // never success
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        CommRig rig;
        rig.line.queueReply(nak(c.code));
        const ReadResult result = read(rig, 10, 0);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.text, QStringLiteral("Address 01") + c.words + " for command 0A");
        EXPECT_EQ(rig.line.requests.size(), 1u);
    }
}

TEST(VantaLink, RefusesCommandsThatMustNotBeSent)
{
    struct Case
    {
        int command;
        int address;
        const char *text;
    };
    const Case cases[] = {
        {-1, 1, "Address 01:Invalid Vanta Link Read Register > -1 (FFFF)"},
        {512, 1,
         "Address 01:Invalid Vanta Link Read Register (It is a write command.) > 512 (0200)"},
        {1177, 1,
         "Address 01:Invalid Vanta Link Read Register (It is a write command.) > 1177 (0499)"},
        {10, 0, "Address 00:Invalid instrument address"},
        {10, 0x1FF, "Address 1FF:Invalid instrument address"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        CommRig rig;
        const ReadResult result = read(rig, c.command, 1794, c.address);
        EXPECT_EQ(result.status, -1);
        EXPECT_EQ(result.text, c.text);
        EXPECT_TRUE(rig.line.requests.empty());
    }
}

TEST(VantaLink, DemoModeAnswersWithoutTheLine)
{
    CommRig rig;
    rig.app.setDemoMode(true);
    ReadResult result;
    result.status = 7;
    result.value.Value = 42;
    VantaLinkRead(rig.link, result.text, result.status, 0, 512, result.value, 0);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.text, QString());
    EXPECT_EQ(result.value.Value, 42);
    QString replyText = QStringLiteral("old");
    VantaLinkWrite(rig.link, result.text, result.status, 1, 256, 1e6f, 0, replyText, false);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(replyText, QString());
    EXPECT_TRUE(rig.line.requests.empty());
}

TEST(VantaLink, WritesAndChecksTheAcknowledgement)
{
    struct Case
    {
        float value;
        bool rawHex;
        QByteArray reply;
        qint16 status;
        const char *text;
        size_t requests;
    };
    const Case cases[] = {
        {5, false, reply("0005"), 0, "", 1},
        {10000,
         false,
         {},
         3,
         "Address 01:Invalid Vanta Link Write Data Value for Register > 256 (0100). Value= 10000",
         0},
        {-9999.6f,
         false,
         {},
         3,
         "Address 01:Invalid Vanta Link Write Data Value for Register > 256 (0100). Value= "
         "-9999.6",
         0},
        {32677,
         true,
         {},
         3,
         "Address 01:Invalid Vanta Link Write Data Value for Register > 256 (0100). Value= 32677",
         0},
        {-32768, true, reply("00"), 0, "", 1},
        {5, false, nak("03"), 3,
         "Address 01:Illegal Data Value response from instrument for register 1794 (0100). "
         "Value= 5",
         1},
        {5, false, "\x02L\x06", -1,
         "Address 01:Length of received data from instrument is too short for register 1794 "
         "(0100)",
         2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        CommRig rig;
        rig.line.queueReply(c.reply);
        rig.line.queueReply(c.reply);
        qint16 status = 0;
        QString text;
        QString replyText = QStringLiteral("old");
        VantaLinkWrite(rig.link, text, status, 1, 256, c.value, 1794, replyText, c.rawHex);
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(text, QString::fromLatin1(c.text));
        EXPECT_EQ(rig.line.requests.size(), c.requests);
        EXPECT_EQ(replyText, c.requests ? QString::fromLatin1(c.reply.chopped(1)) : QString());
    }
}

TEST(VantaLink, PacesReadsOfOneAddress)
{
    CommRig rig;
    rig.app.PacingEnabled = true;
    std::vector<QDateTime> sent;
    rig.line.responder = [&](const QByteArray &) {
        sent.push_back(rig.clock.localNow());
        return reply(QStringLiteral("0C110123"));
    };
    read(rig, 10, 0, 1);
    read(rig, 10, 0, 1); // same address: waits
    read(rig, 10, 0, 2); // another address: at once
    read(rig, 10, 0, 1);
    read(rig, 0, 0, 1); // the status command is never held back
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_GE(sent[0].msecsTo(sent[1]), 100);
    EXPECT_EQ(sent[1].msecsTo(sent[2]), 0);
    EXPECT_EQ(sent[2].msecsTo(sent[3]), 0);
    EXPECT_EQ(sent[3].msecsTo(sent[4]), 0);

    rig.app.PacingEnabled = false;
    read(rig, 10, 0, 1);
    EXPECT_EQ(sent[4].msecsTo(sent[5]), 0);
}

} // namespace
} // namespace vanta::comms
