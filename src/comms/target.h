// Whom one access talks to: the controller group, the protocol and the instrument address. The
// protocol is an enum inside the program; its letter ("L", "R", "A") lives only at the edges:
// files, command lines and texts.
#pragma once

#include <QString>
#include <optional>

namespace vanta::comms {

enum class Protocol
{
    VantaLink,  // "L"
    ModbusRtu,  // "R"
    ModbusAscii // "A"
};

// The protocol of a letter; empty for anything but "L", "R" and "A" (case matters).
std::optional<Protocol> protocolFromCode(const QString &code);
// The letter of a protocol.
QString protocolCode(Protocol protocol);

struct Target
{
    int group = 0;
    Protocol protocol = Protocol::VantaLink;
    int address = 0;

    friend bool operator==(const Target &a, const Target &b)
    {
        return a.group == b.group && a.protocol == b.protocol && a.address == b.address;
    }
};

// "Address " + the address as result texts show it (two hexadecimal digits in group 0, three
// decimal digits otherwise). An address outside 1..255 keeps all its digits, so that a refusal
// names the address asked for (256 in group 0 is "100", not "00").
QString addressPrefix(int Group, int Address);
inline QString addressPrefix(const Target &target)
{
    return addressPrefix(target.group, target.address);
}

} // namespace vanta::comms
