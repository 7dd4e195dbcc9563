// The instrument side answers the delivered data plan's example frames byte for byte.
#include "checksums.h"
#include "frames.h"
#include "simulated_line.h"

#include <gtest/gtest.h>

namespace vanta::sim {
namespace {

const QByteArray ExampleLine = R"(
[instrument v5]
group = 0
protocol = L
address = 32
model = V5
units = C
decimals = 1
pv = 24.5
sp = 75.0
noise = 0
remote = no
register 799 = 2
[instrument hm]
group = 0
protocol = R
address = 0A
model = HM
[instrument xk]
group = 1
protocol = R
address = 1
model = XK
pv = 24.5
noise = 0
[instrument xka]
group = 1
protocol = A
address = 1
model = XK
register 786 = 1
[instrument xw]
group = 2
protocol = A
address = 3
model = XW
pv = 24.5
noise = 0
)";

struct Exchange
{
    const char *request; // <STX>, <ETX>, <ACK> written as \x02, \x03, \x06; RTU in hex
    const char *reply;
    bool binary;
};

const Exchange Examples[] = {
    {"\x02L3200C5\x03", "\x02L32091402454A\x06", false},
    {"\x02L3205CA\x03", "\x02L320914000005A4\x06", false},
    {"\x02L32010127\x03", "\x02L32140750E2\x06", false},
    {"\x02L32031F3F\x03", "\x02L320213\x06", false},
    {"\x02L3207302F\x03", "\x02L325635000000A4\x06", false},
    {"\x02L3207022E\x03", "\x02L3205120300009C\x06", false},
    {"\x02L3207002C\x03", "\x02L3207.01A7\x06", false},
    {"\x02L32020208000051\x03", "\x02L32020275\x06", false},
    {"\x02L3202070125FF82\x03", "\x02L3202077A\x06", false},
    {"\x02L32031800110053\x03", "\x02L3203187D\x06", false},
    {"\x02L32044633\x03", "\x02L3204467F\x06", false},
    {"\x02L3200C6\x03", "\x02L32N02\x06", false},   // host checksum wrong
    {"\x02L32099940\x03", "\x02L32N06\x06", false}, // no such command
};

const Exchange ModbusExamples[] = {
    {"01031000000180CA", "01030200F57803", true},
    {"01670012000155C7", "016702000166B4", true},
    {":010208140001E0\r\n", ":01020101FB\r\n", false},
    {":010610010320C5\r\n", ":010610010320C5\r\n", false},
    {":030347000001B2\r\n", ":03030200F503\r\n", false},
    {"0A0307010001D5C5", "0A0302484DEBB0", true},
    {"0A100409000102000151F9", "0A1004090001D180", true},
    {"0A0307FF0001", "", true}, // bad CRC: no reply
};

QByteArray bytesOf(const char *text, bool binary)
{
    return binary ? QByteArray::fromHex(QByteArray(text).replace(' ', "")) : QByteArray(text);
}

class ExampleRig
{
public:
    ExampleRig()
    {
        QStringList problems;
        data = DataSet::load(QStringLiteral(VANTA_DATA_DIR), problems);
        EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
        QString error;
        const std::optional<Scenario> scenario = parseScenario(ExampleLine, error);
        EXPECT_TRUE(scenario) << error.toStdString();
        line = SimulatedLine::create(*scenario, *data, error);
        EXPECT_TRUE(line) << error.toStdString();
    }
    QByteArray exchange(const QByteArray &request)
    {
        RequestFramer framer;
        framer.append(request);
        std::optional<RawFrame> frame = framer.next();
        if (!frame)
            frame = framer.takeAfterSilence();
        if (!frame)
            return {};
        const std::optional<Answer> answer = line->answer(*frame, {LineSettings{}, false});
        return answer ? answer->bytes : QByteArray();
    }

    std::unique_ptr<DataSet> data;
    std::unique_ptr<SimulatedLine> line;
};

TEST(InstrumentFrames, AnswerTheDataPlanExamplesByteForByte)
{
    ExampleRig rig;
    ASSERT_TRUE(rig.line);
    for (const Exchange &e : Examples) {
        SCOPED_TRACE(QByteArray(e.request).toHex().toStdString());
        EXPECT_EQ(rig.exchange(e.request), QByteArray(e.reply));
    }
    for (const Exchange &e : ModbusExamples) {
        SCOPED_TRACE(e.request);
        EXPECT_EQ(rig.exchange(bytesOf(e.request, e.binary)).toHex(),
                  bytesOf(e.reply, e.binary).toHex());
    }
}

TEST(InstrumentFrames, RefuseWhatTheModelLacksOrTheRangeForbids)
{
    ExampleRig rig;
    ASSERT_TRUE(rig.line);
    // HM has no wire register 1FFFH; the model id is read-only; setpoint 1 starts at -1999;
    // function 2BH does not exist.
    const Exchange cases[] = {
        {"0A03 1FFF 0001", "0A8302", true},
        {"0A10 0701 0001 02 0001", "0A9002", true},
        {"0A10 0101 0001 02 F000", "0A9003", true},
        {"0A2B 0000 0001", "0AAB01", true},
    };
    for (const Exchange &c : cases) {
        SCOPED_TRACE(c.request);
        QByteArray request = bytesOf(c.request, true);
        appendCrc(request);
        EXPECT_EQ(rig.exchange(request).left(3).toHex(), bytesOf(c.reply, true).toHex());
    }
}

} // namespace
} // namespace vanta::sim
