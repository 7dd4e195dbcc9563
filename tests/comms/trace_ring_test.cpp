// The trace ring keeps the newest frames in order, stamps and numbers them, pairs replies with
// their requests and turns a record into the trace's columns.
#include "comms/trace_ring.h"

#include "support/settable_clock.h"

#include <gtest/gtest.h>

namespace vanta::comms {
namespace {

TraceEvent sent(const QByteArray &bytes, int attempt = 1)
{
    return {TraceDirection::Sent, bytes, Protocol::ModbusRtu, 1, attempt, 0, QString()};
}

TraceEvent received(const QByteArray &bytes, qint16 status = 0, const QString &text = {})
{
    return {TraceDirection::Received, bytes, Protocol::ModbusRtu, 1, 1, status, text};
}

TEST(TraceRing, KeepsTheNewestFramesInOrderWithGapsAndRequests)
{
    test::SettableClock clock;
    TraceRing ring(clock, 3);
    const FrameTrace hook = ring.hook();
    for (int i = 1; i <= 5; ++i) {
        hook(i % 2 ? sent(QByteArray(1, char(i))) : received(QByteArray(1, char(i))));
        clock.advance(0.025 * i);
    }
    ASSERT_EQ(ring.size(), 3);
    EXPECT_EQ(ring.newestSequence(), 5u);
    struct Expected
    {
        quint64 sequence;
        qint64 gapMs;
        char request;
    };
    const Expected expected[] = {{3, 50, 0}, {4, 75, 3}, {5, 100, 0}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ring.at(i).sequence, expected[i].sequence);
        EXPECT_EQ(ring.at(i).gapMs, expected[i].gapMs);
        EXPECT_EQ(ring.at(i).request,
                  expected[i].request ? QByteArray(1, expected[i].request) : QByteArray());
    }
    // Where a reader that has seen up to a sequence number goes on.
    const std::pair<quint64, int> after[] = {{0, 0}, {2, 0}, {3, 1}, {4, 2}, {5, 3}, {9, 3}};
    for (const auto &[sequence, index] : after)
        EXPECT_EQ(ring.indexAfter(sequence), index) << sequence;

    ring.clear();
    EXPECT_EQ(ring.size(), 0);
    hook(sent("x"));
    EXPECT_EQ(ring.newest().sequence, 6u);
    EXPECT_EQ(ring.indexAfter(5), 0);
}

TEST(TraceRing, MakesTheColumnsOfATraceLine)
{
    test::SettableClock clock;
    TraceRing ring(clock);
    ring.record(sent(QByteArray::fromHex("010307010001d4be"), 2));
    clock.advance(0.012);
    ring.record(received(QByteArray::fromHex("018302c0f1"), 2,
                         "Address 001:Illegal Data Address response from instrument for register "
                         "701H"));
    const QStringList reply = traceFields(ring.newest());
    ASSERT_EQ(reply.size(), traceColumnTitles().size());
    EXPECT_TRUE(reply[1].endsWith(QStringLiteral(":00:00.012"))) << reply[1].toStdString();
    const QStringList expected = {QStringLiteral("2"),
                                  QStringLiteral("12"),
                                  QStringLiteral("Received"),
                                  QStringLiteral("001"),
                                  QStringLiteral("01 83 02 C0 F1"),
                                  QStringLiteral("....."),
                                  "03 Read Holding Registers, exception 02 Illegal Data Address",
                                  QStringLiteral("CRC good"),
                                  "2 Address 001:Illegal Data Address response from instrument "
                                  "for register 701H"};
    EXPECT_EQ(QStringList(reply.mid(0, 1) + reply.mid(2)), expected);
    EXPECT_EQ(traceFields(ring.at(0)).last(), QStringLiteral("attempt 2"));
    EXPECT_EQ(traceFields(ring.at(0))[2], QString()); // no gap before the first frame
}

} // namespace
} // namespace vanta::comms
