// The shared request/reply skeleton: attempts, time-outs, flushing, tracing and refusals.
#include "comms/transaction.h"

#include "comm_rig.h"
#include "comms/modbus_ascii.h"
#include "comms/modbus_rtu.h"
#include "comms/vanta_link.h"
#include "core/app_error.h"

#include <gtest/gtest.h>

namespace vanta::comms {
namespace {

using test::CommRig;

// Replies are three bytes: "abc" is good, "E.." an instrument error, anything else bad.
Exchange threeByteExchange()
{
    Exchange exchange;
    exchange.request = "req";
    exchange.onByte = [](const QByteArray &received) {
        if (received.size() < 3)
            return ReplyCheck::incomplete();
        if (received.startsWith('E'))
            return ReplyCheck::instrumentError(5, QStringLiteral("instrument error"));
        return received == "abc" ? ReplyCheck::good() : ReplyCheck::retry(QStringLiteral("bad"));
    };
    exchange.noResponseText = [] { return QStringLiteral("silence"); };
    exchange.tooShortText = [] { return QStringLiteral("short"); };
    exchange.addressPrefix = [] { return QStringLiteral("Address 001"); };
    exchange.routine = QStringLiteral("modVanta.Test");
    return exchange;
}

struct Case
{
    const char *name;
    std::vector<std::pair<QByteArray, double>> replies; // bytes and delay per request
    qint16 status;
    const char *text;
    size_t requests;
};

TEST(Transaction, TriesTwiceAndEndsAtOnceOnInstrumentErrors)
{
    const Case cases[] = {
        {"good", {{"abc", 0}}, 0, "", 1},
        {"good after a wait", {{"abc", 0.4}}, 0, "", 1},
        {"silence", {}, -1, "silence", 2},
        {"bad then good", {{"xyz", 0}, {"abc", 0}}, 0, "", 2},
        {"bad twice", {{"xyz", 0}, {"xyz", 0}}, -1, "bad", 2},
        {"short then silence", {{"ab", 0}}, -1, "silence", 2},
        {"silence then short", {{"", 0}, {"ab", 0}}, -1, "short", 2},
        {"instrument error", {{"Exx", 0}}, 5, "instrument error", 1},
        // A reply later than the time-out misses its attempt and is flushed before the next.
        {"late", {{"abc", 0.6}, {"abc", 0}}, 0, "", 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CommRig rig;
        for (const auto &[bytes, delay] : c.replies)
            rig.line.queueReply(bytes, delay);
        const TransactionResult result = runTransaction(rig.link, threeByteExchange());
        EXPECT_EQ(result.Status, c.status);
        EXPECT_EQ(result.ResultText, QString::fromLatin1(c.text));
        EXPECT_EQ(rig.line.requests.size(), c.requests);
    }
}

TEST(Transaction, TimesOutAfterPollTimeoutSleepingOnTheLine)
{
    CommRig rig;
    rig.app.Config.PollTimeout = 250;
    const QDateTime start = rig.clock.localNow();
    const TransactionResult result = runTransaction(rig.link, threeByteExchange());
    EXPECT_EQ(result.ResultText, "silence");
    const qint64 waited = start.msecsTo(rig.clock.localNow());
    EXPECT_GT(waited, 500);
    EXPECT_LE(waited, 520);
    // Each attempt sleeps on the line; it does not poll in a loop.
    EXPECT_LE(rig.line.waits, 6);
}

TEST(Transaction, FlushesStaleBytesBeforeSending)
{
    CommRig rig;
    rig.line.queueInput("zz");
    rig.line.queueReply("abc");
    EXPECT_EQ(runTransaction(rig.link, threeByteExchange()).Status, 0);
}

TEST(Transaction, TracesEachFrameWithItsTargetAttemptAndOutcome)
{
    using D = TraceDirection;
    constexpr Protocol A = Protocol::ModbusAscii;
    const struct
    {
        std::vector<QByteArray> replies;
        std::vector<TraceEvent> traced;
    } cases[] = {
        {{"xyz", ""},
         {{D::Sent, "req", A, 7, 1, 0, {}},
          {D::Received, "xyz", A, 7, 1, -1, "bad"},
          {D::Sent, "req", A, 7, 2, 0, {}},
          {D::Received, "", A, 7, 2, -1, "silence"}}},
        {{"Exy"},
         {{D::Sent, "req", A, 7, 1, 0, {}}, {D::Received, "Exy", A, 7, 1, 5, "instrument error"}}},
        {{"", "abc"},
         {{D::Sent, "req", A, 7, 1, 0, {}},
          {D::Received, "", A, 7, 1, -1, "silence"},
          {D::Sent, "req", A, 7, 2, 0, {}},
          {D::Received, "abc", A, 7, 2, 0, {}}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.replies.front().toStdString());
        CommRig rig;
        for (const QByteArray &reply : c.replies)
            rig.line.queueReply(reply);
        Exchange exchange = threeByteExchange();
        exchange.protocol = A;
        exchange.address = 7;
        const TransactionResult result = runTransaction(rig.link, exchange);
        EXPECT_EQ(rig.traced, c.traced);
        EXPECT_EQ(rig.traced.back().status, result.Status);
    }
}

TEST(Transaction, EnginesNameTheirProtocolAndAddressInTheTrace)
{
    const struct
    {
        Protocol protocol;
        std::function<void(CommLink &, QString &, qint16 &)> read;
    } cases[] = {
        {Protocol::ModbusRtu,
         [](CommLink &link, QString &text, qint16 &status) {
             QVector<float> values;
             ModbusRead_R(link, 1, 0, text, status, 9, 0x10, HoldingRegister, 1, values);
         }},
        {Protocol::ModbusAscii,
         [](CommLink &link, QString &text, qint16 &status) {
             QVector<float> values;
             ModbusRead_A(link, 1, 0, text, status, 9, 0x10, HoldingRegister, 1, values);
         }},
        {Protocol::VantaLink,
         [](CommLink &link, QString &text, qint16 &status) {
             VantaLinkValue value;
             VantaLinkRead(link, text, status, 9, 0, value, 0);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(protocolCode(c.protocol).toStdString());
        CommRig rig; // nobody answers: two attempts
        QString text;
        qint16 status = 0;
        c.read(rig.link, text, status);
        ASSERT_EQ(rig.traced.size(), 4u);
        for (const TraceEvent &event : rig.traced) {
            EXPECT_EQ(event.protocol, c.protocol);
            EXPECT_EQ(event.address, 9);
        }
        EXPECT_EQ(rig.traced.back().text, text);
    }
}

// A line that never stops sending noise, a byte per millisecond.
class BabblingLine : public test::ScriptedLine
{
public:
    using ScriptedLine::ScriptedLine;
    test::SettableClock *clock = nullptr;
    int inBufferCount() override { return 1; }
    QByteArray input(int maxCount) override
    {
        clock->advance(0.001);
        return maxCount == 0 ? QByteArray() : QByteArray("x");
    }
};

TEST(Transaction, ALineThatNeverStopsTalkingStillTimesOut)
{
    CommRig rig;
    BabblingLine babbler(rig.clock);
    babbler.clock = &rig.clock;
    babbler.setPortOpen(true);
    CommLink link(rig.app, babbler, rig.clock, rig.ui);
    Exchange exchange = threeByteExchange();
    exchange.onByte = [](const QByteArray &) { return ReplyCheck::incomplete(); };
    const TransactionResult result = runTransaction(link, exchange);
    EXPECT_EQ(result.Status, -1);
    EXPECT_EQ(result.ResultText, "short");
}

TEST(Transaction, APortFailureIsReportedAndNeverReadsAsSuccess)
{
    CommRig rig;
    rig.line.outputError = 8021;
    const TransactionResult result = runTransaction(rig.link, threeByteExchange());
    EXPECT_EQ(result.Status, -1);
    EXPECT_EQ(result.ResultText, "Address 001:Scripted output failure");
    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_EQ(rig.ui.boxes.front().title, "Application Error");
    EXPECT_TRUE(rig.ui.boxes.front().text.contains("Routine - modVanta.Test"));
}

} // namespace
} // namespace vanta::comms
