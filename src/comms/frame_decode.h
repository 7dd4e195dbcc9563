// What a frame on the line says, for people reading a trace: the address, the function or
// command, registers and values, the verdict of its check and any exception or negative
// acknowledgement, for all three protocols. Pure functions that never fail: whatever bytes come
// in, the result says as much as they hold.
#pragma once

#include "comms/target.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace vanta::comms {

enum class CheckVerdict
{
    Good,
    Bad,
    Incomplete, // the frame stops before its check or terminator
    None        // nothing to check: no bytes, or a negative acknowledgement (it carries none)
};

struct FrameMeaning
{
    std::optional<int> address;
    // "03 Read Holding Registers, register 0701H, count 1", "read 0A, data XK", "no reply";
    // an exception or negative acknowledgement ends it with its code and meaning.
    QString summary;
    QString checkName; // "CRC", "LRC" or "checksum"
    CheckVerdict check = CheckVerdict::None;
    std::optional<int> errorCode; // exception or negative-acknowledge code
    QString errorMeaning;         // "Illegal Data Address"

    // "CRC good", "LRC bad", "incomplete"; empty when there is nothing to check.
    QString verdictText() const;
};

// A request as the program sends it.
FrameMeaning decodeRequest(Protocol protocol, const QByteArray &bytes);
// A reply, with the request it answers (empty when unknown): the request says which registers
// the values are and how a Vanta Link data field reads.
FrameMeaning decodeReply(Protocol protocol, const QByteArray &bytes, const QByteArray &request);

} // namespace vanta::comms
