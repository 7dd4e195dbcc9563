// Modbus RTU frames: building requests and judging replies. Pure functions; the engine only
// moves the bytes.
#pragma once

#include "comms/modbus_frames.h"

#include <QByteArray>

namespace vanta::comms {

// The 8-byte read request: address, function code, wire register, count, CRC. The request must
// have passed refuseModbusRead.
QByteArray buildRtuReadRequest(const ModbusRequest &request);
// Bytes of a whole read reply: 5 + the data bytes.
int rtuReadReplyLength(const ModbusRequest &request);
// Incomplete until the reply holds its whole length; then CRC, address, function code and byte
// count are checked in that order and the values decoded.
ModbusReadOutcome judgeRtuReadReply(const ModbusRequest &request, const QByteArray &received);

// The write request: function 5 with FF00/0000 for a coil, else function 16 with Count words.
// The request must have passed refuseModbusWrite.
QByteArray buildRtuWriteRequest(const ModbusRequest &request, const QVector<float> &values);
// Incomplete until 8 bytes; then CRC, address, function code, register and count echo.
ReplyCheck judgeRtuWriteReply(const ModbusRequest &request, const QByteArray &sent,
                              const QByteArray &received);

// The 5-byte exception reply, judged while the line is quiet: Incomplete unless the bytes so far
// are one (more than 4 bytes, the address, the function code + 0x80); then a bad CRC is retried
// and a good one ends with the instrument's code.
ReplyCheck judgeRtuException(const ModbusRequest &request, quint8 functionCode,
                             const QByteArray &received, std::optional<float> writtenValue);

} // namespace vanta::comms
