// Feeds arbitrary reply bytes to the Vanta Link engine through the scripted line, and arbitrary
// fields to Decode. Stops on a crash, a hang, or a reply that the engine accepted although it
// fails its own checks.
#include "comms/vanta_link.h"
#include "engine_fuzz_support.h"

#include <cstdint>

namespace {

using namespace vanta;
using fuzz::lastReceived;
using fuzz::require;

// Ends in ACK, is no negative acknowledgement, and its last two characters are the low byte of
// the sum of the characters between the first one and them.
void checkAcceptedReply(const test::CommRig &rig, int minimumLength)
{
    const QByteArray received = lastReceived(rig);
    require(received.endsWith('\x06'));
    const QByteArray reply = received.chopped(1);
    require(reply.size() > 3 && reply.size() >= minimumLength);
    require(!(reply.size() == 7 && (reply.at(4) == 'N' || reply.at(4) == 'n')));
    unsigned sum = 0;
    for (int i = 1; i < reply.size() - 2; ++i)
        sum += quint8(reply.at(i));
    require(reply.right(2) == QByteArray::number(sum & 0xFF, 16).toUpper().rightJustified(2, '0'));
}

void checkDecode(const QByteArray &bytes)
{
    float value = 1234.5f;
    float divisor = -1;
    QString unit = QStringLiteral("u");
    QString format = QStringLiteral("f");
    const QString field = QString::fromLatin1(bytes.left(8));
    const QString text = comms::Decode(field, value, divisor, unit, format);
    if (text.isEmpty()) {
        require(value == 1234.5f && divisor == -1 && unit == "u" && format == "f");
        return;
    }
    require(field.size() == 6 && value >= -9999 && value <= 9999);
    require(divisor == 1 || divisor == 10 || divisor == 100 || divisor == 1000);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const int commands[] = {0, 5, 10, 300, 800, 1792, 1793, 1794, 1841, 256, 1024};
    static const int minimumLengths[] = {14, 16, 8, 12, 8, 8, 16, 16, 16, 12, 8};
    test::CommRig *rig = fuzz::rigForInput(data, size, 3);
    if (!rig)
        return 0;
    checkDecode(QByteArray(reinterpret_cast<const char *>(data + 3), int(size - 3)));
    const int pick = data[0] % 11;
    const bool isRead = (data[0] & 0x80) != 0 && commands[pick] != 256 && commands[pick] != 1024;
    rig->app.PacingEnabled = (data[2] & 1) != 0;
    qint16 status = 0;
    QString text;
    if (isRead) {
        comms::VantaLinkValue value;
        comms::VantaLinkRead(rig->link, text, status, 1, commands[pick], value, data[2] >> 1);
        if (status == 0)
            checkAcceptedReply(*rig, minimumLengths[pick]);
    } else {
        QString replyText;
        const float written = float(int(data[2]) * 80 - 10000);
        comms::VantaLinkWrite(rig->link, text, status, 1, commands[pick], written, 0, replyText,
                              (data[0] & 0x40) != 0);
        if (status == 0)
            checkAcceptedReply(*rig, 0);
    }
    fuzz::requireConsistent(status, text);
    return 0;
}
