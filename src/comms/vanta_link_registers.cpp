// The Vanta Link register rules: raw and assembled reads, value-dependent write commands.
#include "comms/vanta_link_registers.h"

#include "comms/vanta_link.h"
#include "core/address.h"
#include "core/number_format.h"
#include "core/registers.h"

#include <cmath>
#include <initializer_list>

namespace vanta::comms {

namespace {

bool isOneOf(int Register, std::initializer_list<int> registers)
{
    for (const int r : registers) {
        if (r == Register)
            return true;
    }
    return false;
}

bool isRawHexRead(int Register)
{
    return (Register >= 775 && Register <= 778) || (Register >= 783 && Register <= 789) ||
           (Register >= 1842 && Register <= 1845) ||
           isOneOf(Register, {3, 4, 792, 793, 796, 797, 799, 801, 802, 804, 805, 807, 809, 811, 812,
                              813, 1794, 1795});
}

bool isRampSoakTime(int Register)
{
    return Register >= 289 && Register <= 319 && Register % 2 == 1;
}

bool isPackedBitsRegister(int Register)
{
    return Register == 350 || Register == 351;
}

// Bits 7-6 of a reply's raw value: one base-4 digit of the packed registers.
int packedDigit(float rawValue)
{
    return static_cast<int>((std::llround(rawValue) & 0xC0) / 64);
}

// The value a caller sees of one decoded Vanta Link reply.
float vantaLinkValue(int Register, const VantaLinkValue &reply)
{
    if (Register == core::TimeBaseRegister)
        return static_cast<float>(std::llround(reply.RawValue) & 1);
    if (isRawHexRead(Register))
        return reply.RawValue;
    if (isRampSoakTime(Register))
        return std::fabs(reply.Value);
    // The whole number as the instrument shows it; rounding removes the float error of
    // dividing and multiplying back.
    return static_cast<float>(std::round(double(reply.Value) * double(reply.Divisor)));
}

// Registers 350 and 351 are spread over eight consecutive read commands, each giving two bits
// (bits 7-6 of its reply), most significant first. The result is a signed 16-bit value.
void readPackedBits(CommLink &link, QString &ResultText, qint16 &Status, int Address, int Register,
                    int command, const VantaLinkValue &first, float &Value)
{
    int weight = 16384;
    int value = packedDigit(first.RawValue) * weight;
    if (value > 32767)
        value -= 65536;
    for (int read = 1; read < 8; ++read) {
        weight /= 4;
        command += 2;
        VantaLinkValue reply;
        VantaLinkRead(link, ResultText, Status, Address, command, reply, Register);
        if (Status != 0)
            return;
        value += packedDigit(reply.RawValue) * weight;
    }
    Value = static_cast<float>(value);
}

bool isRawHexWrite(int Register)
{
    return isOneOf(Register, {350, 351, 792, 796, 797, 799, 801});
}

// Registers whose "off" (value 0) state has a command of its own, the one after the table's.
bool usesNextCommandForZero(int Register)
{
    return (Register >= 783 && Register <= 788) ||
           isOneOf(Register, {793, 802, 804, 805, 807, 812, 813});
}

bool usesNextCommandForNonZero(int Register)
{
    return isOneOf(Register, {789, 809, 811});
}

// The setpoint stage register selects one of four commands by its value.
constexpr int StageCount = 4;

} // namespace

void readVantaLinkRegister(CommLink &link, QString &ResultText, qint16 &Status, int Address,
                           int Register, int command, float &Value)
{
    VantaLinkValue reply;
    VantaLinkRead(link, ResultText, Status, Address, command, reply, Register);
    if (Status != 0)
        return;
    if (isPackedBitsRegister(Register)) {
        readPackedBits(link, ResultText, Status, Address, Register, command, reply, Value);
        return;
    }
    Value = vantaLinkValue(Register, reply);
}

std::optional<LinkWritePlan> planVantaLinkWrite(int Register, int command, float Value,
                                                QString &refusal)
{
    // Decided in double on the rounded value, so nothing wraps before the engine's range check.
    LinkWritePlan plan{command, std::round(double(Value)), isRawHexWrite(Register)};
    if (Register >= 274 && Register <= 277)
        plan.value = -plan.value;
    if (usesNextCommandForZero(Register) && plan.value == 0)
        ++plan.command;
    if (usesNextCommandForNonZero(Register) && plan.value != 0)
        ++plan.command;
    if (Register != core::SetpointStageRegister)
        return plan;
    if (!(plan.value >= 0 && plan.value < StageCount)) {
        refusal = QStringLiteral(":Invalid instrument Write Data Value for Register >") +
                  core::withLeadingBlank(Register) + QStringLiteral(" (") +
                  core::Hex4(plan.command) + QStringLiteral("). Value=") +
                  core::withLeadingBlank(double(Value));
        return std::nullopt;
    }
    plan.command += static_cast<int>(plan.value);
    return plan;
}

} // namespace vanta::comms
