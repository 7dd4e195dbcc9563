// Feeds arbitrary reply bytes to the Modbus RTU engine through the scripted line. Stops on a
// crash, a hang, or a reply that the engine accepted although it fails its own checks.
#include "comms/modbus_rtu.h"
#include "engine_fuzz_support.h"

namespace {

using namespace vanta;
using fuzz::lastReceived;
using fuzz::require;

quint16 crc16(const QByteArray &bytes)
{
    quint16 crc = 0xFFFF;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

bool hasGoodCrc(const QByteArray &frame)
{
    if (frame.size() < 3)
        return false;
    const quint16 crc = crc16(frame.chopped(2));
    return quint8(frame.at(frame.size() - 2)) == (crc & 0xFF) && quint8(frame.back()) == (crc >> 8);
}

void checkAcceptedRead(const test::CommRig &rig, int type, int count, const QVector<float> &values)
{
    static const int functionCodes[] = {0, 1, 2, 3, 4, 103};
    const bool bits = type <= 2;
    const int length = (bits ? (count + 7) / 8 : count * 2) + 5;
    const QByteArray reply = lastReceived(rig);
    require(reply.size() == length && hasGoodCrc(reply));
    require(quint8(reply.at(0)) == 1 && quint8(reply.at(1)) == functionCodes[type]);
    require(quint8(reply.at(2)) + 5 == length);
    require(values.size() >= count);
    for (int i = 0; i < count; ++i) {
        const int expected =
            bits ? (quint8(reply.at(3 + i / 8)) >> (i % 8)) & 1
                 : qint16(quint8(reply.at(3 + 2 * i)) << 8 | quint8(reply.at(4 + 2 * i)));
        require(values[i] == float(expected));
    }
}

void checkAcceptedWrite(const test::CommRig &rig)
{
    const QByteArray reply = lastReceived(rig);
    require(reply.size() == 8 && hasGoodCrc(reply));
    require(reply.left(6) == rig.line.requests.back().left(6));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const fuzz::ModbusEngineUnderTest engine{&comms::ModbusRead_R, &comms::ModbusWrite_R,
                                                    false, &checkAcceptedRead, &checkAcceptedWrite};
    return fuzz::fuzzModbusEngine(data, size, engine);
}
