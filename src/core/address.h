// Instrument addresses as the user sees them, hexadecimal texts and protocol codes.
// Group 0 shows addresses as two upper-case hexadecimal digits (01..FF), groups 1 and 2 as three
// decimal digits (001..255).
#pragma once

#include <QString>
#include <QStringList>

namespace vanta::core {

constexpr int MinAddress = 1;
constexpr int MaxAddress = 255; // 0 is the Modbus broadcast address: never a target

// True for 1..255, the only addresses a transaction may go to.
constexpr bool isValidAddress(int address)
{
    return address >= MinAddress && address <= MaxAddress;
}

// The 255 entries of an address list, in order: "01".."FF" in hexadecimal mode, else
// "001".."255".
QStringList addressListEntries(bool hexMode);
// The text an address list starts with: "32" (address 50) in hexadecimal mode, else "001".
QString defaultAddressText(bool hexMode);

// The address in Text (blanks around it ignored): hexadecimal for group 0, decimal otherwise.
// Text that is not a whole number gives 0, which every caller refuses as an address; numbers
// outside 1..255 come back as they are, for the caller to refuse.
int ParseAddress(int Group, const QString &Text);
// Group 0: Hex2(Address) ("05", "FF"); other groups: at least three digits ("005", "255").
QString FormatAddress(int Group, int Address);

// The low byte as two upper-case hexadecimal digits: 10 -> "0A", 256 -> "00", -1 -> "FF".
QString Hex2(int Value);
// The value rounded to a whole number, as four upper-case hexadecimal digits of its 16-bit
// form; negative values have 65536 added: 10 -> "000A", -1 -> "FFFF", 65536 -> "0000".
QString Hex4(double Value);

// Protocol choice index to code: 0 "L" (Vanta Link), 2 "A" (Modbus ASCII), any other "R".
QString ProtocolCodeFromIndex(int Index);
// Protocol code to choice index: "L" 0, "R" 1, "A" 2, any other 1.
int ProtocolIndexFromCode(const QString &Code);

} // namespace vanta::core
