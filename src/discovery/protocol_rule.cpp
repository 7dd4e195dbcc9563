// The protocol rule of the controller groups.
#include "discovery/protocol_rule.h"

namespace vanta::discovery {

namespace {
constexpr int ModbusRtu = 1;
constexpr int ModbusAscii = 2;
} // namespace

std::array<bool, ProtocolChoiceCount> enabledProtocols(int group)
{
    switch (group) {
    case 0:
        return {true, true, false};
    case 2:
        return {false, false, true};
    default:
        return {false, true, true};
    }
}

int correctedProtocol(int group, int protocolIndex)
{
    const std::array<bool, ProtocolChoiceCount> enabled = enabledProtocols(group);
    if (protocolIndex >= 0 && protocolIndex < ProtocolChoiceCount && enabled[protocolIndex])
        return protocolIndex;
    return group == 2 ? ModbusAscii : ModbusRtu;
}

} // namespace vanta::discovery
