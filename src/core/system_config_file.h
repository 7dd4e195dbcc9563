// The system configuration file: port settings, reply time-out, default group and protocol,
// monitor poll rates, log viewer and folder, and the configured instruments with their logging
// settings. "VantaLnk3.cfg", or "Orvel.cfg" for the product variant, in the program folder.
//
// Layout: one value per line, CR LF, Latin-1. Lines 1-10 CommPort, BaudRate, Parity, DataBits,
// StopBits, PollTimeout, ControllerGroup, ProtocolCode, TempPollRate, SPPollRate; lines 11 and
// 12 ViewerProgram and DefaultFolder as whole lines; then 8 lines per instrument: InstAddress,
// InstName, InstProtocol, InstGroup, LogDurationUnit, LogDuration, LogRateUnit, LogRate.
// Numbers have a blank in place of the sign of a non-negative number (" 9600", "-1").
#pragma once

#include <QString>

namespace vanta::core {

class AppState;
class Interaction;

// Loads the settings and the instrument list into app.Config. Values are split at commas and
// line ends, blanks and quotes around them ignored. A missing file (53), a value of the wrong
// type (13), a number too large (6) or a file ending inside a record (62) shows the file read
// report "modVanta.ReadSystemConfig"; the settings then keep what was read so far (an
// incomplete record is left out of the list).
void ReadSystemConfig(AppState &app, Interaction &ui);

// Writes app.Config, replacing the file only once the new one is complete. A text holding a
// comma, nothing but blanks, or blanks at either end is written in double quotes so it reads
// back the same; double quotes and line breaks inside texts cannot be stored and are left out.
// A failure shows the file write report "modVanta.SaveSystemConfig", leaves the old file as it
// was and returns false.
bool SaveSystemConfig(AppState &app, Interaction &ui);

} // namespace vanta::core
