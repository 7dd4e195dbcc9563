// config-read, config-send and config-diff: a whole configuration between an instrument and a
// parameter file, with the configuration window's checks and questions answered by their
// defaults.
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

// Exit status of a config-diff that could not compare: a file that does not load, a read that
// stopped, configurations of different models.
constexpr int NotComparedExitStatus = 2;

// True when config-diff compares two files: its second argument names an existing file.
bool comparesTwoFiles(const Invocation &invocation);
// Loads args.file and compares it with args.other, a second file or the instrument at that
// address (read, not changed). Prints one line per difference on stdout (register, caption,
// the file's value, the other's, tab-separated); 0 when equal, 1 when different, otherwise
// NotComparedExitStatus with the reason on stderr. `link` is only used for an address.
int runConfigDiff(comms::CommLink &link, core::ConsoleInteraction &ui,
                  const Invocation &invocation);

} // namespace vanta::tools
