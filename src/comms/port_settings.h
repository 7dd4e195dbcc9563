// The port settings text ("9600,N,8,1") taken apart into what a serial device needs.
#pragma once

#include <QString>
#include <optional>

namespace vanta::comms {

enum class Parity
{
    None,
    Even,
    Odd,
    Mark,
    Space
};

struct PortSettings
{
    int baudRate = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;
    int stopBits = 1;

    friend bool operator==(const PortSettings &a, const PortSettings &b)
    {
        return a.baudRate == b.baudRate && a.parity == b.parity && a.dataBits == b.dataBits &&
               a.stopBits == b.stopBits;
    }
};

// Parses "baud,parity letter,data bits,stop bits": a positive whole baud rate, one of the
// parity letters N E O M S (either case), 7 or 8 data bits, 1 or 2 stop bits; blanks around
// the parts are ignored. Empty for anything else.
std::optional<PortSettings> parsePortSettings(const QString &text);

// As parsePortSettings, but throws core::AppError 380 ("Invalid property value") on a
// malformed text, as setting a bad value on the port does.
PortSettings requirePortSettings(const QString &text);

} // namespace vanta::comms
