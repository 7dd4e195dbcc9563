// Register access: every window reads and writes instrument data through these, by the
// program's own register numbers (1..20480), an address, a controller group and a protocol.
#pragma once

#include "comms/comm_link.h"
#include "comms/outcome.h"
#include "comms/scaled_value.h"
#include "comms/target.h"

#include <QString>
#include <optional>

namespace vanta::comms {

// The target of a group and a protocol letter as files and settings hold them. Status 2 and
// the dispatcher's text (":Invalid controller group >", ":Invalid protocol code >") for a
// group outside 0..2 or a letter other than "L", "R", "A".
[[nodiscard]] ValueOutcome<Target> targetFor(int Group, const QString &Protocol, int Address);

// Status 2 for a request that cannot be routed (a group outside 0..2, a protocol the group
// does not speak, a register the tables do not translate), 3 for a refused write value, else
// the engine's status and text. In demo mode reads give 0 (22615 for the group 2 model id).
[[nodiscard]] ValueOutcome<float> readRegister(CommLink &link, const Target &target, int Register);
// The refusal (status 2 and its text) that readRegister gives without sending anything, or
// nothing when the read can be routed: tells a request nobody heard from an instrument's own
// error code 2.
[[nodiscard]] std::optional<Outcome> readRefusal(const CommLink &link, const Target &target,
                                                 int Register);
[[nodiscard]] Outcome writeRegister(CommLink &link, const Target &target, int Register,
                                    float Value);
// Reads a register and the instrument's decimal point, unit and alarm bits.
[[nodiscard]] ValueOutcome<ScaledValue> readScaledValue(CommLink &link, const Target &target,
                                                        int Register);

// The same by the protocol letter, with out-arguments. A failed read leaves Value as it was;
// a scaled Vanta Link read keeps the fields of Scaled that its reply does not carry.
void ReadRegister(CommLink &link, int Group, const QString &Protocol, QString &ResultText,
                  qint16 &Status, int Address, int Register, float &Value);
void WriteRegister(CommLink &link, int Group, const QString &Protocol, QString &ResultText,
                   qint16 &Status, int Address, int Register, float Value);
void ReadScaledValue(CommLink &link, int Group, const QString &Protocol, QString &ResultText,
                     qint16 &Status, int Address, int Register, ScaledValue &Scaled);

// Divisor, format, unit and alarm flags from a status word. Returns AlarmFlag2 as -1/0 for
// groups 0..2 and Group - 2 for any other group (nothing set).
int DecimalPointInfo(int Group, int StatusWord, float &Divisor, QString &FormatText,
                     QString &UnitText, bool &AlarmFlag1, bool &AlarmFlag2);
// Bit BitNumber (0..15) of the word taken as a whole 16-bit number; false outside 0..15.
bool BitState(int BitNumber, double WordToCheck);

} // namespace vanta::comms
