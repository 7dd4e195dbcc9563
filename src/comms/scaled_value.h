// A value as the instrument shows it: scaled by its decimal point, with its unit, display format
// and alarm flags.
#pragma once

#include <QString>

namespace vanta::comms {

struct ScaledValue
{
    QString ValueText; // Value formatted with FormatText
    QString UnitText;  // " °C", " °F", " Er" or empty (Vanta Link replies: without the blank)
    QString FormatText;
    float Value = 0; // the whole number divided by Divisor
    float Divisor = 1;
    bool AlarmFlag1 = false;
    bool AlarmFlag2 = false;
};

} // namespace vanta::comms
