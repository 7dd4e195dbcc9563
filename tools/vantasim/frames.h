// Splitting the bytes that arrive on the line into request frames of the three protocols, and
// building reply frames. The line carries all three at once, so each frame is recognised by
// its own shape: Vanta Link between STX "L" and ETX, Modbus ASCII between ":" and CR LF,
// Modbus RTU by its function code's length and a valid CRC.
#pragma once

#include <QByteArray>
#include <optional>

namespace vanta::sim {

enum class Protocol
{
    VantaLink,
    ModbusRtu,
    ModbusAscii
};

// "L", "R", "A" as the application names them; empty for any other letter.
std::optional<Protocol> protocolFromCode(char code);
char protocolCode(Protocol protocol);
bool isModbus(Protocol protocol);

struct RawFrame
{
    Protocol protocol = Protocol::ModbusRtu;
    QByteArray bytes;
};

class RequestFramer
{
public:
    void append(const QByteArray &bytes) { m_buffer.append(bytes); }
    bool isEmpty() const { return m_buffer.isEmpty(); }
    // The next complete frame. Bytes that cannot start any frame are dropped; an incomplete
    // frame stays until more bytes come or the line falls silent. A text frame restarts at a
    // second start character before its end. Linear in the bytes appended: each search is
    // bounded by the frame's longest length and garbage goes in one step, so what stays is
    // never more than one frame's length.
    std::optional<RawFrame> next();
    // Called when the line has been silent: an RTU frame of a function this side does not know
    // is recognised by its CRC alone (so it can be refused); anything else left is dropped.
    // Call again until it returns nothing: frames may follow the unknown bytes.
    std::optional<RawFrame> takeAfterSilence();

private:
    enum class UnknownFunction
    {
        Wait,
        Skip
    };
    std::optional<RawFrame> nextFrame(UnknownFunction unknown);

    QByteArray m_buffer;
};

// A Modbus request or reply without its framing: address, function code, the bytes after them.
struct ModbusPdu
{
    int address = 0;
    int function = 0;
    QByteArray data;
};

// Empty when the frame is too short or its CRC or LRC is wrong (such frames are not answered).
std::optional<ModbusPdu> decodeRtu(const QByteArray &frame);
std::optional<ModbusPdu> decodeAscii(const QByteArray &frame);

// A Vanta Link request: the address and the characters between it and the checksum (command
// and data), with whether the host's checksum was right.
struct VantaLinkRequest
{
    int address = 0;
    QByteArray body;
    bool checksumOk = false;
};

// Empty when the frame has no readable address (nobody would know it was theirs).
std::optional<VantaLinkRequest> decodeVantaLink(const QByteArray &frame);

// A reply before it goes on the wire. Vanta Link payloads are the characters after the
// address; Modbus payloads are the function code and data.
struct Reply
{
    Protocol protocol = Protocol::ModbusRtu;
    int address = 0;
    QByteArray payload;
    bool checked = true;       // Vanta Link negative acknowledgements carry no checksum
    bool corruptCheck = false; // a wrong CRC, LRC or checksum (fault injection)
    bool withAck = true;       // Vanta Link replies end with ACK
};

QByteArray encodeReply(const Reply &reply);

namespace control {
constexpr char STX = 0x02;
constexpr char ETX = 0x03;
constexpr char ACK = 0x06;
} // namespace control

} // namespace vanta::sim
