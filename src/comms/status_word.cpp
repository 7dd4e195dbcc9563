// The instrument status word: decimal point, unit and alarm bits of each controller group.
#include "comms/status_word.h"

#include "comms/register_access.h"
#include "core/model_catalogue.h"

#include <array>
#include <cmath>

namespace vanta::comms {

namespace {

// Where each group keeps the unit and alarm bits in its status word.
struct StatusWordLayout
{
    int unitDivisor; // the unit is Int(s / unitDivisor) AND 3
    std::array<const char *, 4> units;
    int alarm1Bit;
    int alarm2Bit;
};

const StatusWordLayout StatusWordLayouts[] = {
    {2, {"", " °F", " °C", " Er"}, 11, 10},
    {4, {"", " °C", " °F", " Er"}, 4, 1},
    {4, {"", " °F", " °C", " Er"}, 5, 4},
};

// The integer part of s / k, rounded down as the instrument's bit fields need for negative
// (signed 16-bit) status words too.
int floorDiv(int s, int k)
{
    return static_cast<int>(std::floor(double(s) / k));
}

// Decimal places of a group 0 status word: bits 4-6, 1..4, else none.
int decimalPlacesOfStatusWord(int s)
{
    const int places = floorDiv(s, 16) & 7;
    return places <= 4 ? places : 0;
}

} // namespace

void applyDecimalPlaces(int places, float &Divisor, QString &FormatText)
{
    Divisor = static_cast<float>(std::pow(10.0, places));
    FormatText = QStringLiteral("#,###,###,##0");
    if (places > 0)
        FormatText += QLatin1Char('.') + QString(places, QLatin1Char('0'));
}

int DecimalPointInfo(int Group, int StatusWord, float &Divisor, QString &FormatText,
                     QString &UnitText, bool &AlarmFlag1, bool &AlarmFlag2)
{
    if (Group < 0 || Group >= core::ControllerGroupCount)
        return Group - 2;
    const int s = StatusWord;
    const StatusWordLayout &layout = StatusWordLayouts[Group];
    // Group 0 carries its decimal places in the status word; the others always show tenths.
    applyDecimalPlaces(Group == 0 ? decimalPlacesOfStatusWord(s) : 1, Divisor, FormatText);
    UnitText = QString::fromUtf8(layout.units[floorDiv(s, layout.unitDivisor) & 3]);
    AlarmFlag1 = BitState(layout.alarm1Bit, s);
    AlarmFlag2 = BitState(layout.alarm2Bit, s);
    return AlarmFlag2 ? -1 : 0;
}

bool BitState(int BitNumber, double WordToCheck)
{
    if (BitNumber < 0 || BitNumber > 15 || !std::isfinite(WordToCheck))
        return false;
    const long long word = std::llround(WordToCheck);
    // A 16-bit word arrives signed (-32768..32767) or unsigned (0..65535); both carry the same
    // bit pattern.
    if (word < -32768 || word > 65535)
        return false;
    return (static_cast<quint16>(word & 0xFFFF) >> BitNumber) & 1;
}

} // namespace vanta::comms
