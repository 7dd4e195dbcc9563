// The steps the two Modbus engines take alike around their frames: what is settled before
// sending, the exchange's texts, and handing read values to the caller.
#pragma once

#include "comms/modbus_frames.h"

namespace vanta::comms {

// Demo mode, port not open, bad address, then the read's own refusal; empty to go ahead.
std::optional<TransactionResult> settleModbusRead(const CommLink &link,
                                                  const ModbusRequest &request);
// The same for a write of the first `valueCount` of `values`.
std::optional<TransactionResult> settleModbusWrite(const CommLink &link,
                                                   const ModbusRequest &request,
                                                   const QVector<float> &values, int valueCount);

// An exchange with the Modbus time-out texts; the caller adds the judges.
Exchange modbusExchange(Protocol protocol, const ModbusRequest &request, const QByteArray &frame,
                        const QString &routine);

// Judges the bytes of a read reply received so far and decodes the values of a good one.
using ReadJudge = std::function<ModbusReadOutcome(const QByteArray &received)>;

// Runs a read exchange; on success puts the decoded values into Values, growing it when it is
// shorter, and leaves it alone otherwise.
TransactionResult runModbusRead(CommLink &link, Exchange exchange, const ReadJudge &judge,
                                QVector<float> &Values);

// Copies a result into the engines' out-arguments.
inline void deliver(const TransactionResult &result, QString &ResultText, qint16 &Status)
{
    ResultText = result.ResultText;
    Status = result.Status;
}

} // namespace vanta::comms
