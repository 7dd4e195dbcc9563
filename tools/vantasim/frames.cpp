// Request framing and reply encoding for Vanta Link, Modbus RTU and Modbus ASCII.
#include "frames.h"

#include "checksums.h"

#include <algorithm>
#include <cstring>
#include <iterator>

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
    qsizetype length = 0;
};

// The next occurrence of one character at or after a candidate start. Starts are tried in
// increasing order and each search is bounded by the frame's maximum length, so every byte of
// the buffer is looked at once per character however many starts there are.
class NextChar
{
public:
    NextChar(const QByteArray &buffer, char c) : m_buffer(buffer), m_char(c) {}

    // Position of the first occurrence in [from, limit), or -1. `from` never decreases.
    qsizetype find(qsizetype from, qsizetype limit)
    {
        if (m_found >= from)
            return m_found < limit ? m_found : -1;
        const qsizetype start = std::max(from, m_searchedTo);
        if (start >= limit)
            return -1;
        const void *hit = std::memchr(m_buffer.constData() + start, m_char, limit - start);
        if (!hit) {
            m_searchedTo = limit;
            return -1;
        }
        m_found = static_cast<const char *>(hit) - m_buffer.constData();
        m_searchedTo = m_found + 1;
        return m_found;
    }

private:
    const QByteArray &m_buffer;
    char m_char;
    qsizetype m_found = -1;     // first occurrence at or after the last start, when known
    qsizetype m_searchedTo = 0; // nothing beyond m_found before this position
};

// Length of an RTU request starting at `at` by its function code: 0 while the bytes that tell
// are still missing, -1 for a function code this side does not know.
int rtuRequestLength(const QByteArray &buffer, qsizetype at)
{
    const qsizetype available = buffer.size() - at;
    if (available < 2)
        return 0;
    switch (static_cast<quint8>(buffer.at(at + 1))) {
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
        return available < 7 ? 0 : 9 + static_cast<quint8>(buffer.at(at + 6));
    default:
        return -1;
    }
}

Match matchRtu(const QByteArray &buffer, qsizetype at)
{
    const int length = rtuRequestLength(buffer, at);
    if (length < 0)
        return {};
    if (length == 0 || buffer.size() - at < length)
        return {Shape::Incomplete, 0};
    if (!hasValidCrc(QByteArray::fromRawData(buffer.constData() + at, length)))
        return {};
    return {Shape::Complete, length};
}

// A text frame: a start character (and `second` after it, when not 0), no other start before
// its end character, at most `maxLength` bytes. A second start means the first one was
// abandoned: the frame begins again there.
class TextFrames
{
public:
    TextFrames(const QByteArray &buffer, char start, char second, char end, int maxLength)
        : m_buffer(buffer), m_start(start), m_second(second), m_maxLength(maxLength),
          m_ends(buffer, end), m_restarts(buffer, start)
    {}

    Match at(qsizetype at)
    {
        const qsizetype size = m_buffer.size();
        if (m_buffer.at(at) != m_start)
            return {};
        if (m_second != 0 && at + 1 < size && m_buffer.at(at + 1) != m_second)
            return {};
        const qsizetype limit = std::min(size, at + m_maxLength);
        const qsizetype endAt = m_ends.find(at + 1, limit);
        const qsizetype restartAt = m_restarts.find(at + 1, limit);
        if (restartAt >= 0 && (endAt < 0 || restartAt < endAt))
            return {};
        if (endAt >= 0)
            return {Shape::Complete, endAt - at + 1};
        if (size - at < m_maxLength)
            return {Shape::Incomplete, 0};
        return {};
    }

private:
    const QByteArray &m_buffer;
    char m_start;
    char m_second;
    int m_maxLength;
    NextChar m_ends;
    NextChar m_restarts;
};

template <typename Candidates>
bool anyIncomplete(const Candidates &candidates)
{
    return std::any_of(std::begin(candidates), std::end(candidates),
                       [](const auto &c) { return c.first.shape == Shape::Incomplete; });
}

} // namespace

std::optional<RawFrame> RequestFramer::next()
{
    return nextFrame(UnknownFunction::Wait);
}

// Tries every start in turn and drops the bytes before the first one that holds or may still
// become a frame in one step.
std::optional<RawFrame> RequestFramer::nextFrame(UnknownFunction unknown)
{
    TextFrames link(m_buffer, control::STX, 'L', control::ETX, MaxVantaLinkFrame);
    TextFrames ascii(m_buffer, ':', 0, '\n', MaxAsciiFrame);
    const qsizetype size = m_buffer.size();
    for (qsizetype at = 0; at < size; ++at) {
        const std::pair<Match, Protocol> candidates[] = {
            {matchRtu(m_buffer, at), Protocol::ModbusRtu},
            {link.at(at), Protocol::VantaLink},
            {ascii.at(at), Protocol::ModbusAscii}};
        for (const auto &[match, protocol] : candidates) {
            if (match.shape != Shape::Complete)
                continue;
            RawFrame frame{protocol, m_buffer.mid(at, match.length)};
            m_buffer.remove(0, at + match.length);
            return frame;
        }
        // An unknown function code can only be framed by the silence after it.
        const bool unknownRtu = unknown == UnknownFunction::Wait &&
                                rtuRequestLength(m_buffer, at) < 0 && size - at < MaxRtuFrame;
        if (anyIncomplete(candidates) || unknownRtu) {
            m_buffer.remove(0, at);
            return std::nullopt;
        }
    }
    m_buffer.clear();
    return std::nullopt;
}

std::optional<RawFrame> RequestFramer::takeAfterSilence()
{
    while (!m_buffer.isEmpty()) {
        const qsizetype size = m_buffer.size();
        if (size >= 4 && size <= MaxRtuFrame && hasValidCrc(m_buffer)) {
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
