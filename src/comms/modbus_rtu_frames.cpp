// Modbus RTU frames: building requests and judging replies.
#include "comms/modbus_rtu_frames.h"

#include "comms/modbus_rtu.h"

namespace vanta::comms {

namespace {

constexpr quint8 WriteSingleCoil = 5;
constexpr quint8 WriteMultipleRegisters = 16;
constexpr quint8 ExceptionFlag = 0x80;
constexpr int WriteReplyLength = 8;

quint8 byteAt(const QByteArray &bytes, int index)
{
    return static_cast<quint8>(bytes.at(index));
}

void appendWord(QByteArray &frame, int word)
{
    frame.append(static_cast<char>((word >> 8) & 0xFF));
    frame.append(static_cast<char>(word & 0xFF));
}

QByteArray withCrc(QByteArray frame)
{
    return frame + ModbusCRC(frame);
}

// The last two bytes are the CRC of everything before them.
bool hasGoodCrc(const QByteArray &frame)
{
    const int body = int(frame.size()) - 2;
    return body >= 0 && ModbusCRC(frame.left(body)) == frame.mid(body);
}

QByteArray header(const ModbusRequest &request, quint8 functionCode)
{
    QByteArray frame;
    frame.append(static_cast<char>(request.Address));
    frame.append(static_cast<char>(functionCode));
    appendWord(frame, request.wireRegister());
    return frame;
}

int dataBytes(const ModbusRequest &request)
{
    return request.isBitType() ? (request.Count + 7) / 8 : request.Count * 2;
}

QVector<float> decodeValues(const ModbusRequest &request, const QByteArray &reply)
{
    constexpr int FirstData = 3;
    QVector<float> values(request.Count);
    for (int i = 0; i < request.Count; ++i) {
        if (request.isBitType()) {
            const quint8 data = byteAt(reply, FirstData + i / 8);
            values[i] = static_cast<float>((data >> (i % 8)) & 1); // least significant bit first
        } else {
            values[i] = signedWord(byteAt(reply, FirstData + 2 * i) * 256 +
                                   byteAt(reply, FirstData + 2 * i + 1));
        }
    }
    return values;
}

} // namespace

QByteArray ModbusCRC(const QByteArray &frame)
{
    quint16 crc = 0xFFFF;
    for (const char byte : frame) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    QByteArray bytes;
    bytes.append(static_cast<char>(crc & 0xFF)); // low byte first on the wire
    bytes.append(static_cast<char>(crc >> 8));
    return bytes;
}

QByteArray buildRtuReadRequest(const ModbusRequest &request)
{
    QByteArray frame = header(request, readFunctionCode(request.RegisterType).value_or(0));
    appendWord(frame, request.Count);
    return withCrc(frame);
}

int rtuReadReplyLength(const ModbusRequest &request)
{
    return dataBytes(request) + 5;
}

ModbusReadOutcome judgeRtuReadReply(const ModbusRequest &request, const QByteArray &received)
{
    const int length = rtuReadReplyLength(request);
    if (received.size() < length)
        return {ReplyCheck::incomplete(), {}};
    const QByteArray reply = received.left(length);
    if (!hasGoodCrc(reply))
        return {request.retry(ModbusWords::BadCrc), {}};
    if (byteAt(reply, 0) != request.Address)
        return {request.retry(ModbusWords::IncorrectAddress), {}};
    if (byteAt(reply, 1) != readFunctionCode(request.RegisterType))
        return {request.retry(ModbusWords::IncorrectCode), {}};
    if (byteAt(reply, 2) + 5 != length)
        return {request.retry(ModbusWords::IncorrectByteCount), {}};
    return {ReplyCheck::good(), decodeValues(request, reply)};
}

QByteArray buildRtuWriteRequest(const ModbusRequest &request, const QVector<float> &values)
{
    if (request.RegisterType == Coil) {
        QByteArray frame = header(request, WriteSingleCoil);
        appendWord(frame, values.value(0) != 0 ? 0xFF00 : 0x0000);
        return withCrc(frame);
    }
    QByteArray frame = header(request, WriteMultipleRegisters);
    appendWord(frame, request.Count);
    frame.append(static_cast<char>(request.Count * 2));
    for (int i = 0; i < request.Count; ++i)
        appendWord(frame, wireWord(values.value(i)).value_or(0));
    return withCrc(frame);
}

ReplyCheck judgeRtuWriteReply(const ModbusRequest &request, const QByteArray &sent,
                              const QByteArray &received)
{
    if (received.size() < WriteReplyLength)
        return ReplyCheck::incomplete();
    const QByteArray reply = received.left(WriteReplyLength);
    if (!hasGoodCrc(reply))
        return request.retry(ModbusWords::BadCrc);
    if (byteAt(reply, 0) != request.Address)
        return request.retry(ModbusWords::IncorrectAddress);
    if (reply.at(1) != sent.at(1))
        return request.retry(ModbusWords::IncorrectCode);
    if (reply.mid(2, 2) != sent.mid(2, 2))
        return request.retry(ModbusWords::IncorrectRegister);
    if (reply.mid(4, 2) != sent.mid(4, 2))
        return request.retry(ModbusWords::IncorrectCount);
    return ReplyCheck::good();
}

ReplyCheck judgeRtuException(const ModbusRequest &request, quint8 functionCode,
                             const QByteArray &received, std::optional<float> writtenValue)
{
    if (received.size() <= 4 || byteAt(received, 0) != request.Address ||
        byteAt(received, 1) != (functionCode | ExceptionFlag))
        return ReplyCheck::incomplete();
    if (!hasGoodCrc(received.left(5)))
        return request.retry(ModbusWords::BadExceptionCrc);
    return modbusException(request, byteAt(received, 2), writtenValue);
}

} // namespace vanta::comms
