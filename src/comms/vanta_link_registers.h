// How the program's register numbers sit on Vanta Link commands: reads whose reply is taken raw,
// as a whole number or assembled from several commands, and writes whose command or data
// depend on the value.
#pragma once

#include "comms/comm_link.h"

#include <QString>
#include <optional>

namespace vanta::comms {

// Reads Register with its read command and gives the value callers see. Value is set on
// success only; the status and text are the engine's.
void readVantaLinkRegister(CommLink &link, QString &ResultText, qint16 &Status, int Address,
                           int Register, int command, float &Value);

// What one write of a register sends: the command, the value (rounded, negated where the
// register wants it) and whether the data go as four hexadecimal digits.
struct LinkWritePlan
{
    int command = 0;
    double value = 0;
    bool rawHex = false;
};

// The write of Value to Register whose table write command is `command`. Empty, with
// `refusal` set to the failure text after the address prefix, when the register cannot take
// the value.
std::optional<LinkWritePlan> planVantaLinkWrite(int Register, int command, float Value,
                                                QString &refusal);

} // namespace vanta::comms
