// What a frame on the line says, for people reading a trace.
#include "comms/frame_decode.h"

#include "comms/modbus_ascii.h"
#include "comms/modbus_ascii_frames.h"
#include "comms/modbus_frames.h"
#include "comms/modbus_rtu.h"
#include "comms/vanta_link_frames.h"
#include "core/address.h"
#include "core/number_format.h"

#include <QStringList>

namespace vanta::comms {

namespace {

enum class Side
{
    Request,
    Reply
};

// A Modbus frame without its framing and check: address, function code, the bytes after them.
struct Pdu
{
    int address = 0;
    int function = 0;
    QByteArray data;
};

int byteAt(const QByteArray &bytes, int index)
{
    return index < bytes.size() ? static_cast<quint8>(bytes.at(index)) : 0;
}

int wordAt(const QByteArray &bytes, int index)
{
    return byteAt(bytes, index) * 256 + byteAt(bytes, index + 1);
}

QString registerText(int wire)
{
    return QStringLiteral("register ") + core::Hex4(wire) + QLatin1Char('H');
}

QString functionName(int function)
{
    switch (function) {
    case 1:
        return QStringLiteral("Read Coils");
    case 2:
        return QStringLiteral("Read Discrete Inputs");
    case 3:
        return QStringLiteral("Read Holding Registers");
    case 4:
        return QStringLiteral("Read Input Registers");
    case 5:
        return QStringLiteral("Write Single Coil");
    case 6:
        return QStringLiteral("Write Single Register");
    case 16:
        return QStringLiteral("Write Multiple Registers");
    case 103:
        return QStringLiteral("Family Read");
    default:
        return QStringLiteral("Function");
    }
}

bool isWordRead(int function)
{
    return function == 3 || function == 4 || function == 103;
}

bool isRead(int function)
{
    return function == 1 || function == 2 || isWordRead(function);
}

// Signed words from `first` on, `count` of them at most (as many as there are when negative).
QString wordList(const QByteArray &data, int first, int count)
{
    QStringList words;
    for (int i = first; i + 1 < data.size() && (count < 0 || words.size() < count); i += 2)
        words << QString::number(signedWord(wordAt(data, i)));
    return words.join(QStringLiteral(", "));
}

// The bits of a bit read, least significant first, as many as the request asked for.
QString bitList(const QByteArray &data, int count)
{
    QString bits;
    for (int i = 0; i < (int(data.size()) - 1) * 8 && (count < 0 || bits.size() < count); ++i)
        bits += (byteAt(data, 1 + i / 8) >> (i % 8)) & 1 ? QLatin1Char('1') : QLatin1Char('0');
    return bits;
}

QString requestDetail(const Pdu &pdu)
{
    const QByteArray &d = pdu.data;
    if (d.size() < 4)
        return QStringLiteral("data ") + QString::fromLatin1(d.toHex().toUpper());
    const QString reg = registerText(wordAt(d, 0));
    if (isRead(pdu.function))
        return reg + QStringLiteral(", count %1").arg(wordAt(d, 2));
    if (pdu.function == 5)
        return reg + QStringLiteral(", value ") + core::Hex4(wordAt(d, 2));
    if (pdu.function == 6)
        return reg + QStringLiteral(", value ") + QString::number(signedWord(wordAt(d, 2)));
    if (pdu.function == 16)
        return reg + QStringLiteral(", count %1, values ").arg(wordAt(d, 2)) + wordList(d, 5, -1);
    return QStringLiteral("data ") + QString::fromLatin1(d.toHex().toUpper());
}

QString readReplyDetail(const Pdu &pdu, const std::optional<Pdu> &request)
{
    const int count = request && request->data.size() >= 4 ? wordAt(request->data, 2) : -1;
    QString text;
    if (request && request->data.size() >= 4)
        text = registerText(wordAt(request->data, 0)) + QStringLiteral(", ");
    if (isWordRead(pdu.function))
        return text + QStringLiteral("values ") + wordList(pdu.data, 1, count);
    return text + QStringLiteral("bits ") + bitList(pdu.data, count);
}

QString replyDetail(const Pdu &pdu, const std::optional<Pdu> &request)
{
    if (isRead(pdu.function))
        return readReplyDetail(pdu, request);
    if (pdu.function == 16 && pdu.data.size() >= 4)
        return registerText(wordAt(pdu.data, 0)) +
               QStringLiteral(", count %1").arg(wordAt(pdu.data, 2));
    return requestDetail(pdu); // single writes echo their request
}

void describePdu(FrameMeaning &meaning, const Pdu &pdu, Side side,
                 const std::optional<Pdu> &request)
{
    meaning.address = pdu.address;
    const int function = pdu.function & 0x7F;
    meaning.summary = core::Hex2(function) + QLatin1Char(' ') + functionName(function);
    if (side == Side::Reply && (pdu.function & 0x80) != 0) {
        meaning.errorCode = byteAt(pdu.data, 0);
        meaning.errorMeaning = modbusExceptionName(*meaning.errorCode);
        meaning.summary += QStringLiteral(", exception ") + core::Hex2(*meaning.errorCode) +
                           QLatin1Char(' ') + meaning.errorMeaning;
        return;
    }
    meaning.summary += QStringLiteral(", ") +
                       (side == Side::Request ? requestDetail(pdu) : replyDetail(pdu, request));
}

// The length a whole RTU frame has, judged from its first bytes; 0 when they do not tell.
int rtuFrameLength(const QByteArray &bytes, Side side)
{
    const int function = byteAt(bytes, 1);
    if (side == Side::Reply && (function & 0x80) != 0)
        return 5;
    if (side == Side::Reply && isRead(function))
        return bytes.size() >= 3 ? 5 + byteAt(bytes, 2) : 0;
    if (function == 16 && side == Side::Request)
        return bytes.size() >= 7 ? 9 + byteAt(bytes, 6) : 0;
    if (isRead(function) || function == 5 || function == 6 || function == 16)
        return 8;
    return int(bytes.size());
}

// Splits an RTU frame into its PDU and judges its CRC; bytes past the frame's length are left
// out, as the engines ignore them.
Pdu rtuPdu(const QByteArray &bytes, Side side, FrameMeaning &meaning)
{
    meaning.checkName = QStringLiteral("CRC");
    const int length = rtuFrameLength(bytes, side);
    Pdu pdu{byteAt(bytes, 0), byteAt(bytes, 1), bytes.mid(2)};
    if (bytes.size() < 4 || length == 0 || bytes.size() < length) {
        meaning.check = CheckVerdict::Incomplete;
        return pdu;
    }
    const QByteArray frame = bytes.left(length);
    pdu.data = frame.mid(2, length - 4);
    meaning.check = ModbusCRC(frame.left(length - 2)) == frame.right(2) ? CheckVerdict::Good
                                                                        : CheckVerdict::Bad;
    return pdu;
}

std::optional<Pdu> modbusPduOfRtu(const QByteArray &request)
{
    if (request.size() < 2)
        return std::nullopt;
    FrameMeaning ignored;
    return rtuPdu(request, Side::Request, ignored);
}

// Splits an ASCII frame into its PDU and judges its LRC; empty when its characters are not
// pairs of hexadecimal digits.
std::optional<Pdu> asciiPdu(const QByteArray &bytes, FrameMeaning &meaning)
{
    meaning.checkName = QStringLiteral("LRC");
    const bool ended = bytes.endsWith("\r\n");
    QByteArray digits = bytes.startsWith(':') ? bytes.mid(1) : bytes;
    digits.chop(ended ? 2 : (digits.endsWith('\r') ? 1 : 0));
    const std::optional<QByteArray> frame = bytesFromHex(digits);
    if (!frame || frame->size() < 2) {
        meaning.check = ended ? CheckVerdict::Bad : CheckVerdict::Incomplete;
        return std::nullopt;
    }
    if (!ended || frame->size() < 3) {
        meaning.check = CheckVerdict::Incomplete;
        return Pdu{byteAt(*frame, 0), byteAt(*frame, 1), frame->mid(2)};
    }
    const QByteArray body = frame->chopped(1);
    meaning.check = ModbusLRC(body) == static_cast<quint8>(frame->back()) ? CheckVerdict::Good
                                                                          : CheckVerdict::Bad;
    return Pdu{byteAt(body, 0), byteAt(body, 1), body.mid(2)};
}

std::optional<Pdu> modbusPduOfAscii(const QByteArray &request)
{
    FrameMeaning ignored;
    return asciiPdu(request, ignored);
}

FrameMeaning decodeModbus(Protocol protocol, const QByteArray &bytes, Side side,
                          const QByteArray &request)
{
    FrameMeaning meaning;
    if (protocol == Protocol::ModbusRtu) {
        describePdu(meaning, rtuPdu(bytes, side, meaning), side, modbusPduOfRtu(request));
        return meaning;
    }
    const std::optional<Pdu> pdu = asciiPdu(bytes, meaning);
    if (!pdu) {
        meaning.summary = QStringLiteral("not hexadecimal digits");
        return meaning;
    }
    describePdu(meaning, *pdu, side, modbusPduOfAscii(request));
    return meaning;
}

// ---- Vanta Link ------------------------------------------------------------------------------

struct LinkCommand
{
    int code = 0;
    bool write = false;
    QString text; // as sent: 2 or 4 digits
};

std::optional<int> hexValue(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 16);
    return ok && !text.isEmpty() ? std::optional<int>(value) : std::nullopt;
}

// The characters of a request between STX "L" and ETX, without the terminator.
QString linkRequestInner(const QByteArray &bytes)
{
    QString text = QString::fromLatin1(bytes);
    if (text.startsWith(QChar(STX)))
        text.remove(0, 1);
    if (text.startsWith(QLatin1Char('L')))
        text.remove(0, 1);
    if (text.endsWith(QChar(ETX)))
        text.chop(1);
    return text;
}

// Reads name a command in 2 digits, or in 4 above 255; writes always take 4 and carry 6 data
// characters below 1024.
std::optional<LinkCommand> linkCommand(const QString &body)
{
    const QString digits = body.left(body.size() == 2 ? 2 : 4);
    const std::optional<int> code = hexValue(digits);
    if (!code || (body.size() != 2 && body.size() != 4 && body.size() != 10))
        return std::nullopt;
    const bool write = body.size() == 10 || (body.size() == 4 && isVantaLinkWriteCommand(*code));
    return LinkCommand{*code, write, digits};
}

std::optional<LinkCommand> linkCommandOfRequest(const QByteArray &request)
{
    const QString inner = linkRequestInner(request);
    return inner.size() < 4 ? std::nullopt : linkCommand(inner.mid(2, inner.size() - 4));
}

QString commandSummary(const LinkCommand &command)
{
    return (command.write ? QStringLiteral("write ") : QStringLiteral("read ")) + command.text;
}

FrameMeaning decodeLinkRequest(const QByteArray &bytes)
{
    FrameMeaning meaning;
    meaning.checkName = QStringLiteral("checksum");
    const QString inner = linkRequestInner(bytes);
    meaning.address = hexValue(inner.left(2));
    if (!bytes.endsWith(ETX) || inner.size() < 6) {
        meaning.check = CheckVerdict::Incomplete;
        meaning.summary = QStringLiteral("request ") + inner;
        return meaning;
    }
    const QString body = inner.mid(2, inner.size() - 4);
    meaning.check = VantaLinkChecksum(inner.chopped(2)) == inner.right(2) ? CheckVerdict::Good
                                                                          : CheckVerdict::Bad;
    const std::optional<LinkCommand> command = linkCommand(body);
    if (!command) {
        meaning.summary = QStringLiteral("command ") + body;
        return meaning;
    }
    meaning.summary = commandSummary(*command);
    if (body.size() == 10)
        meaning.summary += QStringLiteral(", data ") + body.mid(4);
    return meaning;
}

// " = 12.3 °C" for the commands whose data hold a value field.
QString valueFieldText(const std::optional<LinkCommand> &command, const QString &data)
{
    if (!command || command->write)
        return {};
    QString field;
    if (command->code == 0)
        field = data.mid(2, 6);
    else if (command->code >= 256 && command->code <= 409)
        field = data.left(6);
    const std::optional<ValueField> value = decodeValueField(field);
    if (!value)
        return {};
    return QStringLiteral(" = ") + core::formatNumber(value->Value, value->FormatText) +
           (value->UnitText.isEmpty() ? QString() : QLatin1Char(' ') + value->UnitText);
}

void describeNak(FrameMeaning &meaning, const QString &reply)
{
    meaning.check = CheckVerdict::None;
    meaning.errorCode = static_cast<int>(core::leadingNumber(reply.mid(5, 2)));
    meaning.errorMeaning = vantaLinkNakMeaning(*meaning.errorCode).name;
    meaning.summary += QStringLiteral(", negative acknowledge ") + reply.mid(5, 2) +
                       QLatin1Char(' ') + meaning.errorMeaning;
}

FrameMeaning decodeLinkReply(const QByteArray &bytes, const QByteArray &request)
{
    FrameMeaning meaning;
    meaning.checkName = QStringLiteral("checksum");
    const QString reply = vantaLinkReplyText(bytes);
    meaning.address = hexValue(reply.mid(2, 2));
    const std::optional<LinkCommand> command = linkCommandOfRequest(request);
    meaning.summary = command ? commandSummary(*command) : QStringLiteral("reply");
    if (reply.size() == 7 && reply.at(4).toUpper() == QLatin1Char('N')) {
        describeNak(meaning, reply);
        return meaning;
    }
    if (!bytes.endsWith(ACK) || reply.size() < 6) {
        meaning.check = CheckVerdict::Incomplete;
        if (reply.size() > 4)
            meaning.summary += QStringLiteral(", data ") + reply.mid(4);
        return meaning;
    }
    meaning.check = VantaLinkChecksum(reply.mid(1, reply.size() - 3)) == reply.right(2)
                        ? CheckVerdict::Good
                        : CheckVerdict::Bad;
    const QString data = reply.mid(4, reply.size() - 6);
    if (!data.isEmpty())
        meaning.summary += QStringLiteral(", data ") + data + valueFieldText(command, data);
    return meaning;
}

FrameMeaning noReply()
{
    FrameMeaning meaning;
    meaning.summary = QStringLiteral("no reply");
    return meaning;
}

} // namespace

QString FrameMeaning::verdictText() const
{
    switch (check) {
    case CheckVerdict::Good:
        return checkName + QStringLiteral(" good");
    case CheckVerdict::Bad:
        return checkName + QStringLiteral(" bad");
    case CheckVerdict::Incomplete:
        return QStringLiteral("incomplete");
    case CheckVerdict::None:
        break;
    }
    return {};
}

FrameMeaning decodeRequest(Protocol protocol, const QByteArray &bytes)
{
    if (protocol == Protocol::VantaLink)
        return decodeLinkRequest(bytes);
    return decodeModbus(protocol, bytes, Side::Request, {});
}

FrameMeaning decodeReply(Protocol protocol, const QByteArray &bytes, const QByteArray &request)
{
    if (bytes.isEmpty())
        return noReply();
    if (protocol == Protocol::VantaLink)
        return decodeLinkReply(bytes, request);
    return decodeModbus(protocol, bytes, Side::Reply, request);
}

} // namespace vanta::comms
