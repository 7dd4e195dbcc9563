// Scenario and fault texts: what is accepted and how mistakes are named.
#include "faults.h"
#include "frames.h"
#include "scenario.h"

#include <gtest/gtest.h>

namespace vanta::sim {
namespace {

TEST(FaultText, ParsesKindArgumentTargetAndFrequency)
{
    QString error;
    const std::optional<Fault> late = parseFault(QStringLiteral("@boiler late:400 next 2"), error);
    ASSERT_TRUE(late);
    EXPECT_EQ(late->kind, FaultKind::Late);
    EXPECT_EQ(late->argument, 400);
    EXPECT_EQ(late->remaining, 2);
    EXPECT_EQ(late->target, "boiler");
    const std::optional<Fault> rate = parseFault(QStringLiteral("badcheck rate 0.25"), error);
    ASSERT_TRUE(rate);
    EXPECT_DOUBLE_EQ(rate->rate, 0.25);
    EXPECT_EQ(rate->remaining, -1);

    const char *const bad[] = {"",
                               "@",
                               "lightning",
                               "nak",
                               "late:x",
                               "noreply rate 2",
                               "noreply next -1",
                               "noreply sometimes"};
    for (const char *text : bad) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseFault(QString::fromLatin1(text), error));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(FaultSet, StrikesOnlyItsProtocolTargetAndCount)
{
    FaultSet faults;
    QString error;
    faults.add(*parseFault(QStringLiteral("@a nak:8 next 1"), error));
    faults.add(*parseFault(QStringLiteral("exception:4"), error));
    std::mt19937 random(1);
    Reply reply{Protocol::VantaLink, 1, "0A", true, false, true};
    faults.strike(QStringLiteral("b"), Protocol::VantaLink, reply, random);
    EXPECT_EQ(reply.payload, "0A"); // another instrument; a Modbus-only fault
    faults.strike(QStringLiteral("a"), Protocol::VantaLink, reply, random);
    EXPECT_EQ(reply.payload, "N08");
    EXPECT_FALSE(reply.checked);
    Reply again{Protocol::VantaLink, 1, "0A", true, false, true};
    faults.strike(QStringLiteral("a"), Protocol::VantaLink, again, random);
    EXPECT_EQ(again.payload, "0A"); // used up
    Reply modbus{Protocol::ModbusRtu, 1, QByteArray::fromHex("030200F5"), true, false, true};
    faults.strike(QStringLiteral("a"), Protocol::ModbusRtu, modbus, random);
    EXPECT_EQ(modbus.payload.toHex(), "8304");
}

TEST(Scenario, ReadsInstrumentsWithAddressesInTheirGroupsForm)
{
    QString error;
    const std::optional<Scenario> s =
        parseScenario("[line]\nturnaround = 3\nfault = noreply next 1\n"
                      "[instrument a]\ngroup = 0\nprotocol = L\n"
                      "address = 1F\nmodel = v5\n"
                      "settings = 19200,Even,7,2\nregister 795 = 2\n"
                      "[instrument b]\naddress = 31 # decimal\n"
                      "group = 2\nprotocol = A\nmodel = XW\n"
                      "fault = badcheck\n",
                      error);
    ASSERT_TRUE(s) << error.toStdString();
    ASSERT_EQ(s->instruments.size(), 2u);
    EXPECT_EQ(s->instruments[0].address, 0x1F);
    EXPECT_EQ(s->instruments[0].model, "V5");
    EXPECT_EQ(s->instruments[0].settings.toText(), "19200,E,7,2");
    EXPECT_EQ(s->instruments[0].registers.at(795), 2);
    EXPECT_EQ(s->instruments[1].address, 31);
    EXPECT_EQ(s->turnaroundMs, 3);
    ASSERT_EQ(s->faults.size(), 2u);
    EXPECT_EQ(s->faults[1].target, "b");
}

TEST(Scenario, NamesTheLineOfAMistake)
{
    struct Case
    {
        const char *text;
        const char *error;
    };
    const Case cases[] = {
        {"[instrument a]\ngroup = 3\n", "line 2: group is 0, 1 or 2"},
        {"[instrument]\n", "line 1: an instrument needs a name: [instrument NAME]"},
        {"group = 1\n", "line 1: \"group\" outside a section"},
        {"\n[instrument a]\ngroup = 2\nprotocol = L\naddress = 1\nmodel = XW\n",
         "line 2: instrument a: group 2 does not speak protocol L"},
        {"[instrument a]\nmodel = Z9\naddress = 100\n",
         "line 1: instrument a: address 1..255 (hexadecimal in group 0)"},
        {"[instrument a]\nsettings = 9600,N,9,1\n", "line 2: settings look like 9600,N,8,1"},
        {"[instrument a]\nmodel = Z9\naddress = 1\n[instrument b]\nmodel = W4\naddress = 01\n",
         "instruments a and b would both answer the same requests (protocol, address, baud rate, "
         "stop bits)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        QString error;
        EXPECT_FALSE(parseScenario(c.text, error));
        EXPECT_EQ(error, QString::fromLatin1(c.error));
    }
}

TEST(RequestFramer, SplitsMixedProtocolsAndSkipsGarbage)
{
    RequestFramer framer;
    const QByteArray rtu = QByteArray::fromHex("01031000000180CA");
    framer.append(QByteArray::fromHex("FE") + rtu + "\x02L3200C5\x03" + ":030347000001B2\r\n");
    const Protocol expected[] = {Protocol::ModbusRtu, Protocol::VantaLink, Protocol::ModbusAscii};
    for (const Protocol protocol : expected) {
        const std::optional<RawFrame> frame = framer.next();
        ASSERT_TRUE(frame);
        EXPECT_EQ(frame->protocol, protocol);
    }
    EXPECT_FALSE(framer.next());
    // Bytes of no known function wait for the silence that ends them, then the frames behind
    // them come out.
    framer.append(QByteArray::fromHex("FF00") + rtu);
    EXPECT_FALSE(framer.next());
    const std::optional<RawFrame> behind = framer.takeAfterSilence();
    ASSERT_TRUE(behind);
    EXPECT_EQ(behind->bytes, rtu);
    // Half a frame waits for the rest; after a silence it is dropped.
    framer.append(rtu.left(5));
    EXPECT_FALSE(framer.next());
    framer.append(rtu.mid(5));
    EXPECT_EQ(framer.next()->bytes, rtu);
    framer.append("\x02L32");
    EXPECT_FALSE(framer.next());
    EXPECT_FALSE(framer.takeAfterSilence());
    EXPECT_TRUE(framer.isEmpty());
}

TEST(RequestFramer, FindsTheRequestBehindAFloodOfStartsThatNeverEnd)
{
    const struct
    {
        QByteArray start;
        QByteArray request;
    } floods[] = {
        {":", ":030347000001B2\r\n"},
        {"\x02L", "\x02L3200C5\x03"},
        {"\x02L:", ":030347000001B2\r\n"},
    };
    for (const auto &flood : floods) {
        SCOPED_TRACE(flood.start.toHex().toStdString());
        RequestFramer framer;
        framer.append(flood.start.repeated(256 * 1024 / flood.start.size()) + flood.request);
        // The flood's last bytes could begin an RTU frame of a function nobody knows: the
        // silence after the request decides.
        EXPECT_FALSE(framer.next());
        const std::optional<RawFrame> frame = framer.takeAfterSilence();
        ASSERT_TRUE(frame);
        EXPECT_EQ(frame->bytes, flood.request);
        EXPECT_TRUE(framer.isEmpty());
    }
}

} // namespace
} // namespace vanta::sim
