// The pseudo-terminal responder and its instruments.
#include "support/pty_responder.h"

#include <cerrno>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace vanta::test {

namespace {

constexpr char STX = 2;
constexpr char ETX = 3;
constexpr char ACK = 6;

void writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += n;
    }
}

int byteAt(const QByteArray &bytes, qsizetype i)
{
    return static_cast<quint8>(bytes.at(i));
}

int wordAt(const QByteArray &bytes, qsizetype i)
{
    return byteAt(bytes, i) * 256 + byteAt(bytes, i + 1);
}

void appendWord(QByteArray &bytes, int word)
{
    bytes.append(char((word >> 8) & 0xFF));
    bytes.append(char(word & 0xFF));
}

// The reply to one Modbus request (address, function, data; no check bytes), or nothing for a
// request to another address.
std::optional<QByteArray> modbusReply(int address, RegisterMap &registers, const QByteArray &pdu)
{
    if (pdu.size() < 2 || byteAt(pdu, 0) != address)
        return std::nullopt;
    const int function = byteAt(pdu, 1);
    QByteArray reply = pdu.left(2);
    auto exception = [&](int code) {
        QByteArray error;
        error.append(char(address));
        error.append(char(function | 0x80));
        error.append(char(code));
        return error;
    };
    if (pdu.size() < 6)
        return exception(3);
    const int first = wordAt(pdu, 2);
    const int countOrValue = wordAt(pdu, 4);
    auto has = [&](int count) {
        for (int r = first; r < first + count; ++r) {
            if (registers.find(r) == registers.end())
                return false;
        }
        return true;
    };
    switch (function) {
    case 1:
    case 2: {
        if (!has(countOrValue))
            return exception(2);
        QByteArray bits((countOrValue + 7) / 8, '\0');
        for (int i = 0; i < countOrValue; ++i) {
            if (registers[first + i] != 0)
                bits[i / 8] = char(bits[i / 8] | (1 << (i % 8)));
        }
        reply.append(char(bits.size()));
        return reply + bits;
    }
    case 3:
    case 4:
    case 0x67:
        if (!has(countOrValue))
            return exception(2);
        reply.append(char(countOrValue * 2));
        for (int i = 0; i < countOrValue; ++i)
            appendWord(reply, registers[first + i] & 0xFFFF);
        return reply;
    case 5:
    case 6:
        if (!has(1))
            return exception(2);
        registers[first] = function == 5 ? (countOrValue == 0xFF00 ? 1 : 0) : countOrValue;
        return pdu.left(6);
    case 16:
        if (!has(countOrValue) || pdu.size() < 7 + countOrValue * 2)
            return exception(2);
        for (int i = 0; i < countOrValue; ++i)
            registers[first + i] = wordAt(pdu, 7 + i * 2);
        return pdu.left(6);
    default:
        return exception(1);
    }
}

// Length of the RTU request at the start of `pending`, or 0 while it cannot be told yet.
qsizetype rtuRequestLength(const QByteArray &pending)
{
    if (pending.size() < 2)
        return 0;
    if (byteAt(pending, 1) != 16)
        return pending.size() >= 8 ? 8 : 0;
    return pending.size() >= 7 ? 9 + byteAt(pending, 6) : 0;
}

QByteArray withCrc(const QByteArray &frame)
{
    return frame + crc16Modbus(frame);
}

QByteArray asciiFrame(const QByteArray &bytes)
{
    QByteArray hex = bytes.toHex().toUpper();
    hex += QByteArray(1, char(lrc(bytes))).toHex().toUpper();
    return ':' + hex + "\r\n";
}

bool isVantaLinkWriteCommand(int command)
{
    return (command >= 512 && command <= 665) || (command >= 1024 && command <= 1177);
}

} // namespace

PtyResponder::PtyResponder(Handler handler) : m_handler(std::move(handler))
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    termios raw{};
    ::tcgetattr(m_slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(m_slave, TCSANOW, &raw);
    m_devicePath = QString::fromLocal8Bit(name);
    m_thread = std::thread([this] { run(); });
}

PtyResponder::~PtyResponder()
{
    m_stop = true;
    m_thread.join();
    ::close(m_slave);
    ::close(m_master);
}

QByteArray PtyResponder::received() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_received;
}

void PtyResponder::run()
{
    QByteArray pending;
    char buffer[4096];
    while (!m_stop) {
        pollfd fd{m_master, POLLIN, 0};
        if (::poll(&fd, 1, 20) <= 0 || !(fd.revents & POLLIN))
            continue;
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            continue;
        pending.append(buffer, n);
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_received.append(buffer, n);
        }
        handle(pending);
    }
}

void PtyResponder::handle(QByteArray &pending)
{
    while (!pending.isEmpty()) {
        const std::optional<Answer> answer = m_handler(pending);
        if (!answer)
            return;
        pending.remove(0, qMax<qsizetype>(1, answer->used));
        ++m_requests;
        if (!answer->reply.isEmpty())
            writeAll(m_master, answer->reply);
    }
}

PtyResponder::Handler modbusRtuInstrument(int address, std::shared_ptr<RegisterMap> registers)
{
    return [address, registers](const QByteArray &pending) -> std::optional<PtyResponder::Answer> {
        const qsizetype length = rtuRequestLength(pending);
        if (length == 0 || pending.size() < length)
            return std::nullopt;
        const QByteArray frame = pending.left(length);
        if (crc16Modbus(frame.left(length - 2)) != frame.right(2))
            return PtyResponder::Answer{length, {}};
        const std::optional<QByteArray> reply =
            modbusReply(address, *registers, frame.left(length - 2));
        return PtyResponder::Answer{length, reply ? withCrc(*reply) : QByteArray()};
    };
}

PtyResponder::Handler modbusAsciiInstrument(int address, std::shared_ptr<RegisterMap> registers)
{
    return [address, registers](const QByteArray &pending) -> std::optional<PtyResponder::Answer> {
        const qsizetype end = pending.indexOf('\n');
        if (end < 0)
            return std::nullopt;
        const qsizetype start = pending.indexOf(':');
        if (start < 0 || start > end)
            return PtyResponder::Answer{end + 1, {}};
        const QByteArray bytes =
            QByteArray::fromHex(pending.mid(start + 1, end - start - 1).trimmed());
        if (bytes.size() < 3 || lrc(bytes.left(bytes.size() - 1)) != quint8(bytes.back()))
            return PtyResponder::Answer{end + 1, {}};
        const std::optional<QByteArray> reply =
            modbusReply(address, *registers, bytes.left(bytes.size() - 1));
        return PtyResponder::Answer{end + 1, reply ? asciiFrame(*reply) : QByteArray()};
    };
}

PtyResponder::Handler vantaLinkInstrument(int address, std::map<int, QByteArray> replies)
{
    return [address, replies](const QByteArray &pending) -> std::optional<PtyResponder::Answer> {
        const qsizetype end = pending.indexOf(ETX);
        if (end < 0)
            return std::nullopt;
        const QByteArray frame = pending.left(end);
        // STX "L" address command [data] checksum
        if (frame.size() < 8 || frame.at(0) != STX || frame.at(1) != 'L')
            return PtyResponder::Answer{end + 1, {}};
        const QByteArray body = frame.mid(2, frame.size() - 4);
        if (vantaLinkSum(body) != frame.right(2))
            return PtyResponder::Answer{end + 1, {}};
        const QByteArray addressText = body.left(2);
        if (addressText.toInt(nullptr, 16) != address)
            return PtyResponder::Answer{end + 1, {}};
        const QByteArray commandText = body.mid(2, body.size() == 4 ? 2 : 4);
        const int command = commandText.toInt(nullptr, 16);
        const bool write = body.size() > 6 || isVantaLinkWriteCommand(command);
        if (write)
            return PtyResponder::Answer{end + 1, vantaLinkReplyFrame(addressText, {})};
        const auto found = replies.find(command);
        if (found == replies.end()) // undefined command
            return PtyResponder::Answer{end + 1, vantaLinkNakFrame(addressText, 6)};
        return PtyResponder::Answer{end + 1, vantaLinkReplyFrame(addressText, found->second)};
    };
}

PtyResponder::Handler silentInstrument()
{
    return [](const QByteArray &pending) -> std::optional<PtyResponder::Answer> {
        return PtyResponder::Answer{pending.size(), {}};
    };
}

QByteArray crc16Modbus(const QByteArray &frame)
{
    quint16 crc = 0xFFFF;
    for (const char byte : frame) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    QByteArray bytes;
    bytes.append(char(crc & 0xFF));
    bytes.append(char(crc >> 8));
    return bytes;
}

quint8 lrc(const QByteArray &bytes)
{
    quint8 sum = 0;
    for (const char byte : bytes)
        sum = quint8(sum + quint8(byte));
    return quint8(-sum);
}

QByteArray vantaLinkSum(const QByteArray &text)
{
    int sum = 0;
    for (const char c : text)
        sum += quint8(c);
    return QByteArray::number(sum & 0xFF, 16).toUpper().rightJustified(2, '0');
}

QByteArray vantaLinkReplyFrame(const QByteArray &addressText, const QByteArray &data)
{
    const QByteArray text = 'L' + addressText + data;
    return STX + text + vantaLinkSum(text) + ACK;
}

QByteArray vantaLinkNakFrame(const QByteArray &addressText, int code)
{
    return STX + ('L' + addressText) + 'N' + QByteArray::number(code).rightJustified(2, '0') + ACK;
}

} // namespace vanta::test
