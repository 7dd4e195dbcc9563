// The shared request/reply skeleton: attempts, time-outs, flushing, tracing and refusals.
#include "comms/transaction.h"

#include "comm_rig.h"
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

TEST(Transaction, TracesEachRequestAndEachAttemptsBytes)
{
    CommRig rig;
    rig.line.queueReply("xyz");
    rig.line.queueReply("");
    runTransaction(rig.link, threeByteExchange());
    using D = TraceDirection;
    const std::vector<std::pair<D, QByteArray>> expected = {
        {D::Sent, "req"}, {D::Received, "xyz"}, {D::Sent, "req"}, {D::Received, ""}};
    EXPECT_EQ(rig.traced, expected);
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
