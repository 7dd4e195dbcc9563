// Vanta Link transactions: the instrument family's own ASCII protocol.
#pragma once

#include "comms/comm_link.h"
#include "comms/scaled_value.h"

#include <QString>

namespace vanta::comms {

// What a Vanta Link read returns besides status and text: the decoded value (ValueText is the
// reply's display text), the reply text and the reply's number taken as hexadecimal. Fields a
// reply does not carry are left as the caller passed them.
struct VantaLinkValue : ScaledValue
{
    QString ReplyText;
    float RawValue = 0;
};

// Two upper-case hexadecimal digits: the low byte of the sum of the character codes.
QString VantaLinkChecksum(const QString &Text);

// Decodes the six-character value field (status byte in hex, four decimal digits) into Value,
// Divisor, UnitText and FormatText and returns the value formatted with FormatText. A field not
// of that form leaves the outputs alone and returns an empty text.
QString Decode(const QString &Field, float &Value, float &Divisor, QString &UnitText,
               QString &FormatText);

// Register is the program's register number for texts (0: the text names the command). Status 0
// and an empty text on success; -1 for a refused request or two failed attempts; the mapped code
// of a negative acknowledgement. ReplyText gets what the last attempt received (before ACK).
// Reads are paced when PacingEnabled.
void VantaLinkRead(CommLink &link, QString &ResultText, qint16 &Status, int Address, int Command,
                   VantaLinkValue &Reply, int Register);
// Writes Value (decimal: -9999..9999; RawHex: -32768..32676, else status 3 and nothing sent);
// commands from 1024 on carry no data.
void VantaLinkWrite(CommLink &link, QString &ResultText, qint16 &Status, int Address, int Command,
                    float Value, int Register, QString &ReplyText, bool RawHex);

} // namespace vanta::comms
