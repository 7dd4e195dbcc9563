// The program's own register numbers that code names: a number means the same thing in every
// controller group (the cross-reference tables translate it to each protocol's wire register).
#pragma once

namespace vanta::core {

// Process value: the measured value as the instrument holds it, decimal point not applied.
constexpr int ProcessValueRegister = 2;
// Status word: decimal point, unit and alarm bits, manual and remote mode.
constexpr int StatusWordRegister = 3;
// Error word (group 0: bit per fault) or error code (groups 1 and 2).
constexpr int ErrorWordRegister = 4;
// Ramp/soak time base of group 0 (bit 0 of the ramp/soak status byte).
constexpr int TimeBaseRegister = 8;
// The setpoint the loop uses now; read-only.
constexpr int WorkingSetpointRegister = 257;
// Setpoint 1, the one setpoint writes change; group 0's stages 2-4 follow it.
constexpr int Setpoint1Register = 258;
// Ramp/soak program running, and held: non-zero for yes.
constexpr int ProgramRunningRegister = 786;
constexpr int ProgramHeldRegister = 789;
// Input type, 1..17 (list position + 1).
constexpr int InputTypeRegister = 792;
// Temperature units of group 0: 0 none, 1 degrees F, 2 degrees C.
constexpr int UnitsRegister = 794;
// Decimal-point setting of group 0: 0..3 decimal places.
constexpr int DecimalPointRegister = 795;
// Alarm types (0 off .. 4) and alarm option bits (bit 1: output inverted) of group 0.
constexpr int Alarm1TypeRegister = 798;
constexpr int Alarm1OptionsRegister = 799;
constexpr int Alarm2TypeRegister = 800;
constexpr int Alarm2OptionsRegister = 801;
// Active setpoint stage of group 0, 0..3: each value has a Vanta Link write command of its own.
constexpr int SetpointStageRegister = 803;
// Communications version, model identifier (two letters: first x 256 + second) and software
// version.
constexpr int CommVersionRegister = 1793;
constexpr int ModelIdRegister = 1794;
constexpr int SoftVersionRegister = 1795;

} // namespace vanta::core
