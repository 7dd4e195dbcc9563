// config-read and config-send: a whole configuration between an instrument and a parameter
// file, with the configuration window's checks and questions answered by their defaults.
#pragma once

#include "command_line.h"
#include "comms/comm_link.h"
#include "core/console_interaction.h"

namespace vanta::tools {

// Reads the instrument at args.address into args.file. Prints "ADDRESS ok" or "ADDRESS
// failed: text" on stdout; 0 only when the read completed and the file was written.
int runConfigRead(comms::CommLink &link, core::ConsoleInteraction &ui,
                  const Invocation &invocation);
// Loads args.file and sends it to each address in turn, one line per address; 0 only when
// every send completed. A file that does not load sends nothing.
int runConfigSend(comms::CommLink &link, core::ConsoleInteraction &ui,
                  const Invocation &invocation);

} // namespace vanta::tools
