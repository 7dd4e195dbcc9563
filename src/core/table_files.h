// Loaders of the field table, the three cross-reference tables and the raw-write password.
// Each reads its file from the program folder into AppState::Tables. A register outside
// 1..20480 is reported with the "Invalid Modbus Register" message and its record skipped; a
// missing or malformed file shows the file error report. Either way the table keeps what was
// read before.
#pragma once

namespace vanta::core {

class AppState;
class Interaction;

// "CfgField.TXT": register, kind, first, last. A bit-field row (kind 3) whose first or last bit
// lies outside 0..15 is reported like an invalid register and skipped.
void ReadCfgFieldFile(AppState &app, Interaction &ui);
// "VantaXref.TXT": register, read command, write command (hexadecimal; empty or "??" for none).
void ReadVantaXrefFile(AppState &app, Interaction &ui);
// "xxKXref.TXT": register, group-1 wire register. Registers 2064..20480 then map to themselves,
// whatever the file says and even when it could not be read.
void ReadxxKXrefFile(AppState &app, Interaction &ui);
// "xxWXref.TXT": register, group-2 wire register. Registers 18176..20480 then map to
// themselves, whatever the file says and even when it could not be read.
void ReadxxWXrefFile(AppState &app, Interaction &ui);
// "Password.txt": one text value after the header lines.
void ReadPasswordFile(AppState &app, Interaction &ui);

} // namespace vanta::core
