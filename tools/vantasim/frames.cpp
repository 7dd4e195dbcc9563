// Request framing and reply encoding for Vanta Link, Modbus RTU and Modbus ASCII.
#include "frames.h"

#include "checksums.h"

namespace vanta::sim {

std::optional<Protocol> protocolFromCode(char code)
{
    switch (code) {
    case 'L':
        return Protocol::VantaLink;
    case 'R':
        return Protocol::ModbusRtu;
    case 'A':
        return Protocol::ModbusAscii;
    default:
        return std::nullopt;
    }
}

char protocolCode(Protocol protocol)
{
    switch (protocol) {
    case Protocol::VantaLink:
        return 'L';
    case Protocol::ModbusRtu:
        return 'R';
    case Protocol::ModbusAscii:
        break;
    }
    return 'A';
}

bool isModbus(Protocol protocol)
{
    return protocol != Protocol::VantaLink;
}

namespace {

constexpr int MaxVantaLinkFrame = 32;
constexpr int MaxAsciiFrame = 513;
constexpr int MaxRtuFrame = 256;

enum class Shape
{
    Complete,
    Incomplete,
    NotThis
};

struct Match
{
    Shape shape = Shape::NotThis;
    int length = 0;
};

// Length of an RTU request by its function code: 0 while the bytes that tell are still
// missing, -1 for a function code this side does not know.
int rtuRequestLength(const QByteArray &buffer)
{
    if (buffer.size() < 2)
        return 0;
    switch (static_cast<quint8>(buffer.at(1))) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 103:
        return 8;
    case 15:
    case 16:
        return buffer.size() < 7 ? 0 : 9 + static_cast<quint8>(buffer.at(6));
    default:
        return -1;
    }
}

Match matchRtu(const QByteArray &buffer)
{
    const int length = rtuRequestLength(buffer);
    if (length < 0)
        return {};
    if (length == 0 || buffer.size() < length)
        return {Shape::Incomplete, 0};
    if (!hasValidCrc(buffer.left(length)))
        return {};
    return {Shape::Complete, length};
}

// A text frame that starts with `start` (and `second`, when not 0) and ends with `end`.
Match matchText(const QByteArray &buffer, char start, char second, char end, int maxLength)
{
    if (buffer.isEmpty() || buffer.at(0) != start)
        return {};
    if (second != 0 && buffer.size() >= 2 && buffer.at(1) != second)
        return {};
    const int endAt = static_cast<int>(buffer.indexOf(end, 1));
    if (endAt >= 0 && endAt < maxLength)
        return {Shape::Complete, endAt + 1};
    if (endAt < 0 && buffer.size() < maxLength)
        return {Shape::Incomplete, 0};
    return {};
}

} // namespace

std::optional<RawFrame> RequestFramer::next()
{
    return nextFrame(UnknownFunction::Wait);
}

std::optional<RawFrame> RequestFramer::nextFrame(UnknownFunction unknown)
{
    while (!m_buffer.isEmpty()) {
        const Match rtu = matchRtu(m_buffer);
        const Match link = matchText(m_buffer, control::STX, 'L', control::ETX, MaxVantaLinkFrame);
        const Match ascii = matchText(m_buffer, ':', 0, '\n', MaxAsciiFrame);
        const std::pair<Match, Protocol> candidates[] = {{rtu, Protocol::ModbusRtu},
                                                         {link, Protocol::VantaLink},
                                                         {ascii, Protocol::ModbusAscii}};
        for (const auto &[match, protocol] : candidates) {
            if (match.shape != Shape::Complete)
                continue;
            RawFrame frame{protocol, m_buffer.left(match.length)};
            m_buffer.remove(0, match.length);
            return frame;
        }
        const bool waiting = rtu.shape == Shape::Incomplete || link.shape == Shape::Incomplete ||
                             ascii.shape == Shape::Incomplete;
        // An unknown function code can only be framed by the silence after it.
        const bool unknownRtu = unknown == UnknownFunction::Wait &&
                                rtuRequestLength(m_buffer) < 0 && m_buffer.size() < MaxRtuFrame;
        if (waiting || unknownRtu)
            return std::nullopt;
        m_buffer.remove(0, 1);
    }
    return std::nullopt;
}

std::optional<RawFrame> RequestFramer::takeAfterSilence()
{
    while (!m_buffer.isEmpty()) {
        if (m_buffer.size() >= 4 && hasValidCrc(m_buffer)) {
            RawFrame frame{Protocol::ModbusRtu, m_buffer};
            m_buffer.clear();
            return frame;
        }
        m_buffer.remove(0, 1);
        if (std::optional<RawFrame> frame = nextFrame(UnknownFunction::Skip))
            return frame;
    }
    return std::nullopt;
}

std::optional<ModbusPdu> decodeRtu(const QByteArray &frame)
{
    if (frame.size() < 4 || !hasValidCrc(frame))
        return std::nullopt;
    return ModbusPdu{static_cast<quint8>(frame.at(0)), static_cast<quint8>(frame.at(1)),
                     frame.mid(2, frame.size() - 4)};
}

std::optional<ModbusPdu> decodeAscii(const QByteArray &frame)
{
    // ":" + hexadecimal pairs + LRC + CR LF
    if (frame.size() < 9 || frame.at(0) != ':' || !frame.endsWith("\r\n"))
        return std::nullopt;
    const QByteArray hex = frame.mid(1, frame.size() - 3);
    if (hex.size() % 2 != 0)
        return std::nullopt;
    QByteArray bytes;
    for (int i = 0; i < hex.size(); i += 2) {
        const std::optional<int> byte = parseHex(hex.mid(i, 2));
        if (!byte)
            return std::nullopt;
        bytes.append(static_cast<char>(*byte));
    }
    const QByteArray body = bytes.left(bytes.size() - 1);
    if (lrc(body) != static_cast<quint8>(bytes.back()))
        return std::nullopt;
    return ModbusPdu{static_cast<quint8>(body.at(0)), static_cast<quint8>(body.at(1)), body.mid(2)};
}

std::optional<VantaLinkRequest> decodeVantaLink(const QByteArray &frame)
{
    // STX "L" address(2) body checksum(2) ETX
    if (frame.size() < 6 || frame.at(0) != control::STX || frame.at(1) != 'L')
        return std::nullopt;
    const QByteArray inner = frame.mid(2, frame.size() - 3);
    const std::optional<int> address = parseHex(inner.left(2));
    if (!address || inner.size() < 4)
        return std::nullopt;
    VantaLinkRequest request;
    request.address = *address;
    request.body = inner.mid(2, inner.size() - 4);
    const QByteArray checked = inner.left(inner.size() - 2);
    request.checksumOk = vantaLinkChecksum(checked) == inner.right(2).toUpper();
    return request;
}

namespace {

QByteArray encodeVantaLink(const Reply &reply)
{
    const QByteArray text = "L" + hex2(reply.address) + reply.payload;
    QByteArray frame(1, control::STX);
    frame += text;
    if (reply.checked) {
        QByteArray check = vantaLinkChecksum(text);
        if (reply.corruptCheck)
            check = hex2(parseHex(check).value_or(0) + 1);
        frame += check;
    }
    if (reply.withAck)
        frame += control::ACK;
    return frame;
}

QByteArray encodeRtu(const Reply &reply)
{
    QByteArray frame(1, static_cast<char>(reply.address));
    frame += reply.payload;
    appendCrc(frame);
    if (reply.corruptCheck)
        frame[frame.size() - 1] = static_cast<char>(frame.at(frame.size() - 1) ^ 0x5A);
    return frame;
}

QByteArray encodeAscii(const Reply &reply)
{
    QByteArray bytes(1, static_cast<char>(reply.address));
    bytes += reply.payload;
    const quint8 check = lrc(bytes) + (reply.corruptCheck ? 1 : 0);
    return ":" + bytes.toHex().toUpper() + hex2(check) + "\r\n";
}

} // namespace

QByteArray encodeReply(const Reply &reply)
{
    switch (reply.protocol) {
    case Protocol::VantaLink:
        return encodeVantaLink(reply);
    case Protocol::ModbusRtu:
        return encodeRtu(reply);
    case Protocol::ModbusAscii:
        break;
    }
    return encodeAscii(reply);
}

} // namespace vanta::sim
