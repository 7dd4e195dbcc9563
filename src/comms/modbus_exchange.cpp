// The steps the two Modbus engines take alike around their frames.
#include "comms/modbus_exchange.h"

namespace vanta::comms {

namespace {

TransactionResult refused(const QString &text)
{
    return TransactionResult{-1, text, QByteArray()};
}

} // namespace

std::optional<TransactionResult> settleModbusRead(const CommLink &link,
                                                  const ModbusRequest &request)
{
    if (auto settled = settleBeforeSending(
            link, [&request] { return request.addressPrefix(); }, request.Address))
        return settled;
    if (const std::optional<QString> refusal = refuseModbusRead(request))
        return refused(*refusal);
    return std::nullopt;
}

std::optional<TransactionResult> settleModbusWrite(const CommLink &link,
                                                   const ModbusRequest &request,
                                                   const QVector<float> &values, int valueCount)
{
    if (auto settled = settleBeforeSending(
            link, [&request] { return request.addressPrefix(); }, request.Address))
        return settled;
    if (const std::optional<QString> refusal = refuseModbusWrite(request, values, valueCount))
        return refused(*refusal);
    return std::nullopt;
}

Exchange modbusExchange(Protocol protocol, const ModbusRequest &request, const QByteArray &frame,
                        const QString &routine)
{
    Exchange exchange;
    exchange.request = frame;
    exchange.protocol = protocol;
    exchange.address = request.Address;
    exchange.noResponseText = [&request] {
        return request.failure(QLatin1String(ModbusWords::NoResponse));
    };
    exchange.tooShortText = [&request] {
        return request.failure(QLatin1String(ModbusWords::TooShort));
    };
    exchange.addressPrefix = [&request] { return request.addressPrefix(); };
    exchange.routine = routine;
    return exchange;
}

TransactionResult runModbusRead(CommLink &link, Exchange exchange, const ReadJudge &judge,
                                QVector<float> &Values)
{
    QVector<float> decoded;
    exchange.onByte = [&](const QByteArray &received) {
        ModbusReadOutcome outcome = judge(received);
        decoded = std::move(outcome.values);
        return outcome.check;
    };
    const TransactionResult result = runTransaction(link, exchange);
    if (result.Status != 0)
        return result;
    if (Values.size() < decoded.size())
        Values.resize(decoded.size());
    std::copy(decoded.begin(), decoded.end(), Values.begin());
    return result;
}

} // namespace vanta::comms
