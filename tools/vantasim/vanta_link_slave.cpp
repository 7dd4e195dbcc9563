// Vanta Link requests on the instrument side: reads by command code, writes with data and
// data-less commands, and the negative acknowledgements.
#include "checksums.h"
#include "core/registers.h"
#include "slaves.h"

#include <algorithm>

namespace vanta::sim {

namespace {

constexpr int CommVersionText = 0x700;
constexpr int SoftwareVersionText = 0x702;
constexpr QByteArrayView SoftwareBuild = "03";

bool isHexText(const QByteArray &text)
{
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    });
}

std::optional<int> parseDecimal(const QByteArray &text)
{
    if (text.isEmpty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return text.toInt();
}

QByteArray decimal(int value, int digits)
{
    return QByteArray::number(value).rightJustified(digits, '0');
}

// Codes 0400H-04FFH are executed without data; everything else sent without data is a read.
bool isDatalessCode(int code)
{
    return code >= 0x400 && code <= 0x4FF;
}

bool isWriteOnlyCode(int code)
{
    return (code >= 0x200 && code <= 0x2FF) || (code >= 0x400 && code <= 0x4FF);
}

// Registers whose value field carries the decimal point and units: process values, setpoints,
// alarm limits, step setpoints, dead band and alarm hysteresis.
bool isInProcessUnits(int reg)
{
    return reg == 2 || (reg >= 257 && reg <= 266) || (reg >= 290 && reg <= 320 && reg % 2 == 0) ||
           reg == 321 || reg == 346 || reg == 347;
}

// Byte registers that answer two hexadecimal characters; the rest answer two decimal digits.
bool isHexByte(int reg)
{
    return (reg >= 775 && reg <= 778) || (reg >= 783 && reg <= 789) || reg == 792 || reg == 793 ||
           reg == 796 || reg == 797 || reg == 799 || (reg >= 801 && reg <= 805) || reg == 807 ||
           reg == 809 || (reg >= 811 && reg <= 813);
}

class VantaLinkAnswer
{
public:
    VantaLinkAnswer(Instrument &instrument, const VantaLinkRequest &request,
                    const RegisterPlan &plan)
        : m_instrument(instrument), m_request(request), m_plan(plan)
    {
        m_reply.protocol = Protocol::VantaLink;
        m_reply.address = request.address;
    }

    Reply answer();

private:
    Reply nak(int code) const
    {
        Reply reply = m_reply;
        reply.payload = "N" + decimal(code, 2);
        reply.checked = false;
        return reply;
    }
    Reply ok(const QByteArray &data) const
    {
        Reply reply = m_reply;
        reply.payload = data;
        return reply;
    }
    Reply read(int code);
    Reply execute(int code, const QByteArray &data);
    QByteArray valueField(int reg, int value, std::optional<DigitOf> digit) const;
    QByteArray readData(int code, int reg, int value, std::optional<DigitOf> digit) const;

    Instrument &m_instrument;
    const VantaLinkRequest &m_request;
    const RegisterPlan &m_plan;
    Reply m_reply;
};

Reply VantaLinkAnswer::answer()
{
    if (!m_request.checksumOk)
        return nak(NakHostChecksum);
    const QByteArray &body = m_request.body;
    if (!isHexText(body))
        return nak(NakIllegalCharacters);
    // 2 characters: a read of a code up to FFH; 4: a read, or a data-less command from 0400H;
    // 10: a write with 6 data characters.
    const int code = parseHex(body.left(4)).value_or(-1);
    switch (body.size()) {
    case 2:
        return read(code);
    case 4:
        return isDatalessCode(code) ? execute(code, {}) : read(code);
    case 10:
        return execute(code, body.mid(4));
    default:
        return nak(NakDataField);
    }
}

Reply VantaLinkAnswer::read(int code)
{
    if (code == CommVersionText || code == SoftwareVersionText) {
        const QByteArray word = hex4(*m_instrument.read(
            code == CommVersionText ? core::CommVersionRegister : core::SoftVersionRegister));
        if (code == CommVersionText)
            return ok(word.left(2) + "." + word.mid(2));
        return ok(word + SoftwareBuild.toByteArray() + "0000");
    }
    const std::optional<VantaLinkReadTarget> target = m_plan.vantaLinkRead(code);
    if (!target)
        return nak(isWriteOnlyCode(code) ? NakDataField : NakUndefinedCommand);
    for (const int reg : target->registers) {
        if (m_instrument.has(reg))
            return ok(readData(code, reg, *m_instrument.read(reg), target->digit));
    }
    if (target->digit && m_instrument.has(target->digit->reg))
        return ok(readData(code, 0, 0, target->digit));
    return nak(NakIllegalAddress);
}

QByteArray VantaLinkAnswer::valueField(int reg, int value, std::optional<DigitOf> digit) const
{
    int status = value < 0 ? 1 : 0;
    if (isInProcessUnits(reg))
        status |= m_instrument.valueFieldUnits() | (std::min(m_instrument.decimals(), 3) << 4);
    if (digit && m_instrument.has(digit->reg)) {
        // Step events: bits 15-2j and 14-2j of the event word become status bits 7 and 6.
        const int events = *m_instrument.read(digit->reg);
        status |= ((events >> (14 - 2 * digit->digit)) & 3) << 6;
    }
    return hex2(status) + decimal(std::min(std::abs(value), 9999), 4);
}

QByteArray VantaLinkAnswer::readData(int code, int reg, int value,
                                     std::optional<DigitOf> digit) const
{
    if (code == 0x00) {
        const int status = *m_instrument.read(core::StatusWordRegister);
        return hex4(status) + decimal(std::min(std::abs(value), 9999), 4);
    }
    if (code == 0x05)
        return hex4(value) + hex4(*m_instrument.read(core::ErrorWordRegister)) +
               hex2(m_instrument.outputByte());
    if (code == 0x08)
        return hex2(m_instrument.rampSoakStatus());
    if (code >= 0x100 && code <= 0x199)
        return valueField(reg, value, digit);
    if (code == 0x701)
        return "00" + hex4(value) + "0000";
    if (code >= 0x730 && code <= 0x735)
        return hex4(value) + "000000";
    if (isHexByte(reg))
        return hex2(value);
    return decimal(std::clamp(value, 0, 99), 2);
}

Reply VantaLinkAnswer::execute(int code, const QByteArray &data)
{
    const std::optional<VantaLinkWriteTarget> target = m_plan.vantaLinkWrite(code);
    if (!target)
        return nak(m_plan.vantaLinkRead(code) ? NakDataField : NakUndefinedCommand);
    const bool dataless = target->data == WriteData::Implied;
    if (dataless != data.isEmpty())
        return nak(NakDataField);
    int value = target->impliedValue;
    if (target->data == WriteData::RawHex) {
        if (data.mid(4) != "00")
            return nak(NakDataField);
        value = static_cast<qint16>(*parseHex(data.left(4)));
    } else if (!dataless) {
        const std::optional<int> magnitude = parseDecimal(data.left(4));
        const QByteArray sign = data.mid(4).toUpper();
        if (!magnitude || (sign != "00" && sign != "FF"))
            return nak(magnitude ? NakDataField : NakIllegalCharacters);
        value = sign == "FF" ? -*magnitude : *magnitude;
        if (target->data == WriteData::Negated)
            value = -value; // the instrument keeps the negative of what it receives
    }
    switch (m_instrument.write(target->reg, value)) {
    case WriteStatus::Done:
        return ok(hex4(code));
    case WriteStatus::OutOfRange:
        return nak(NakIllegalValue);
    case WriteStatus::ReadOnly:
        return nak(NakDataField);
    case WriteStatus::Missing:
        break;
    }
    return nak(NakIllegalAddress);
}

} // namespace

Reply answerVantaLink(Instrument &instrument, const VantaLinkRequest &request,
                      const RegisterPlan &plan)
{
    VantaLinkAnswer answer(instrument, request, plan);
    return answer.answer();
}

} // namespace vanta::sim
