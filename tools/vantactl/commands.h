// The vantactl commands: each runs one access through the register dispatcher or an engine and
// words its result as the tool prints it.
#pragma once

#include "command_line.h"
#include "comms/comm_link.h"
#include "comms/outcome.h"
#include "comms/target.h"

#include <QString>

namespace vanta::tools {

// What one run of a command gives: the status and result text of the access, and on success
// the text for stdout (empty for writes).
using Outcome = comms::ValueOutcome<QString>;

// Whether a run words its result for stdout; repeated runs word only the last one.
enum class Wording
{
    Print,
    Skip
};

// Runs one access command (not info). Modbus commands need a Modbus protocol.
Outcome runCommand(comms::CommLink &link, Command command, const Arguments &args,
                   const comms::Target &target, bool rawHex, Wording wording = Wording::Print);

// The bytes as upper-case hexadecimal pairs separated by blanks: "01 03 00 00".
QString hexPairs(const QByteArray &bytes);

} // namespace vanta::tools
