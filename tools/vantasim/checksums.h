// Frame checks of the three protocols, computed on the instrument side. The simulator keeps its
// own copies so that a slip in the application's engines is not mirrored here.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace vanta::sim {

// Modbus CRC-16 (polynomial 0xA001, start 0xFFFF); goes on the wire low byte first.
quint16 crc16(QByteArrayView bytes);
// Appends the CRC of `frame` to it, low byte first.
void appendCrc(QByteArray &frame);
// True when the last two bytes are the CRC of the bytes before them.
bool hasValidCrc(const QByteArray &frame);

// Modbus ASCII LRC: the two's complement of the low byte of the sum of the bytes.
quint8 lrc(const QByteArray &bytes);

// Vanta Link check: the low byte of the sum of the character codes, as two upper-case
// hexadecimal digits.
QByteArray vantaLinkChecksum(const QByteArray &text);

// Two upper-case hexadecimal digits of the low byte of `value`.
QByteArray hex2(int value);
// Four upper-case hexadecimal digits of the low 16 bits of `value`.
QByteArray hex4(int value);
// Value of a text of hexadecimal digits (either case); empty when any character is not a digit
// or the text is empty.
std::optional<int> parseHex(const QByteArray &text);

} // namespace vanta::sim
