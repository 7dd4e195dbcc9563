// The instrument side of the three protocols: what an instrument answers to a request that is
// addressed to it.
#pragma once

#include "frames.h"
#include "instrument.h"

#include <optional>

namespace vanta::sim {

// Modbus exception codes this side sends.
enum ModbusException : int
{
    IllegalFunction = 1,
    IllegalDataAddress = 2,
    IllegalDataValue = 3
};

// Vanta Link negative acknowledgement codes.
enum NegativeAck : int
{
    NakIllegalAddress = 1,
    NakHostChecksum = 2,
    NakIllegalValue = 3,
    NakIllegalCharacters = 4,
    NakDataField = 5,
    NakUndefinedCommand = 6,
};

// The reply to a Modbus request (RTU or ASCII framing alike).
Reply answerModbus(Instrument &instrument, const ModbusPdu &request, Protocol protocol,
                   const RegisterPlan &plan);
// The reply to a Vanta Link request.
Reply answerVantaLink(Instrument &instrument, const VantaLinkRequest &request,
                      const RegisterPlan &plan);

} // namespace vanta::sim
