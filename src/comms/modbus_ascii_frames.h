// Modbus ASCII frames: the RTU requests as upper-case hexadecimal text between ":" and CR LF,
// checked with an LRC. Pure functions; the engine only moves the bytes.
#pragma once

#include "comms/modbus_frames.h"

#include <QByteArray>

namespace vanta::comms {

// ":" + the bytes as hexadecimal digit pairs + their LRC + CR LF.
QByteArray asciiFrame(const QByteArray &bytes);
// The bytes that pairs of upper-case hexadecimal digits stand for; empty when any character is
// no such digit or one is left over.
std::optional<QByteArray> bytesFromHex(const QByteArray &text);

// Address, function code, wire register and count. The request must have passed
// refuseModbusRead.
QByteArray buildAsciiReadRequest(const ModbusRequest &request);
// Writes go out with function 5 (a coil) or 6 (one register).
quint8 asciiWriteFunctionCode(int RegisterType);
// Function 5 with FF00/0000 for a coil, else function 6 with the value's word. The request must
// have passed refuseModbusWrite.
QByteArray buildAsciiWriteRequest(const ModbusRequest &request, float value);

// Incomplete until a line feed arrives; then address, exception, function code, length, and the
// LRC over the hexadecimal digits, which must all be digits. Word types give one value per word,
// bit types one value per data byte (its low digit).
ModbusReadOutcome judgeAsciiReadReply(const ModbusRequest &request, const QByteArray &sent,
                                      const QByteArray &received);
// Incomplete until a line feed; then address, exception, function code, register and data echo,
// LRC.
ReplyCheck judgeAsciiWriteReply(const ModbusRequest &request, const QByteArray &sent,
                                const QByteArray &received, float value);

} // namespace vanta::comms
