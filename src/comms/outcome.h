// What one access gives back: a status and a result text, and for reads the value. Instrument
// failures are never thrown; they come back in these.
#pragma once

#include <QString>

namespace vanta::comms {

// Status 0 and an empty text on success; otherwise the status (2 a request that cannot be
// routed, 3 a refused write value, -1 or the instrument's error code from the engines) and the
// whole result text, address prefix first.
struct Outcome
{
    qint16 status = 0;
    QString text;

    bool succeeded() const { return status == 0; }
};

// An outcome with the value read; the value means something only on success.
template <typename Value>
struct ValueOutcome : Outcome
{
    Value value{};

    // The status and text of `outcome` without a value: a failure passed on.
    static ValueOutcome of(const Outcome &outcome)
    {
        ValueOutcome result;
        static_cast<Outcome &>(result) = outcome;
        return result;
    }
};

} // namespace vanta::comms
