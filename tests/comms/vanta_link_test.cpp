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

// A negative acknowledgement with a two-digit error code.
QByteArray nak(const char *code)
{
    return QByteArray(1, STX) + "L01N" + code + ACK;
}

qint16 read(CommRig &rig, int command, VantaLinkValue &value, int reg = 1794, int address = 1)
{
    qint16 status = 0;
    QString text;
    VantaLinkRead(rig.link, text, status, address, command, value, reg);
    return status;
}

qint16 write(CommRig &rig, int command, float value, bool rawHex, QString &text)
{
    qint16 status = 0;
    QString replyText;
    VantaLinkWrite(rig.link, text, status, 1, command, value, 1794, replyText, rawHex);
    return status;
}

TEST(VantaLink, SendsRequestsByteForByte)
{
    CommRig rig;
    VantaLinkValue value;
    QString text;
    read(rig, 10, value);
    EXPECT_EQ(rig.line.requests.front(), QByteArray("\x02L010AD2\x03"));

    // Address, command and data of each request; each goes out twice as nobody answers.
    read(rig, 300, value);
    write(rig, 256, -5, false, text);
    write(rig, 256, 5, false, text);
    write(rig, 256, 4.6f, false, text); // rounded
    write(rig, 256, -0.4f, false, text);
    write(rig, 256, 1234, true, text);
    write(rig, 256, -1, true, text);
    write(rig, 1024, 5, false, text); // no data from 1024 on
    const char *const bodies[] = {"010A",         "01012C",       "0101000005FF",
                                  "010100000500", "010100000500", "010100000000",
                                  "01010004D200", "010100FFFF00", "010400"};
    ASSERT_EQ(rig.line.requests.size(), 2 * std::size(bodies));
    for (size_t i = 0; i < std::size(bodies); ++i) {
        const QString body = QString::fromLatin1(bodies[i]);
        EXPECT_EQ(rig.line.requests[2 * i],
                  QByteArray(1, STX) + 'L' + (body + VantaLinkChecksum(body)).toLatin1() + ETX);
    }
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
    for (const char *field : {"11012", "1G0123", "11012A", " 10123"}) {
        SCOPED_TRACE(field);
        float value = 7;
        float divisor = 7;
        QString unit = QStringLiteral("u");
        QString format;
        EXPECT_EQ(Decode(QString::fromLatin1(field), value, divisor, unit, format), QString());
        EXPECT_EQ(value + divisor, 14); // a malformed field changes nothing
        EXPECT_EQ(unit, "u");
    }
}

TEST(VantaLink, DecodesReadRepliesByCommand)
{
    CommRig rig;
    rig.line.queueReply(reply(QStringLiteral("0C110123"))); // status byte, then a value field
    VantaLinkValue pv;
    EXPECT_EQ(read(rig, 0, pv), 0);
    EXPECT_EQ(pv.ValueText, "-12.3");
    EXPECT_FLOAT_EQ(pv.Value, -12.3f);
    EXPECT_EQ(pv.FormatText, "#,##0.0");
    EXPECT_TRUE(pv.AlarmFlag1 && pv.AlarmFlag2);
    EXPECT_EQ(pv.RawValue, 0x0C11);
    EXPECT_EQ(pv.ReplyText, QString::fromLatin1(reply("0C110123").chopped(1)));

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
        VantaLinkValue value;
        value.ValueText = QStringLiteral("before");
        EXPECT_EQ(read(one, c.command, value, 0), 0);
        EXPECT_FLOAT_EQ(value.Value, c.value);
        EXPECT_EQ(value.RawValue, c.raw);
        EXPECT_EQ(value.ValueText, c.display ? c.display : "before");
    }
}

TEST(VantaLink, ReportsEveryReadFailureWithItsStatusAndText)
{
    QByteArray badChecksum = reply(QStringLiteral("0C110123"));
    badChecksum[badChecksum.size() - 2] = 'X';
    const std::vector<test::ExchangeCase> cases = {
        {{}, -1, ":No response from instrument", 2},
        {{"\x02L01"}, -1, ":Response but no <ACK> received", 2},
        {{nak("06")}, 6, ":Undefined command from instrument", 1},
        {{"\x02L0\x06"}, -1, ":Length of received data from instrument is too short", 2},
        {{badChecksum}, -1, ":Check-sum error on received data from instrument", 2},
        {{reply("0C11")}, -1, ":Returned message too short for reading", 2},
        // A good checksum over a number that is no number.
        {{reply("0C11O123")}, -1, ":Check-sum error on received data from instrument", 2},
        {{badChecksum, reply("0C110123")}, 0, "", 2},
    };
    const auto exchange = [](CommRig &rig, qint16 &status, QString &text) {
        VantaLinkValue value;
        value.Value = 42;
        VantaLinkRead(rig.link, text, status, 1, 0, value, 1794);
        EXPECT_EQ(value.Value, status == 0 ? -12.3f : 42.0f); // failures keep the old value
    };
    test::expectExchanges(cases, exchange, QStringLiteral("Address 01"),
                          QStringLiteral(" for register 1794 (00)"));
}

TEST(VantaLink, MapsNegativeAcknowledgements)
{
    const std::tuple<const char *, qint16, const char *> cases[] = {
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
    for (const auto &[code, status, words] : cases) {
        SCOPED_TRACE(code);
        CommRig rig;
        rig.line.queueReply(nak(code));
        QString text;
        VantaLinkValue value;
        qint16 result = 0;
        VantaLinkRead(rig.link, text, result, 1, 10, value, 0);
        EXPECT_EQ(result, status);
        EXPECT_EQ(text, QStringLiteral("Address 01") + words + " for command 0A");
        EXPECT_EQ(rig.line.requests.size(), 1u);
    }
}

TEST(VantaLink, RefusesWhatMustNotBeSent)
{
    const std::tuple<int, int, const char *> reads[] = {
        {-1, 1, "Address 01:Invalid Vanta Link Read Register > -1 (FFFF)"},
        {512, 1,
         "Address 01:Invalid Vanta Link Read Register (It is a write command.) > 512 (0200)"},
        {1177, 1,
         "Address 01:Invalid Vanta Link Read Register (It is a write command.) > 1177 (0499)"},
        {10, 0, "Address 00:Invalid instrument address"},
        {10, 0x1FF, "Address 1FF:Invalid instrument address"},
    };
    for (const auto &[command, address, expected] : reads) {
        SCOPED_TRACE(expected);
        CommRig rig;
        QString text;
        qint16 status = 0;
        VantaLinkValue value;
        VantaLinkRead(rig.link, text, status, address, command, value, 1794);
        EXPECT_EQ(status, -1);
        EXPECT_EQ(text, expected);
        EXPECT_TRUE(rig.line.requests.empty());
    }
    const std::tuple<float, bool, const char *> writes[] = {
        {10000, false, "10000"}, {-9999.6f, false, "-9999.6"}, {32677, true, "32677"}};
    for (const auto &[value, rawHex, shown] : writes) {
        SCOPED_TRACE(shown);
        CommRig rig;
        QString text;
        EXPECT_EQ(write(rig, 256, value, rawHex, text), 3);
        EXPECT_EQ(text, QStringLiteral("Address 01:Invalid Vanta Link Write Data Value for "
                                       "Register > 256 (0100). Value= ") +
                            shown);
        EXPECT_TRUE(rig.line.requests.empty());
    }
}

TEST(VantaLink, WritesAndChecksTheAcknowledgement)
{
    const QString label = QStringLiteral(" for register 1794 (0100)");
    const std::vector<test::ExchangeCase> cases = {
        {{reply("0005")}, 0, "", 1},
        {{"\x02L\x06"}, -1, ":Length of received data from instrument is too short", 2},
    };
    const auto exchange = [](CommRig &rig, qint16 &status, QString &text) {
        status = write(rig, 256, 5, false, text);
    };
    test::expectExchanges(cases, exchange, QStringLiteral("Address 01"), label);
    const std::vector<test::ExchangeCase> refused = {
        {{nak("03")}, 3, ":Illegal Data Value response from instrument", 1}};
    test::expectExchanges(refused, exchange, QStringLiteral("Address 01"), label + ". Value= 5");
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
    VantaLinkValue value;
    read(rig, 10, value, 0, 1);
    read(rig, 10, value, 0, 1); // same address: waits
    read(rig, 10, value, 0, 2); // another address: at once
    read(rig, 10, value, 0, 1);
    read(rig, 0, value, 0, 1); // the status command is never held back
    rig.app.PacingEnabled = false;
    read(rig, 10, value, 0, 1);
    ASSERT_EQ(sent.size(), 6u);
    EXPECT_GE(sent[0].msecsTo(sent[1]), 100);
    for (size_t i = 2; i < sent.size(); ++i)
        EXPECT_EQ(sent[i - 1].msecsTo(sent[i]), 0);
}

} // namespace
} // namespace vanta::comms
