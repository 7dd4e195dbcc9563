// Modbus ASCII frames: building requests and judging replies.
#include "comms/modbus_ascii_frames.h"

#include "comms/modbus_ascii.h"
#include "comms/modbus_rtu.h"
#include "core/address.h"

namespace vanta::comms {

namespace {

constexpr quint8 WriteSingleCoil = 5;
constexpr quint8 WriteSingleRegister = 6;
constexpr char LineFeed = '\n';
// Bytes before the data of a read reply: address, function code, byte count.
constexpr int ReadHeaderBytes = 3;

std::optional<int> hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return std::nullopt;
}

QByteArray requestBytes(const ModbusRequest &request, quint8 functionCode, int word)
{
    const int wire = request.wireRegister();
    QByteArray bytes;
    for (const int byte : {request.Address, int(functionCode), wire >> 8, wire, word >> 8, word})
        bytes.append(static_cast<char>(byte & 0xFF));
    return bytes;
}

// The exception reply: "8" and the function code's digit in characters 4-5; the status is the
// low digit of the code in characters 6-7. Empty when the reply is no exception.
std::optional<ReplyCheck> asciiException(const ModbusRequest &request, quint8 functionCode,
                                         const QByteArray &reply, std::optional<float> value)
{
    if (reply.size() < 9 || reply.at(3) != '8' || reply.at(4) != char('0' + functionCode))
        return std::nullopt;
    const std::optional<int> high = hexDigit(reply.at(5));
    const std::optional<int> low = hexDigit(reply.at(6));
    if (!high || !low)
        return request.retry(ModbusWords::ChecksumError);
    return modbusException(request, *low, value);
}

// Checks shared by read and write replies up to the function code; empty when they pass.
std::optional<ReplyCheck> judgeHeader(const ModbusRequest &request, quint8 functionCode,
                                      const QByteArray &sent, const QByteArray &reply,
                                      std::optional<float> value)
{
    if (reply.mid(1, 2) != sent.mid(1, 2))
        return request.retry(ModbusWords::IncorrectAddress);
    if (std::optional<ReplyCheck> exception = asciiException(request, functionCode, reply, value))
        return exception;
    if (reply.mid(3, 2) != sent.mid(3, 2))
        return request.retry(ModbusWords::IncorrectCode);
    return std::nullopt;
}

// The bytes of `digits` hexadecimal digits from character 2 on, the last of which must be the LRC
// of the others; empty when the reply is shorter, holds a non-digit, or the LRC is wrong.
std::optional<QByteArray> bytesWithGoodLrc(const QByteArray &reply, int digits)
{
    if (reply.size() < 1 + digits)
        return std::nullopt;
    const std::optional<QByteArray> bytes = bytesFromHex(reply.mid(1, digits));
    if (!bytes || bytes->isEmpty())
        return std::nullopt;
    const QByteArray body = bytes->chopped(1);
    if (ModbusLRC(body) != static_cast<quint8>(bytes->back()))
        return std::nullopt;
    return body;
}

QVector<float> decodeValues(const ModbusRequest &request, const QByteArray &data)
{
    QVector<float> values;
    if (request.isBitType()) {
        for (const char byte : data)
            values.append(static_cast<float>(static_cast<quint8>(byte) & 0x0F));
        return values;
    }
    for (int i = 0; i + 1 < data.size(); i += 2)
        values.append(signedWord(static_cast<quint8>(data.at(i)) * 256 +
                                 static_cast<quint8>(data.at(i + 1))));
    return values;
}

} // namespace

quint8 ModbusLRC(const QByteArray &bytes)
{
    quint8 sum = 0;
    for (const char byte : bytes)
        sum = static_cast<quint8>(sum + static_cast<quint8>(byte));
    return static_cast<quint8>((sum ^ 0xFF) + 1);
}

QByteArray asciiFrame(const QByteArray &bytes)
{
    QString text = QStringLiteral(":");
    for (const char byte : bytes)
        text += core::Hex2(static_cast<quint8>(byte));
    text += core::Hex2(ModbusLRC(bytes)) + QStringLiteral("\r\n");
    return text.toLatin1();
}

std::optional<QByteArray> bytesFromHex(const QByteArray &text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    QByteArray bytes;
    for (int i = 0; i < text.size(); i += 2) {
        const std::optional<int> high = hexDigit(text.at(i));
        const std::optional<int> low = hexDigit(text.at(i + 1));
        if (!high || !low)
            return std::nullopt;
        bytes.append(static_cast<char>(*high * 16 + *low));
    }
    return bytes;
}

QByteArray buildAsciiReadRequest(const ModbusRequest &request)
{
    const quint8 functionCode = readFunctionCode(request.RegisterType).value_or(0);
    return asciiFrame(requestBytes(request, functionCode, request.Count));
}

quint8 asciiWriteFunctionCode(int RegisterType)
{
    return RegisterType == Coil ? WriteSingleCoil : WriteSingleRegister;
}

QByteArray buildAsciiWriteRequest(const ModbusRequest &request, float value)
{
    const int word =
        request.RegisterType == Coil ? (value != 0 ? 0xFF00 : 0x0000) : wireWord(value).value_or(0);
    return asciiFrame(requestBytes(request, asciiWriteFunctionCode(request.RegisterType), word));
}

ModbusReadOutcome judgeAsciiReadReply(const ModbusRequest &request, const QByteArray &sent,
                                      const QByteArray &received)
{
    if (!received.endsWith(LineFeed))
        return {ReplyCheck::incomplete(), {}};
    const QByteArray reply = received.chopped(1);
    const quint8 functionCode = readFunctionCode(request.RegisterType).value_or(0);
    if (std::optional<ReplyCheck> failure =
            judgeHeader(request, functionCode, sent, reply, std::nullopt))
        return {*failure, {}};
    const int dataChars =
        request.isBitType() ? 2 * ((request.Count - 1) / 8 + 1) : 4 * request.Count;
    if (reply.size() < dataChars + 9)
        return {request.retry(ModbusWords::ResponseTooShort), {}};
    // Address, function code, byte count, data and LRC, as hexadecimal digits.
    const std::optional<QByteArray> body = bytesWithGoodLrc(reply, dataChars + 8);
    if (!body)
        return {request.retry(ModbusWords::ChecksumError), {}};
    return {ReplyCheck::good(), decodeValues(request, body->mid(ReadHeaderBytes))};
}

ReplyCheck judgeAsciiWriteReply(const ModbusRequest &request, const QByteArray &sent,
                                const QByteArray &received, float value)
{
    if (!received.endsWith(LineFeed))
        return ReplyCheck::incomplete();
    const QByteArray reply = received.chopped(1);
    const quint8 functionCode = asciiWriteFunctionCode(request.RegisterType);
    if (std::optional<ReplyCheck> failure = judgeHeader(request, functionCode, sent, reply, value))
        return *failure;
    if (reply.mid(5, 4) != sent.mid(5, 4))
        return request.retry(ModbusWords::IncorrectRegister);
    if (reply.mid(9, 4) != sent.mid(9, 4))
        return request.retry(ModbusWords::IncorrectCount);
    if (!bytesWithGoodLrc(reply, 14))
        return request.retry(ModbusWords::ChecksumError);
    return ReplyCheck::good();
}

} // namespace vanta::comms
