// What a new instrument of the family holds in its registers before anyone writes to it, and
// the ranges of registers that have no field on the configuration pages.
#pragma once

#include <QString>
#include <optional>

namespace vanta::sim {

// The factory value of a program register in a group; empty when the register starts at 0
// (or at the low end of its field range).
std::optional<int> factoryValue(int group, const QString &model, int reg);

struct RawRange
{
    int low = 0;
    int high = 0;
};

// The range of a register that the field table does not give; empty when none is known.
std::optional<RawRange> rawRange(int group, const QString &model, int reg);

} // namespace vanta::sim
