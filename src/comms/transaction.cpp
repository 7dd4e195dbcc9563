// The request/reply exchange every protocol engine shares.
#include "comms/transaction.h"

#include "comms/timing.h"
#include "core/address.h"
#include "core/app_error.h"

#include <cmath>

namespace vanta::comms {

namespace {

struct Attempt
{
    ReplyCheck check;
    QByteArray received;
};

void traceSent(const CommLink &link, const Exchange &exchange, int attemptNumber)
{
    if (link.trace)
        link.trace({TraceDirection::Sent, exchange.request, exchange.protocol, exchange.address,
                    attemptNumber, 0, QString()});
}

void traceReceived(const CommLink &link, const Exchange &exchange, int attemptNumber,
                   const Attempt &attempt)
{
    if (link.trace)
        link.trace({TraceDirection::Received, attempt.received, exchange.protocol, exchange.address,
                    attemptNumber, attempt.check.status, attempt.check.text});
}

int millisecondsLeft(double timeoutSeconds, double elapsedSeconds)
{
    const double left = std::ceil((timeoutSeconds - elapsedSeconds) * 1000.0);
    return left < 1 ? 1 : static_cast<int>(left);
}

// One attempt: flush, send, then collect until the engine decides or the time is up. The time-out
// is checked after every byte as well, so a line that never stops talking cannot hold the
// program.
Attempt runAttempt(CommLink &link, const Exchange &exchange, int attemptNumber)
{
    SerialLine &line = link.line;
    if (line.portOpen())
        line.input(0); // stale bytes of an earlier exchange
    line.output(exchange.request);
    traceSent(link, exchange, attemptNumber);

    const double sendTime = ClockSeconds(link.clock);
    const double timeout = link.app.Config.PollTimeout / 1000.0;
    // Nothing can have arrived yet: sleep until the first byte comes (or the time is up) rather
    // than first asking the device for the reply it cannot have sent.
    line.waitForInput(millisecondsLeft(timeout, 0));
    Attempt attempt;
    for (;;) {
        const bool byteWaiting = line.inBufferCount() > 0 && line.portOpen();
        if (byteWaiting) {
            attempt.received += line.input(1);
            attempt.check = exchange.onByte(attempt.received);
        } else if (exchange.onQuiet) {
            attempt.check = exchange.onQuiet(attempt.received);
        }
        if (!attempt.check.isIncomplete())
            return attempt;
        const double elapsed = ElapsedSeconds(link.clock, sendTime);
        if (elapsed > timeout) {
            attempt.check = ReplyCheck::retry(attempt.received.isEmpty() ? exchange.noResponseText()
                                                                         : exchange.tooShortText());
            return attempt;
        }
        if (!byteWaiting)
            line.waitForInput(millisecondsLeft(timeout, elapsed));
    }
}

} // namespace

std::optional<TransactionResult> settleBeforeSending(const CommLink &link,
                                                     const TextMaker &addressPrefix, int Address)
{
    if (link.app.DemoMode())
        return TransactionResult{0, QString(), QByteArray()};
    if (!link.app.CommEnabled())
        return TransactionResult{
            -1, addressPrefix() + QStringLiteral(":Selected comm port is not open."), QByteArray()};
    if (!core::isValidAddress(Address))
        return TransactionResult{
            -1, addressPrefix() + QStringLiteral(":Invalid instrument address"), QByteArray()};
    return std::nullopt;
}

TransactionResult runTransaction(CommLink &link, const Exchange &exchange)
{
    TransactionResult result;
    try {
        for (int attemptNumber = 1; attemptNumber <= TransactionAttempts; ++attemptNumber) {
            const Attempt attempt = runAttempt(link, exchange, attemptNumber);
            traceReceived(link, exchange, attemptNumber, attempt);
            result.received = attempt.received;
            result.ResultText = attempt.check.text;
            result.Status = attempt.check.status;
            if (attempt.check.outcome != ReplyCheck::Outcome::Retry)
                return result;
        }
        result.Status = -1;
        return result;
    } catch (const core::AppError &error) {
        core::reportAppError(link.ui, error, exchange.routine);
        result.Status = -1;
        result.ResultText = exchange.addressPrefix() + QLatin1Char(':') + error.description;
        return result;
    }
}

qint16 instrumentErrorStatus(int code)
{
    return code == 0 ? qint16(-1) : static_cast<qint16>(code);
}

void PaceVantaLinkRead(CommLink &link, int Address, int Command)
{
    if (!link.app.PacingEnabled)
        return;
    LastTransaction &last = link.lastTransaction;
    if (last.Address == Address && Command != 0) {
        for (double elapsed = ElapsedSeconds(link.clock, last.StartTime);
             elapsed <= PacingGapSeconds; elapsed = ElapsedSeconds(link.clock, last.StartTime))
            link.clock.sleepSeconds(PacingGapSeconds - elapsed + 0.001);
    }
    last.StartTime = ClockSeconds(link.clock);
    last.Address = Address;
}

} // namespace vanta::comms
