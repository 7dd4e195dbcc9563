// Decoding real frames of the three protocols for the trace: requests, replies, bad checks,
// exceptions and negative acknowledgements.
#include "comms/frame_decode.h"

#include <gtest/gtest.h>

namespace vanta::comms {
namespace {

struct DecodeCase
{
    Protocol protocol;
    const char *bytes;   // Modbus RTU frames in hexadecimal, the text protocols as they are
    const char *request; // a reply: the request it answers ("" unknown); null: a request
    int address;         // -1: none
    const char *summary;
    const char *verdict;
    int errorCode; // -1: none
};

constexpr Protocol R = Protocol::ModbusRtu;
constexpr Protocol A = Protocol::ModbusAscii;
constexpr Protocol L = Protocol::VantaLink;

const DecodeCase DecodeCases[] = {
    // Requests as the engines send them.
    {R, "010307010001d4be", nullptr, 1, "03 Read Holding Registers, register 0701H, count 1",
     "CRC good", -1},
    {R, "011000100002040001000222a2", nullptr, 1,
     "10 Write Multiple Registers, register 0010H, count 2, values 1, 2", "CRC good", -1},
    {R, "01050002ff002dfa", nullptr, 1, "05 Write Single Coil, register 0002H, value FF00",
     "CRC good", -1},
    {A, ":010307010001F3\r\n", nullptr, 1, "03 Read Holding Registers, register 0701H, count 1",
     "LRC good", -1},
    {L, "\x02L010AD2\x03", nullptr, 1, "read 0A", "checksum good", -1},
    {L, "\x02L0101000005FF73\x03", nullptr, 1, "write 0100, data 0005FF", "checksum good", -1},
    {L, "\x02L010AD3\x03", nullptr, 1, "read 0A", "checksum bad", -1},
    // Modbus RTU replies.
    {R, "01030204d23ad9", "010307010001d4be", 1,
     "03 Read Holding Registers, register 0701H, values 1234", "CRC good", -1},
    {R, "010302ffffb9f4", "010307010001d4be", 1,
     "03 Read Holding Registers, register 0701H, values -1", "CRC good", -1},
    {R, "01030204d23ad8", "010307010001d4be", 1,
     "03 Read Holding Registers, register 0701H, values 1234", "CRC bad", -1},
    {R, "010302", "010307010001d4be", 1, "03 Read Holding Registers, register 0701H, values ",
     "incomplete", -1},
    {R, "018302c0f1", "010307010001d4be", 1,
     "03 Read Holding Registers, exception 02 Illegal Data Address", "CRC good", 2},
    {R, "0190044dc3", "", 1, "10 Write Multiple Registers, exception 04 Slave Device Failure",
     "CRC good", 4},
    {R, "0101010d904d", "010100050001edcb", 1, "01 Read Coils, register 0005H, bits 1", "CRC good",
     -1},
    {R, "011000100002400d", "", 1, "10 Write Multiple Registers, register 0010H, count 2",
     "CRC good", -1},
    // Modbus ASCII replies.
    {A, ":01030204D224\r\n", ":010307010001F3\r\n", 1,
     "03 Read Holding Registers, register 0701H, values 1234", "LRC good", -1},
    {A, ":01030204D225\r\n", ":010307010001F3\r\n", 1,
     "03 Read Holding Registers, register 0701H, values 1234", "LRC bad", -1},
    {A, ":0183027A\r\n", ":010307010001F3\r\n", 1,
     "03 Read Holding Registers, exception 02 Illegal Data Address", "LRC good", 2},
    {A, ":01030204D2", ":010307010001F3\r\n", 1,
     "03 Read Holding Registers, register 0701H, values 1234", "incomplete", -1},
    {A, ":01G3\r\n", "", -1, "not hexadecimal digits", "LRC bad", -1},
    // Vanta Link replies.
    {L, "\x02L01XK000010\x06", "\x02L010AD2\x03", 1, "read 0A, data XK0000", "checksum good", -1},
    {L, "\x02L01XK000011\x06", "\x02L010AD2\x03", 1, "read 0A, data XK0000", "checksum bad", -1},
    {L, "\x02L01XK000010", "\x02L010AD2\x03", 1, "read 0A, data XK000010", "incomplete", -1},
    {L, "\x02L010834012342\x06", "\x02L0100C1\x03", 1,
     "read 00, data 08340123 = 0.123 \xB0"
     "C",
     "checksum good", -1},
    {L, "\x02L01110123D5\x06", "\x02L01012C37\x03", 1, "read 012C, data 110123 = -12.3",
     "checksum good", -1},
    {L, "\x02L01N06\x06", "\x02L010AD2\x03", 1,
     "read 0A, negative acknowledge 06 Undefined command", "", 6},
    {L, "\x02L01N07\x06", "", 1, "reply, negative acknowledge 07 Unknown or unused error code", "",
     7},
    // Silence.
    {R, "", "010307010001d4be", -1, "no reply", "", -1},
};

QByteArray frameBytes(Protocol protocol, const char *text)
{
    const QByteArray bytes(text);
    return protocol == Protocol::ModbusRtu ? QByteArray::fromHex(bytes) : bytes;
}

TEST(FrameDecode, DecodesRealFramesOfEveryProtocol)
{
    for (const DecodeCase &c : DecodeCases) {
        SCOPED_TRACE(c.bytes);
        const QByteArray bytes = frameBytes(c.protocol, c.bytes);
        const FrameMeaning meaning =
            c.request ? decodeReply(c.protocol, bytes, frameBytes(c.protocol, c.request))
                      : decodeRequest(c.protocol, bytes);
        EXPECT_EQ(meaning.address.value_or(-1), c.address);
        EXPECT_EQ(meaning.summary, QString::fromLatin1(c.summary));
        EXPECT_EQ(meaning.verdictText(), QString::fromLatin1(c.verdict));
        EXPECT_EQ(meaning.errorCode.value_or(-1), c.errorCode);
    }
}

// Whatever comes off the line, the decoder answers without reading past the bytes.
TEST(FrameDecode, SurvivesEveryCutOfARealFrame)
{
    const QByteArray frames[] = {QByteArray::fromHex("011000100002040001000222a2"),
                                 ":01030204D224\r\n", "\x02L010834012342\x06",
                                 "\x02L0101000005FF73\x03"};
    for (const Protocol protocol : {R, A, L}) {
        for (const QByteArray &frame : frames) {
            for (int length = 0; length <= frame.size(); ++length) {
                decodeReply(protocol, frame.left(length), frame);
                decodeRequest(protocol, frame.left(length));
            }
        }
    }
}

} // namespace
} // namespace vanta::comms
