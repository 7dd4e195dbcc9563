// Which protocols each controller group speaks, as the choices of communications setup apply it:
// index 0 Vanta Link, 1 Modbus RTU, 2 Modbus ASCII.
#pragma once

#include <array>

namespace vanta::discovery {

constexpr int ProtocolChoiceCount = 3;

// The protocols `group` offers: group 0 Vanta Link and Modbus RTU, group 1 Modbus RTU and
// Modbus ASCII, group 2 Modbus ASCII only. A group outside 0..2 offers what group 1 does.
std::array<bool, ProtocolChoiceCount> enabledProtocols(int group);

// The choice after the rule: one the group offers stays; any other (none chosen included)
// becomes Modbus RTU in groups 0 and 1 and Modbus ASCII in group 2.
int correctedProtocol(int group, int protocolIndex);

} // namespace vanta::discovery
