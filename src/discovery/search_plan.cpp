// The instrument search's plan.
#include "discovery/search_plan.h"

#include "core/address.h"
#include "discovery/protocol_rule.h"

#include <algorithm>
#include <array>

namespace vanta::discovery {

namespace {

constexpr int Group0BaudRates[] = {300, 1200, 2400, 4800, 9600, 19200, 28800, 57600};
constexpr int OtherBaudRates[] = {2400, 4800, 9600, 19200, 38400};

constexpr comms::Protocol ProtocolsInOrder[] = {
    comms::Protocol::VantaLink, comms::Protocol::ModbusRtu, comms::Protocol::ModbusAscii};

// The items a choice stands for: all items after "UNKNOWN", or the chosen one alone.
QStringList rangeOf(const QStringList &list, const QString &choice)
{
    if (choice == UnknownChoice)
        return list.mid(1);
    if (list.indexOf(choice) > 0)
        return {choice};
    return {};
}

std::vector<int> numbersOf(const QStringList &items)
{
    std::vector<int> numbers;
    for (const QString &item : items)
        numbers.push_back(item.toInt());
    return numbers;
}

std::vector<int> addressesOf(const SearchChoices &choices)
{
    const int step = choices.endAddress < choices.startAddress ? -1 : 1;
    std::vector<int> addresses;
    for (int address = choices.startAddress; address != choices.endAddress + step; address += step)
        addresses.push_back(address);
    return addresses;
}

std::vector<comms::Protocol> protocolsOf(const SearchChoices &choices)
{
    const std::array<bool, ProtocolChoiceCount> enabled = enabledProtocols(choices.group);
    std::vector<comms::Protocol> protocols;
    for (int index = 0; index < ProtocolChoiceCount; ++index) {
        const bool chosen =
            choices.protocolChoice == UnknownProtocolChoice || choices.protocolChoice == index;
        if (chosen && enabled[static_cast<size_t>(index)])
            protocols.push_back(ProtocolsInOrder[index]);
    }
    return protocols;
}

std::vector<int> supportedBaudRates(const SearchChoices &choices)
{
    std::vector<int> rates;
    for (const int rate : numbersOf(rangeOf(searchBaudRates(), choices.baudRate))) {
        if (isSupportedBaudRate(choices.group, rate))
            rates.push_back(rate);
    }
    return rates;
}

// The items of every loop of the search, in order.
struct Ranges
{
    std::vector<int> stopBits;
    std::vector<int> baudRates;
    std::vector<int> addresses;
    std::vector<int> dataLengths;
    QStringList parities;
    std::vector<comms::Protocol> protocols;

    size_t count() const
    {
        return stopBits.size() * baudRates.size() * addresses.size() * dataLengths.size() *
               static_cast<size_t>(parities.size()) * protocols.size();
    }
};

Ranges rangesOf(const SearchChoices &choices)
{
    Ranges ranges;
    ranges.stopBits = numbersOf(rangeOf(searchStopBits(), choices.stopBits));
    ranges.baudRates = supportedBaudRates(choices);
    ranges.addresses = addressesOf(choices);
    ranges.dataLengths = numbersOf(rangeOf(searchDataLengths(), choices.dataLength));
    ranges.parities = rangeOf(searchParities(), choices.parity);
    ranges.protocols = protocolsOf(choices);
    return ranges;
}

// The probes of one address at one baud rate and stop bits: data length, parity, protocol.
// `firstLine`: the baud rate and stop bits are the first of their ranges.
void appendFramings(std::vector<Probe> &plan, Probe probe, const Ranges &ranges, bool firstLine)
{
    for (size_t d = 0; d < ranges.dataLengths.size(); ++d) {
        probe.dataBits = ranges.dataLengths[d];
        for (qsizetype p = 0; p < ranges.parities.size(); ++p) {
            probe.parity = ranges.parities[p];
            probe.firstSettings = firstLine && d == 0 && p == 0;
            for (const comms::Protocol protocol : ranges.protocols) {
                probe.protocol = protocol;
                plan.push_back(probe);
            }
        }
    }
}

} // namespace

const QStringList &searchBaudRates()
{
    static const QStringList items{UnknownChoice, "9600",  "19200", "38400",
                                   "28800",       "57600", "4800",  "2400"};
    return items;
}

const QStringList &searchParities()
{
    static const QStringList items{UnknownChoice, "Even", "None", "Odd"};
    return items;
}

const QStringList &searchDataLengths()
{
    static const QStringList items{UnknownChoice, "7", "8"};
    return items;
}

const QStringList &searchStopBits()
{
    static const QStringList items{UnknownChoice, "1", "2"};
    return items;
}

QString Probe::settingsText() const
{
    const QChar comma = QLatin1Char(',');
    return QString::number(baudRate) + comma + parity.left(1) + comma + QString::number(dataBits) +
           comma + QString::number(stopBits);
}

QString protocolName(comms::Protocol protocol)
{
    switch (protocol) {
    case comms::Protocol::VantaLink:
        return QStringLiteral("Vanta Link");
    case comms::Protocol::ModbusRtu:
        return QStringLiteral("Modbus RTU");
    case comms::Protocol::ModbusAscii:
        break;
    }
    return QStringLiteral("Modbus ASCII");
}

bool isSupportedBaudRate(int group, int baudRate)
{
    const auto has = [baudRate](const auto &rates) {
        return std::find(std::begin(rates), std::end(rates), baudRate) != std::end(rates);
    };
    return group == 0 ? has(Group0BaudRates) : has(OtherBaudRates);
}

bool isValidAddressRange(const SearchChoices &choices)
{
    return core::isValidAddress(choices.startAddress) && core::isValidAddress(choices.endAddress);
}

std::vector<Probe> searchPlan(const SearchChoices &choices)
{
    if (!isValidAddressRange(choices))
        return {};
    const Ranges ranges = rangesOf(choices);
    std::vector<Probe> plan;
    plan.reserve(ranges.count());
    Probe probe;
    for (size_t s = 0; s < ranges.stopBits.size(); ++s) {
        probe.stopBits = ranges.stopBits[s];
        for (size_t b = 0; b < ranges.baudRates.size(); ++b) {
            probe.baudRate = ranges.baudRates[b];
            for (const int address : ranges.addresses) {
                probe.address = address;
                appendFramings(plan, probe, ranges, /*firstLine=*/s == 0 && b == 0);
            }
        }
    }
    return plan;
}

} // namespace vanta::discovery
