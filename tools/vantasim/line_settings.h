// Serial settings of an instrument and of the line, and whether they let a request through.
#pragma once

#include <QString>
#include <optional>

namespace vanta::sim {

struct LineSettings
{
    int baud = 9600;
    char parity = 'N'; // N, E, O, M or S
    int dataBits = 8;
    int stopBits = 1;

    // "9600,N,8,1" (the parity may be a word: only its first letter counts). Empty when any
    // part is missing or out of range.
    static std::optional<LineSettings> parse(const QString &text);
    QString toText() const;
    // Bits one character takes on the wire: start bit, data, parity, stop bits.
    int bitsPerCharacter() const;
    // Seconds one character takes on the wire at this baud rate.
    double characterSeconds() const;

    friend bool operator==(const LineSettings &a, const LineSettings &b)
    {
        return a.baud == b.baud && a.parity == b.parity && a.dataBits == b.dataBits &&
               a.stopBits == b.stopBits;
    }
};

// What the terminal shows of the settings the application set. A Linux pseudo-terminal keeps
// the baud rate and stop bits but forces 8 data bits and no parity; then `framingKnown` is
// false and only baud rate and stop bits can be compared.
struct ObservedLine
{
    LineSettings settings;
    bool framingKnown = true;
};

// True when an instrument configured with `own` would understand characters sent with the
// observed settings.
bool settingsMatch(const LineSettings &own, const ObservedLine &line);

} // namespace vanta::sim
