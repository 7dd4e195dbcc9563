// Which register a send writes for a parameter, with which value, and in which step: the
// fixed roles of some registers and the per-parameter rules of the send.
#pragma once

#include <optional>
#include <vector>

namespace vanta::config {

class ConfigModel;

constexpr int InputTypeRegister = 792;
constexpr int DecimalPointRegister = 795;
constexpr int EepromRegister = 813;                   // group 0: store changes in EEPROM (box 8130)
constexpr int OutputHardwareRegisters[] = {769, 772}; // group 0: read and compared, never written

// The register that allows remote changes: 805 (a box) in group 0, the "Comm. Write (CoSH)"
// list 2064 in group 1 and 18202 in group 2.
int remoteChangeRegister(int group);

// The settings written before the other parameters, in order (input type and decimal point
// included: they are header settings, not fields).
const std::vector<int> &leadingRegisters(int group);
// False when the decimal point must not be written: group 0 inputs R, S, B, C; group 1 model
// QT and inputs R, S, B.
bool sendsDecimalPoint(const ConfigModel &model);
// The main pass leaves out the remote-change and EEPROM registers, the group-1
// communication settings (written only when changed one by one), and the leading settings
// when they were written already.
bool isLeftOutOfMainPass(int group, int reg, bool leadingWritten);

// What a send writes for one parameter: the register (a command register for the time base,
// manual mode and the learning and acknowledge boxes) and the value, which is empty when a
// numeric field holds no number.
struct ParameterWrite
{
    int wireRegister = 0;
    std::optional<double> value;
};
// Empty when the parameter is not written: a field the rules hid, the output hardware lists,
// ramp/soak step times while the ramp/soak pages are unavailable, unchecked command boxes.
std::optional<ParameterWrite> plannedWrite(const ConfigModel &model, int reg);

} // namespace vanta::config
