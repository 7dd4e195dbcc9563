// Frame checks and hexadecimal helpers of the instrument side.
#include "checksums.h"

namespace vanta::sim {

quint16 crc16(QByteArrayView bytes)
{
    quint16 crc = 0xFFFF;
    for (const char c : bytes) {
        crc ^= static_cast<quint8>(c);
        for (int bit = 0; bit < 8; ++bit) {
            const bool carry = crc & 1;
            crc >>= 1;
            if (carry)
                crc ^= 0xA001;
        }
    }
    return crc;
}

void appendCrc(QByteArray &frame)
{
    const quint16 crc = crc16(frame);
    frame.append(static_cast<char>(crc & 0xFF));
    frame.append(static_cast<char>(crc >> 8));
}

bool hasValidCrc(const QByteArray &frame)
{
    if (frame.size() < 3)
        return false;
    const quint16 crc = crc16(QByteArrayView(frame).first(frame.size() - 2)); // no copy
    return static_cast<quint8>(frame.at(frame.size() - 2)) == (crc & 0xFF) &&
           static_cast<quint8>(frame.at(frame.size() - 1)) == (crc >> 8);
}

quint8 lrc(const QByteArray &bytes)
{
    quint8 sum = 0;
    for (const char c : bytes)
        sum += static_cast<quint8>(c);
    return static_cast<quint8>(-sum);
}

QByteArray vantaLinkChecksum(const QByteArray &text)
{
    int sum = 0;
    for (const char c : text)
        sum += static_cast<quint8>(c);
    return hex2(sum);
}

QByteArray hex2(int value)
{
    return QByteArray::number(value & 0xFF, 16).toUpper().rightJustified(2, '0');
}

QByteArray hex4(int value)
{
    return QByteArray::number(value & 0xFFFF, 16).toUpper().rightJustified(4, '0');
}

std::optional<int> parseHex(const QByteArray &text)
{
    if (text.isEmpty() || text.size() > 7)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace vanta::sim
