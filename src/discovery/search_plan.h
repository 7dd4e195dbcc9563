// The instrument search's plan: which addresses, serial settings and protocols it tries, and in
// which order. A pure function of the operator's choices, so the order can be checked without a
// line.
#pragma once

#include "comms/target.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace vanta::discovery {

// The first item of every serial choice list: try all the other items, in list order.
inline const QString UnknownChoice = QStringLiteral("UNKNOWN");
// The protocol choice "Unknown": every protocol the group speaks.
constexpr int UnknownProtocolChoice = 3;

// The search window's choice lists, "UNKNOWN" first. The baud rates differ from communications
// setup's on purpose: the most likely rates come first.
const QStringList &searchBaudRates();
const QStringList &searchParities();
const QStringList &searchDataLengths();
const QStringList &searchStopBits();

// What the operator chose. Serial choices are list items; a text that is no item of its list
// gives no probes.
struct SearchChoices
{
    int group = 0;
    int protocolChoice = UnknownProtocolChoice; // 0 Vanta Link, 1 Modbus RTU, 2 Modbus ASCII
    int startAddress = 1;
    int endAddress = 255;
    QString baudRate = UnknownChoice;
    QString parity = UnknownChoice;
    QString dataLength = UnknownChoice;
    QString stopBits = QStringLiteral("1");
};

// One probe: the port reopened with these settings, then the model id read at the address.
struct Probe
{
    int address = 0;
    int baudRate = 0;
    QString parity; // "Even", "None" or "Odd"
    int dataBits = 0;
    int stopBits = 0;
    comms::Protocol protocol = comms::Protocol::VantaLink;
    // The first stop bits, baud rate, data length and parity of their ranges.
    bool firstSettings = false;

    // "9600,E,7,1": baud rate, parity letter, data length, stop bits.
    QString settingsText() const;
};

// "Vanta Link", "Modbus RTU" or "Modbus ASCII".
QString protocolName(comms::Protocol protocol);

// Whether the instruments of `group` can run at `baudRate`: group 0 at 300, 1200, 2400, 4800,
// 9600, 19200, 28800 and 57600; groups 1 and 2 at 2400, 4800, 9600, 19200 and 38400.
bool isSupportedBaudRate(int group, int baudRate);

// True when both ends of the range are addresses (1..255).
bool isValidAddressRange(const SearchChoices &choices);

// Every probe in search order, loops outermost first: stop bits, baud rate, address, data
// length, parity, protocol. Addresses run from start to end, downwards when the end is below the
// start; baud rates the group does not support and protocols it does not speak are left out.
// Empty for an address range outside 1..255.
std::vector<Probe> searchPlan(const SearchChoices &choices);

} // namespace vanta::discovery
