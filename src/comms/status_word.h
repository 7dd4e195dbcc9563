// Status-word helpers of scaled reads: the divisor and display format of a number of decimal
// places. DecimalPointInfo and BitState themselves are declared with register access.
#pragma once

#include <QString>

namespace vanta::comms {

// Divisor 10^places and the matching display format ("#,###,###,##0.00" for 2).
void applyDecimalPlaces(int places, float &Divisor, QString &FormatText);

} // namespace vanta::comms
