// What the Modbus RTU and Modbus ASCII engines share: the request's description, its texts
// (address prefix, register label, exception table) and the checks made before sending.
#pragma once

#include "comms/transaction.h"

#include <QString>
#include <QVector>
#include <optional>

namespace vanta::comms {

// Failure words of both Modbus engines; a result text is address prefix + words + label.
namespace ModbusWords {
constexpr char NoResponse[] = ":No response from instrument at register";
constexpr char TooShort[] = ":Too short of response from instrument at register";
constexpr char BadCrc[] = ":Bad CRC or communications noise from instrument at register";
constexpr char BadExceptionCrc[] = ":Bad CRC on exception error from instrument at register";
constexpr char IncorrectAddress[] = ":Incorrect Address Returned from instrument at register";
constexpr char IncorrectCode[] = ":Incorrect Modbus Code Returned from instrument at register";
constexpr char IncorrectByteCount[] = ":Incorrect Byte Count Returned from instrument at register";
constexpr char IncorrectRegister[] =
    ":Incorrect Register Number Returned from instrument at register";
constexpr char IncorrectCount[] = ":Incorrect Register Count Returned from instrument at register";
constexpr char ResponseTooShort[] = ":Response too short from instrument at register";
constexpr char ChecksumError[] = ":Checksum error from instrument at register";
} // namespace ModbusWords

// One Modbus request as the engines receive it.
struct ModbusRequest
{
    int Group = 0;
    int Register = 0; // the program's register number, for texts only; 0 = none
    int Address = 0;
    int ModbusRegister = 0;
    int RegisterType = 0;
    int Count = 1;

    // "Address 001" (group 0: "Address 01").
    QString addressPrefix() const;
    // Group 0: " 1794"; groups 1 and 2: " 2A0H (1794)", without the brackets when Register is 0.
    QString label() const;
    // Address prefix + words + label: the form of every reply failure.
    QString failure(const QString &words) const;
    // A failed attempt with that text.
    ReplyCheck retry(const char *words) const
    {
        return ReplyCheck::retry(failure(QLatin1String(words)));
    }
    // Group 0 numbers its registers from 1, the wire from 0; other groups pass wire addresses.
    int wireRegister() const { return Group == 0 ? ModbusRegister - 1 : ModbusRegister; }
    bool isBitType() const;
};

// Read function codes by register type: 1, 2, 3, 4 and the family's own 103; empty otherwise.
std::optional<quint8> readFunctionCode(int RegisterType);

// Largest counts one request may carry: the byte count of a reply is a single byte.
constexpr int MaxReadBits = 2000;
constexpr int MaxReadWords = 125;
constexpr int MaxWriteWords = 123;

// Why a read must not be sent (register not positive or past the 16-bit wire range, unknown
// type, count out of range), as the full result text; empty when it may go.
std::optional<QString> refuseModbusRead(const ModbusRequest &request);
// The same for a write of `valueCount` values from `values`: register, count, each value's
// range, then the type (1 or 3 are writable).
std::optional<QString> refuseModbusWrite(const ModbusRequest &request, const QVector<float> &values,
                                         int valueCount);

// A value as the 16-bit word on the wire: rounded to the nearest whole number, negative values
// in two's complement. Empty outside -32768..32767 (after rounding) and for NaN.
std::optional<quint16> wireWord(float value);

// What an exception code means: "Illegal Data Address", "Unknown Error 9".
QString modbusExceptionName(int code);

// The exception reply of an instrument: its status and text, the write value appended for
// code 3 ("Illegal Data Value") when one was written.
ReplyCheck modbusException(const ModbusRequest &request, int code,
                           std::optional<float> writtenValue);

// What a read reply comes to: the check, and the values when it is good.
struct ModbusReadOutcome
{
    ReplyCheck check;
    QVector<float> values;
};

// A 16-bit wire word as the signed value the instruments mean.
inline float signedWord(int word)
{
    return static_cast<float>(word > 32767 ? word - 65536 : word);
}

} // namespace vanta::comms
