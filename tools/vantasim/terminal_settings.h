// Reading and setting the serial settings of a terminal device, including baud rates outside
// the classic table (28800), through the kernel's numeric-speed terminal interface.
#pragma once

#include "line_settings.h"

#include <optional>

namespace vanta::sim {

// The settings the terminal on `fd` carries now; empty when they cannot be read.
std::optional<LineSettings> readTerminalSettings(int fd);
// Puts the terminal in raw mode (no echo, no line editing, no character translation) with the
// given settings. False when the terminal refuses.
bool setRawTerminal(int fd, const LineSettings &settings);
// True when the terminal keeps a 7-bit, even-parity framing that is set on it; a Linux
// pseudo-terminal forces 8 data bits and no parity. Leaves the terminal raw at 9600,N,8,1.
bool terminalKeepsFraming(int fd);

} // namespace vanta::sim
