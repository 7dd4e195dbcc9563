// Vanta Link frames: requests, the value field, and judging replies. Pure functions; the engine
// only moves the bytes.
#pragma once

#include "comms/transaction.h"
#include "comms/vanta_link.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace vanta::comms {

constexpr char STX = 2;
constexpr char ETX = 3;
constexpr char ACK = 6;

// What the error code of a negative acknowledgement means, and the status it gives.
struct NakMeaning
{
    qint16 status = -1;
    QString name; // "Undefined command"
    bool known = false;
};
NakMeaning vantaLinkNakMeaning(int code);

// Commands 512..665 and 1024..1177 write; a read must not use them.
bool isVantaLinkWriteCommand(int Command);

// One Vanta Link exchange as the texts name it.
struct VantaLinkRequest
{
    int Address = 0;
    int Command = 0;
    int Register = 0;    // the program's register number for texts; 0 names the command
    QString commandText; // as sent: 2 or 4 hexadecimal digits

    QString addressPrefix() const; // "Address 01"
    // " for register 1794 (0A)", or " for command 0A" when Register is 0.
    QString label() const;
    QString failure(const char *words) const;
};

// Reads name commands up to 255 with 2 digits, others with 4; writes always use 4.
QString readCommandText(int Command);
QString writeCommandText(int Command);

// STX, "L", address, command and data, checksum, ETX.
QByteArray buildVantaLinkRequest(int Address, const QString &commandText, const QString &data);

// The 6-character data of a write, or empty when the command carries none (1024 and above).
// Decimal: four digits of the rounded magnitude, then "00" (0 or positive) or "FF" (negative);
// RawHex: four hexadecimal digits of the 16-bit value, then "00". The value must be in range.
QString vantaLinkWriteData(int Command, float Value, bool RawHex);
// Decimal values must round into -9999..9999, raw ones into -32768..32676.
bool isVantaLinkWriteValueInRange(float Value, bool RawHex);

// The value field: status byte (2 hexadecimal digits) and magnitude (4 decimal digits).
struct ValueField
{
    float Value = 0;
    float Divisor = 1;
    QString UnitText;
    QString FormatText;
};
// Empty when the field is not 6 characters of that form.
std::optional<ValueField> decodeValueField(const QString &field);

// Judges a write reply: incomplete until ACK; a negative acknowledgement ends with the
// instrument's code (code 3 names `writtenValue`), 3 characters or fewer and a checksum mismatch
// are retried.
ReplyCheck judgeVantaLinkWriteReply(const VantaLinkRequest &request, const QByteArray &received,
                                    float writtenValue);

struct VantaLinkReadOutcome
{
    ReplyCheck check;
    VantaLinkValue value;
};
// Judges a read reply as a write reply, then its length for the command, then decodes it into a
// copy of `before`. Numbers in the reply must be digits of their base, else it fails as a
// checksum error.
VantaLinkReadOutcome judgeVantaLinkReadReply(const VantaLinkRequest &request,
                                             const QByteArray &received,
                                             const VantaLinkValue &before);

// The reply text of received bytes: everything before the final ACK.
QString vantaLinkReplyText(const QByteArray &received);

} // namespace vanta::comms
