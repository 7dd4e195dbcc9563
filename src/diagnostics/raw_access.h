// Raw access to one instrument for diagnosis: one register by its number (the program's own
// cross-referenced number or the wire register in hexadecimal), or one Vanta Link command by its
// code. The texts typed into the raw windows come in as they are and are checked here, so that
// nothing malformed reaches the line.
#pragma once

#include "comms/comm_link.h"
#include "comms/outcome.h"
#include "core/interaction.h"

#include <QString>
#include <optional>

namespace vanta::diagnostics {

// What the raw windows remember between openings in one run.
struct RawAccessMemory
{
    QString RegAccessAddress;
    QString RegAccessRegister;
    int RegAccessMode = 0;   // 1: cross-referenced decimal numbers, 0: native hexadecimal
    int RegAccessGroup = -1; // the controller group at the last close; -1 before any close
    QString CmdAccessAddress;
    QString CmdAccessCommand;
};

// Writes are allowed when the entered password equals the stored one, both trimmed of blanks
// and compared without regard to letter case.
bool PasswordAccepted(const QString &Entered, const QString &Stored);
// PasswordAccepted, or false after the "Password Incorrect" warning.
bool WritesAllowed(core::Interaction &ui, const QString &Entered, const QString &Stored);

// A hexadecimal text (blanks around it ignored) of at most eight digits; empty when it is empty,
// not hexadecimal or beyond 7FFFFFFF.
std::optional<int> parseHexText(const QString &text);

// One register access as the register window asks for it.
struct RegisterRequest
{
    int group = 0;
    QString protocol;            // "L", "R" or "A"
    int address = 0;             // as parsed from the address box
    QString registerText;        // decimal (cross-referenced) or hexadecimal (native)
    bool crossReferenced = true; // always true in group 0
};

comms::ValueOutcome<float> readRawRegister(comms::CommLink &link, const RegisterRequest &request);
// The value box must hold a number: empty or non-numeric text is refused and nothing is sent.
comms::Outcome writeRawRegister(comms::CommLink &link, const RegisterRequest &request,
                                const QString &valueText);

// One Vanta Link command: address and command code as hexadecimal texts.
struct CommandRequest
{
    QString addressText;
    QString commandText;
};

// The outcome of a command with what the instrument sent back in the exchange.
struct CommandOutcome : comms::ValueOutcome<float>
{
    QString ReplyText;
};

CommandOutcome readRawCommand(comms::CommLink &link, const CommandRequest &request);
// With RawHex the value box is four hexadecimal digits read as a signed 16-bit number ("FFFF"
// is -1); otherwise a decimal number. Anything else is refused and nothing is sent.
CommandOutcome writeRawCommand(comms::CommLink &link, const CommandRequest &request,
                               const QString &valueText, bool RawHex);

} // namespace vanta::diagnostics
