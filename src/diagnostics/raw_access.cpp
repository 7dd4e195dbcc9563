// Raw register and command access: the texts of the raw windows checked and turned into one
// dispatcher call or one engine call.
#include "diagnostics/raw_access.h"

#include "comms/modbus_ascii.h"
#include "comms/modbus_rtu.h"
#include "comms/register_access.h"
#include "comms/vanta_link.h"
#include "core/number_format.h"

#include <QVector>
#include <climits>
#include <cmath>

namespace vanta::diagnostics {

namespace {

using comms::Outcome;
using comms::ValueOutcome;

constexpr qint16 NotRoutable = 2;
constexpr qint16 RefusedValue = 3;

// Wire registers of group 1 read with the family's own function code, and its bit registers.
constexpr int FirstFamilyWire = 0x12;
constexpr int LastFamilyWire = 0x13;
constexpr int FirstBitWire = 0x810;
constexpr int LastBitWire = 0x816;

constexpr int HoldingRegister = 3;
constexpr int DiscreteInput = 2;
constexpr int Coil = 1;
constexpr int FamilyRegister = 5;

enum class Access
{
    Read,
    Write
};

Outcome refusal(int group, int address, qint16 status, const QString &message)
{
    return Outcome{status, comms::addressPrefix(group, address) + message};
}

QString shownText(const QString &text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? QStringLiteral(" (empty)") : QLatin1Char(' ') + trimmed;
}

// The dispatcher's refusal of a register number, for numbers too large to hand to it.
QString invalidRegisterMessage(Access access, const QString &protocol)
{
    if (access == Access::Read)
        return QStringLiteral(":Invalid instrument Read Register >");
    if (protocol == QLatin1String("L"))
        return QStringLiteral(":Invalid instrument Write Register >");
    return QStringLiteral(":Invalid instrument write Register >");
}

// The cross-referenced register number of the box (rounded, halves to even; an empty box is 0,
// which the dispatcher refuses), or the refusal of a text that is no number or far out of range.
ValueOutcome<int> crossReferencedRegister(const RegisterRequest &request, Access access)
{
    ValueOutcome<int> result;
    const QString trimmed = request.registerText.trimmed();
    const std::optional<double> number =
        trimmed.isEmpty() ? std::optional<double>(0) : core::parseNumberText(trimmed);
    const double rounded = number ? std::nearbyint(*number) : 0;
    if (!number || !(std::fabs(rounded) <= INT_MAX)) {
        static_cast<Outcome &>(result) =
            refusal(request.group, request.address, NotRoutable,
                    invalidRegisterMessage(access, request.protocol) + shownText(trimmed));
        return result;
    }
    result.value = static_cast<int>(rounded);
    return result;
}

// The protocol a native access speaks, or the refusal of a pair that cannot be routed.
ValueOutcome<comms::Protocol> nativeProtocol(const RegisterRequest &request)
{
    const ValueOutcome<comms::Target> target =
        comms::targetFor(request.group, request.protocol, request.address);
    if (!target.succeeded())
        return ValueOutcome<comms::Protocol>::of(target);
    const comms::Protocol protocol = target.value.protocol;
    const bool routable = protocol == comms::Protocol::ModbusAscii ||
                          (protocol == comms::Protocol::ModbusRtu && request.group == 1);
    if (!routable)
        return ValueOutcome<comms::Protocol>::of(
            refusal(request.group, request.address, NotRoutable,
                    QStringLiteral(":Invalid protocol code > ") + request.protocol +
                        QStringLiteral(" for controller group ") + QString::number(request.group)));
    ValueOutcome<comms::Protocol> result;
    result.value = protocol;
    return result;
}

ValueOutcome<int> nativeRegister(const RegisterRequest &request)
{
    ValueOutcome<int> result;
    const std::optional<int> wire = parseHexText(request.registerText);
    if (!wire) {
        static_cast<Outcome &>(result) =
            refusal(request.group, request.address, NotRoutable,
                    QStringLiteral(":Invalid Modbus Register >") + shownText(request.registerText));
        return result;
    }
    result.value = *wire;
    return result;
}

bool isBitWire(int wire)
{
    return wire >= FirstBitWire && wire <= LastBitWire;
}

int nativeReadType(int wire)
{
    if (wire >= FirstFamilyWire && wire <= LastFamilyWire)
        return FamilyRegister;
    return isBitWire(wire) ? DiscreteInput : HoldingRegister;
}

ValueOutcome<float> readNative(comms::CommLink &link, const RegisterRequest &request)
{
    const ValueOutcome<comms::Protocol> protocol = nativeProtocol(request);
    if (!protocol.succeeded())
        return ValueOutcome<float>::of(protocol);
    const ValueOutcome<int> wire = nativeRegister(request);
    if (!wire.succeeded())
        return ValueOutcome<float>::of(wire);
    ValueOutcome<float> result;
    QVector<float> values(1, 0.0F);
    const auto read =
        protocol.value == comms::Protocol::ModbusRtu ? comms::ModbusRead_R : comms::ModbusRead_A;
    read(link, request.group, 0, result.text, result.status, request.address, wire.value,
         nativeReadType(wire.value), 1, values);
    result.value = values.value(0);
    return result;
}

Outcome writeNative(comms::CommLink &link, const RegisterRequest &request, float value)
{
    const ValueOutcome<comms::Protocol> protocol = nativeProtocol(request);
    if (!protocol.succeeded())
        return protocol;
    const ValueOutcome<int> wire = nativeRegister(request);
    if (!wire.succeeded())
        return wire;
    Outcome result;
    const auto write =
        protocol.value == comms::Protocol::ModbusRtu ? comms::ModbusWrite_R : comms::ModbusWrite_A;
    write(link, request.group, 0, result.text, result.status, request.address, wire.value,
          isBitWire(wire.value) ? Coil : HoldingRegister, 1, QVector<float>{value});
    return result;
}

bool isCrossReferenced(const RegisterRequest &request)
{
    return request.crossReferenced || request.group == 0;
}

// The value of the value box: a decimal number, or with RawHex four hexadecimal digits as a
// signed 16-bit word.
std::optional<float> valueToWrite(const QString &valueText, bool RawHex)
{
    if (!RawHex) {
        const std::optional<double> number = core::parseNumberText(valueText);
        if (!number)
            return std::nullopt;
        return static_cast<float>(*number);
    }
    const std::optional<int> word = parseHexText(valueText);
    if (!word || *word > 0xFFFF)
        return std::nullopt;
    return static_cast<float>(*word >= 0x8000 ? *word - 0x10000 : *word);
}

QString refusedValueMessage(const QString &valueText)
{
    return QStringLiteral(":Value to write is not a number >") + shownText(valueText);
}

int commandAddress(const CommandRequest &request)
{
    // An address that is no hexadecimal number is 0, which the engine refuses.
    return parseHexText(request.addressText).value_or(0);
}

// The command code, or the refusal of a text that is no hexadecimal number.
ValueOutcome<int> commandCode(const CommandRequest &request)
{
    ValueOutcome<int> result;
    const std::optional<int> code = parseHexText(request.commandText);
    if (!code) {
        static_cast<Outcome &>(result) = refusal(
            0, commandAddress(request), NotRoutable,
            QStringLiteral(":Invalid Vanta Link command code >") + shownText(request.commandText));
        return result;
    }
    result.value = *code;
    return result;
}

CommandOutcome failedCommand(const Outcome &outcome)
{
    CommandOutcome result;
    static_cast<Outcome &>(result) = outcome;
    return result;
}

} // namespace

bool PasswordAccepted(const QString &Entered, const QString &Stored)
{
    return Entered.trimmed().toUpper() == Stored.trimmed().toUpper();
}

bool WritesAllowed(core::Interaction &ui, const QString &Entered, const QString &Stored)
{
    if (PasswordAccepted(Entered, Stored))
        return true;
    ui.MsgBox(QStringLiteral("The password entered is not correct to allow writes."),
              core::MsgButtons::Ok, core::MsgIcon::Exclamation,
              QStringLiteral("Password Incorrect"), core::MsgResult::Ok);
    return false;
}

std::optional<int> parseHexText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 8)
        return std::nullopt;
    bool ok = false;
    const qlonglong value = trimmed.toLongLong(&ok, 16);
    if (!ok || value < 0 || value > INT_MAX || trimmed.startsWith(QLatin1Char('+')) ||
        trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        return std::nullopt;
    return static_cast<int>(value);
}

ValueOutcome<float> readRawRegister(comms::CommLink &link, const RegisterRequest &request)
{
    if (!isCrossReferenced(request))
        return readNative(link, request);
    const ValueOutcome<int> reg = crossReferencedRegister(request, Access::Read);
    if (!reg.succeeded())
        return ValueOutcome<float>::of(reg);
    ValueOutcome<float> result;
    comms::ReadRegister(link, request.group, request.protocol, result.text, result.status,
                        request.address, reg.value, result.value);
    return result;
}

Outcome writeRawRegister(comms::CommLink &link, const RegisterRequest &request,
                         const QString &valueText)
{
    const std::optional<float> value = valueToWrite(valueText, false);
    if (!value)
        return refusal(request.group, request.address, RefusedValue,
                       refusedValueMessage(valueText));
    if (!isCrossReferenced(request))
        return writeNative(link, request, *value);
    const ValueOutcome<int> reg = crossReferencedRegister(request, Access::Write);
    if (!reg.succeeded())
        return reg;
    Outcome result;
    comms::WriteRegister(link, request.group, request.protocol, result.text, result.status,
                         request.address, reg.value, *value);
    return result;
}

CommandOutcome readRawCommand(comms::CommLink &link, const CommandRequest &request)
{
    const ValueOutcome<int> code = commandCode(request);
    if (!code.succeeded())
        return failedCommand(code);
    CommandOutcome result;
    comms::VantaLinkValue reply;
    comms::VantaLinkRead(link, result.text, result.status, commandAddress(request), code.value,
                         reply, 0);
    result.value = reply.Value;
    result.ReplyText = reply.ReplyText;
    return result;
}

CommandOutcome writeRawCommand(comms::CommLink &link, const CommandRequest &request,
                               const QString &valueText, bool RawHex)
{
    const ValueOutcome<int> code = commandCode(request);
    if (!code.succeeded())
        return failedCommand(code);
    const std::optional<float> value = valueToWrite(valueText, RawHex);
    if (!value)
        return failedCommand(
            refusal(0, commandAddress(request), RefusedValue,
                    RawHex ? QStringLiteral(":Value to write is not four hexadecimal digits >") +
                                 shownText(valueText)
                           : refusedValueMessage(valueText)));
    CommandOutcome result;
    comms::VantaLinkWrite(link, result.text, result.status, commandAddress(request), code.value,
                          *value, 0, result.ReplyText, RawHex);
    return result;
}

} // namespace vanta::diagnostics
