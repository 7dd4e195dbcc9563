// Feeds arbitrary reply bytes to the Modbus ASCII engine through the scripted line. Stops on a
// crash, a hang, or a reply that the engine accepted although it fails its own checks.
#include "comms/modbus_ascii.h"
#include "engine_fuzz_support.h"

namespace {

using namespace vanta;
using fuzz::lastReceived;
using fuzz::require;

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The bytes of `text`, every character an upper-case hexadecimal digit, whose last byte is the
// LRC of the others.
QByteArray bytesWithGoodLrc(const QByteArray &text)
{
    require(text.size() % 2 == 0 && !text.isEmpty());
    QByteArray bytes;
    for (int i = 0; i < text.size(); i += 2) {
        const int high = hexValue(text.at(i));
        const int low = hexValue(text.at(i + 1));
        require(high >= 0 && low >= 0);
        bytes.append(char(high * 16 + low));
    }
    quint8 sum = 0;
    for (int i = 0; i + 1 < bytes.size(); ++i)
        sum = quint8(sum + quint8(bytes.at(i)));
    require(quint8(-sum) == quint8(bytes.back()));
    return bytes.chopped(1);
}

void checkAcceptedRead(const test::CommRig &rig, int type, int count, const QVector<float> &values)
{
    const QByteArray reply = lastReceived(rig);
    const QByteArray sent = rig.line.requests.back();
    require(reply.endsWith('\n') && reply.mid(1, 4) == sent.mid(1, 4));
    const bool bits = type <= 2;
    const int dataChars = bits ? 2 * ((count - 1) / 8 + 1) : 4 * count;
    const QByteArray bytes = bytesWithGoodLrc(reply.mid(1, dataChars + 8));
    const QByteArray data = bytes.mid(3);
    const int valueCount = bits ? int(data.size()) : count;
    require(values.size() >= valueCount);
    for (int i = 0; i < valueCount; ++i) {
        const int expected = bits
                                 ? quint8(data.at(i)) & 0x0F
                                 : qint16(quint8(data.at(2 * i)) << 8 | quint8(data.at(2 * i + 1)));
        require(values[i] == float(expected));
    }
}

void checkAcceptedWrite(const test::CommRig &rig)
{
    const QByteArray reply = lastReceived(rig);
    require(reply.endsWith('\n') && reply.left(13) == rig.line.requests.back().left(13));
    bytesWithGoodLrc(reply.mid(1, 14));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const fuzz::ModbusEngineUnderTest engine{&comms::ModbusRead_A, &comms::ModbusWrite_A,
                                                    true, &checkAcceptedRead, &checkAcceptedWrite};
    return fuzz::fuzzModbusEngine(data, size, engine);
}
