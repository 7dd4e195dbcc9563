// Vanta Link transactions: one request/reply exchange with one instrument.
#include "comms/vanta_link.h"

#include "comms/transaction.h"
#include "comms/vanta_link_frames.h"
#include "core/address.h"
#include "core/number_format.h"

namespace vanta::comms {

namespace {

Exchange vantaLinkExchange(const VantaLinkRequest &request, const QString &data,
                           const QString &routine)
{
    Exchange exchange;
    exchange.request = buildVantaLinkRequest(request.Address, request.commandText, data);
    exchange.protocol = Protocol::VantaLink;
    exchange.address = request.Address;
    exchange.noResponseText = [&request] {
        return request.failure(":No response from instrument");
    };
    exchange.tooShortText = [&request] {
        return request.failure(":Response but no <ACK> received");
    };
    exchange.addressPrefix = [&request] { return request.addressPrefix(); };
    exchange.routine = routine;
    return exchange;
}

// The refusal of a command code that cannot be sent: `words` + " -5 (FFFB)".
QString invalidCommandText(const VantaLinkRequest &request, const char *words)
{
    return request.addressPrefix() + QLatin1String(words) +
           core::withLeadingBlank(request.Command) + QStringLiteral(" (") +
           core::Hex4(request.Command) + QLatin1Char(')');
}

bool isCommandCode(int Command)
{
    return Command >= 0 && Command <= 0xFFFF;
}

TransactionResult readReply(CommLink &link, const VantaLinkRequest &request, VantaLinkValue &Reply)
{
    if (auto settled = settleBeforeSending(
            link, [&request] { return request.addressPrefix(); }, request.Address))
        return *settled;
    if (!isCommandCode(request.Command))
        return {-1, invalidCommandText(request, ":Invalid Vanta Link Read Register >"), {}};
    if (isVantaLinkWriteCommand(request.Command))
        return {-1,
                invalidCommandText(request,
                                   ":Invalid Vanta Link Read Register (It is a write command.) >"),
                {}};
    PaceVantaLinkRead(link, request.Address, request.Command);

    VantaLinkValue decoded;
    Exchange exchange =
        vantaLinkExchange(request, QString(), QStringLiteral("modVanta.VantaLinkRead"));
    exchange.onByte = [&](const QByteArray &received) {
        VantaLinkReadOutcome outcome = judgeVantaLinkReadReply(request, received, Reply);
        decoded = std::move(outcome.value);
        return outcome.check;
    };
    TransactionResult result = runTransaction(link, exchange);
    if (result.Status == 0)
        Reply = decoded;
    Reply.ReplyText = vantaLinkReplyText(result.received);
    return result;
}

TransactionResult writeValue(CommLink &link, const VantaLinkRequest &request, float Value,
                             bool RawHex, QString &ReplyText)
{
    if (auto settled = settleBeforeSending(
            link, [&request] { return request.addressPrefix(); }, request.Address))
        return *settled;
    if (!isCommandCode(request.Command))
        return {-1, invalidCommandText(request, ":Invalid Write Vanta Link Register >"), {}};
    if (!isVantaLinkWriteValueInRange(Value, RawHex))
        return {3,
                invalidCommandText(request, ":Invalid Vanta Link Write Data Value for Register >") +
                    QStringLiteral(". Value=") + core::withLeadingBlank(Value),
                {}};

    const QString data = vantaLinkWriteData(request.Command, Value, RawHex);
    Exchange exchange = vantaLinkExchange(request, data, QStringLiteral("modVanta.VantaLinkWrite"));
    exchange.onByte = [&](const QByteArray &received) {
        return judgeVantaLinkWriteReply(request, received, Value);
    };
    const TransactionResult result = runTransaction(link, exchange);
    ReplyText = vantaLinkReplyText(result.received);
    return result;
}

} // namespace

void VantaLinkRead(CommLink &link, QString &ResultText, qint16 &Status, int Address, int Command,
                   VantaLinkValue &Reply, int Register)
{
    Reply.ReplyText.clear();
    const VantaLinkRequest request{Address, Command, Register, readCommandText(Command)};
    const TransactionResult result = readReply(link, request, Reply);
    ResultText = result.ResultText;
    Status = result.Status;
}

void VantaLinkWrite(CommLink &link, QString &ResultText, qint16 &Status, int Address, int Command,
                    float Value, int Register, QString &ReplyText, bool RawHex)
{
    ReplyText.clear();
    const VantaLinkRequest request{Address, Command, Register, writeCommandText(Command)};
    const TransactionResult result = writeValue(link, request, Value, RawHex, ReplyText);
    ResultText = result.ResultText;
    Status = result.Status;
}

} // namespace vanta::comms
