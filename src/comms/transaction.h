// The request/reply exchange every protocol engine shares: what is settled before anything is
// sent, the attempt loop with its reply time-out, and the pacing of Vanta Link reads. Each
// engine supplies only its request and how to judge the bytes that come back.
#pragma once

#include "comms/comm_link.h"
#include "comms/target.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace vanta::comms {

// Attempts per transaction: a bad or missing reply is tried once more.
constexpr int TransactionAttempts = 2;
// Least gap between two paced Vanta Link reads of one address, in seconds.
constexpr double PacingGapSeconds = 0.1;

// How the bytes received so far stand.
struct ReplyCheck
{
    enum class Outcome
    {
        Incomplete,      // keep collecting
        Good,            // accepted
        Retry,           // a bad reply: the attempt failed with `text`
        InstrumentError, // the instrument reported an error: no second attempt
    };

    Outcome outcome = Outcome::Incomplete;
    qint16 status = 0;
    QString text;

    static ReplyCheck incomplete() { return {}; }
    static ReplyCheck good() { return {Outcome::Good, 0, {}}; }
    static ReplyCheck retry(QString text) { return {Outcome::Retry, -1, std::move(text)}; }
    static ReplyCheck instrumentError(qint16 status, QString text)
    {
        return {Outcome::InstrumentError, status, std::move(text)};
    }
    bool isIncomplete() const { return outcome == Outcome::Incomplete; }
    bool isGood() const { return outcome == Outcome::Good; }
};

// Failure texts are made only when a failure needs them: a transaction that succeeds builds none.
using TextMaker = std::function<QString()>;

// One engine's exchange. Texts are complete result texts (address prefix included).
struct Exchange
{
    QByteArray request;
    // Judges the bytes received so far each time one more arrives.
    std::function<ReplyCheck(const QByteArray &received)> onByte;
    // Judges them while no byte waits, so that a short error reply ends the wait; optional.
    std::function<ReplyCheck(const QByteArray &received)> onQuiet;
    TextMaker noResponseText; // the time-out when nothing arrived
    TextMaker tooShortText;   // the time-out after some bytes
    TextMaker addressPrefix;  // "Address 001", for a failure of the port itself
    QString routine;          // "modVanta.ModbusRead_R", named in the error report
    // Whom the exchange talks to, for the trace.
    Protocol protocol = Protocol::VantaLink;
    int address = 0;
};

struct TransactionResult
{
    qint16 Status = -1;
    QString ResultText;
    QByteArray received; // the bytes of the last attempt
};

// What is decided before anything is sent, in this order: demo mode (status 0, empty text),
// the port not open (":Selected comm port is not open."), an address outside 1..255
// (":Invalid instrument address": 0 would be the broadcast address of the whole line).
// Empty when the transaction may go ahead.
std::optional<TransactionResult> settleBeforeSending(const CommLink &link,
                                                     const TextMaker &addressPrefix, int Address);

// Sends the request and collects the reply one byte at a time, sleeping on the port while
// nothing waits, at most TransactionAttempts times. An attempt ends when the engine accepts or
// rejects the reply or PollTimeout passes; an instrument-reported error ends the transaction at
// once. A failure of the port itself is shown as the application error report naming
// `exchange.routine` and comes back as status -1. Never throws.
TransactionResult runTransaction(CommLink &link, const Exchange &exchange);

// The status for an error code an instrument reported: the code itself, or -1 for code 0, so
// that a reported error never reads as success.
qint16 instrumentErrorStatus(int code);

// With PacingEnabled: waits until PacingGapSeconds have passed since the last paced read when it
// went to the same address and Command is not 0, then records this read as the last one.
void PaceVantaLinkRead(CommLink &link, int Address, int Command);

} // namespace vanta::comms
