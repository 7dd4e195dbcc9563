// Register access: routes each read or write by controller group and protocol to the engine
// that speaks it, translating register numbers through the cross-reference tables.
#include "comms/register_access.h"

#include "comms/modbus_ascii.h"
#include "comms/modbus_rtu.h"
#include "comms/status_word.h"
#include "comms/vanta_link.h"
#include "comms/vanta_link_registers.h"
#include "core/address.h"
#include "core/number_format.h"
#include "core/registers.h"

#include <QVector>
#include <cmath>
#include <optional>

namespace vanta::comms {

namespace {

using core::withLeadingBlank;

// Model ids as letter pairs (first x 256 + second).
constexpr int ModelXK = 22603;
constexpr int ModelQT = 20820;
constexpr int ModelXW = 22615;

// Group 1 wire registers read with the family's own function code, and its bit registers.
constexpr int FirstFamilyReadWire = 18;
constexpr int LastFamilyReadWire = 19;
constexpr int FirstBitWire = 2064;
constexpr int LastBitWire = 2070;

// Statuses the dispatcher sets itself.
constexpr qint16 NotRoutable = 2;
constexpr qint16 RefusedValue = 3;

enum class Access
{
    Read,
    Write
};

bool isControllerGroup(int Group)
{
    return Group >= 0 && Group < core::ControllerGroupCount;
}

bool isProgramRegister(int reg)
{
    return reg >= 1 && reg <= core::MaxRegister;
}

bool isBitWire(int wire)
{
    return wire >= FirstBitWire && wire <= LastBitWire;
}

Outcome refused(const Target &target, qint16 status, const QString &message)
{
    return Outcome{status, addressPrefix(target) + message};
}

void deliver(const Outcome &outcome, QString &ResultText, qint16 &Status)
{
    ResultText = outcome.text;
    Status = outcome.status;
}

QString invalidGroupMessage(int Group)
{
    return QStringLiteral(":Invalid controller group >") + QString::number(Group);
}

// Group 0 speaks Vanta Link and Modbus RTU, group 1 both Modbus protocols, group 2 Modbus ASCII.
bool speaks(int Group, Protocol protocol)
{
    switch (protocol) {
    case Protocol::VantaLink:
        return Group == 0;
    case Protocol::ModbusRtu:
        return Group != 2;
    case Protocol::ModbusAscii:
        return Group != 0;
    }
    return false;
}

// Why the target cannot be reached, or nothing when its group speaks its protocol.
std::optional<QString> targetRefusal(const Target &target)
{
    if (!isControllerGroup(target.group))
        return invalidGroupMessage(target.group);
    if (speaks(target.group, target.protocol))
        return std::nullopt;
    // Nothing would be sent, so say so rather than report success with an untouched value.
    return QStringLiteral(":Invalid protocol code > ") + protocolCode(target.protocol) +
           QStringLiteral(" for controller group ") + QString::number(target.group);
}

QString invalidRegisterMessage(Access access, Protocol protocol)
{
    if (access == Access::Read)
        return QStringLiteral(":Invalid instrument Read Register >");
    if (protocol == Protocol::VantaLink)
        return QStringLiteral(":Invalid instrument Write Register >");
    return QStringLiteral(":Invalid instrument write Register >");
}

QString missingCommandMessage(Access access, Protocol protocol)
{
    const QString kind =
        protocol == Protocol::VantaLink ? QStringLiteral("Vanta Link") : QStringLiteral("Modbus");
    const QString verb = access == Access::Read ? QStringLiteral("read") : QStringLiteral("write");
    return QStringLiteral(":No valid %1 %2 command found for register >").arg(kind, verb);
}

// The wire register or command code of Register, or -1 where the tables give none.
int crossReference(const core::DataTables &tables, const Target &target, Access access,
                   int Register)
{
    if (target.protocol == Protocol::VantaLink)
        return tables.VantaXref(Register, access == Access::Read ? 1 : 2);
    if (target.group == 1)
        return tables.KXref(Register);
    return tables.WXref(Register);
}

// The wire register (Modbus) or command code (Vanta Link) a request goes to, before any write
// adjustment; status 2 and the text when it cannot be routed. Group 0 over Modbus RTU uses the
// register number itself.
ValueOutcome<int> route(const CommLink &link, Access access, const Target &target, int Register)
{
    if (const std::optional<QString> refusal = targetRefusal(target))
        return ValueOutcome<int>::of(refused(target, NotRoutable, *refusal));
    ValueOutcome<int> wire;
    wire.value = Register;
    if (target.group == 0 && target.protocol == Protocol::ModbusRtu)
        return wire;
    if (!isProgramRegister(Register))
        return ValueOutcome<int>::of(
            refused(target, NotRoutable,
                    invalidRegisterMessage(access, target.protocol) + withLeadingBlank(Register)));
    wire.value = crossReference(link.app.Tables, target, access, Register);
    if (wire.value < 0)
        return ValueOutcome<int>::of(
            refused(target, NotRoutable,
                    missingCommandMessage(access, target.protocol) + withLeadingBlank(Register)));
    return wire;
}

// One Modbus read of one value through the RTU or ASCII engine.
ValueOutcome<float> readModbusValue(CommLink &link, const Target &target, int Register, int wire,
                                    int type)
{
    ValueOutcome<float> read;
    QVector<float> values{0};
    const auto engine = target.protocol == Protocol::ModbusAscii ? ModbusRead_A : ModbusRead_R;
    engine(link, target.group, Register, read.text, read.status, target.address, wire, type, 1,
           values);
    if (read.succeeded())
        read.value = values.value(0);
    return read;
}

Outcome writeModbusValue(CommLink &link, const Target &target, int Register, int wire, int type,
                         double value)
{
    Outcome write;
    const QVector<float> values{static_cast<float>(value)};
    const auto engine = target.protocol == Protocol::ModbusAscii ? ModbusWrite_A : ModbusWrite_R;
    engine(link, target.group, Register, write.text, write.status, target.address, wire, type, 1,
           values);
    return write;
}

// Group 1 reads its model id with function code 103, which answers 1 or 2 for the two model
// families; everything else is a bit or a word.
ValueOutcome<float> readGroup1(CommLink &link, const Target &target, int Register, int wire)
{
    const bool familyRead = wire >= FirstFamilyReadWire && wire <= LastFamilyReadWire;
    const int type = familyRead        ? RegisterType::FamilyRead
                     : isBitWire(wire) ? RegisterType::DiscreteInput
                                       : RegisterType::HoldingRegister;
    ValueOutcome<float> read = readModbusValue(link, target, Register, wire, type);
    if (read.succeeded() && familyRead)
        read.value = read.value == 1 ? ModelXK : read.value == 2 ? ModelQT : 0;
    return read;
}

ValueOutcome<float> readVantaLink(CommLink &link, const Target &target, int Register, int command)
{
    ValueOutcome<float> read;
    readVantaLinkRegister(link, read.text, read.status, target.address, Register, command,
                          read.value);
    return read;
}

Outcome writeVantaLink(CommLink &link, const Target &target, int Register, int command, float Value)
{
    QString refusal;
    const std::optional<LinkWritePlan> plan = planVantaLinkWrite(Register, command, Value, refusal);
    if (!plan)
        return refused(target, RefusedValue, refusal);
    Outcome write;
    QString replyText;
    VantaLinkWrite(link, write.text, write.status, target.address, plan->command,
                   static_cast<float>(plan->value), Register, replyText, plan->rawHex);
    return write;
}

// What a read returns in demo mode, where nothing is sent.
float demoValue(int Group, int Register)
{
    return Group == 2 && Register == core::ModelIdRegister ? ModelXW : 0;
}

// Decimal places of group 0's decimal-point setting: 1..3, else none.
int decimalPlacesOfSetting(float setting)
{
    const int places = static_cast<int>(setting);
    return places >= 1 && places <= 3 ? places : 0;
}

// The engine decodes the value itself; fields a reply does not carry keep those of `seed`.
ValueOutcome<ScaledValue> readScaledVantaLink(CommLink &link, const Target &target, int Register,
                                              const ScaledValue &seed)
{
    const ValueOutcome<int> command = route(link, Access::Read, target, Register);
    if (!command.succeeded())
        return ValueOutcome<ScaledValue>::of(command);
    VantaLinkValue reply;
    static_cast<ScaledValue &>(reply) = seed;
    ValueOutcome<ScaledValue> read;
    VantaLinkRead(link, read.text, read.status, target.address, command.value, reply, Register);
    read.value = reply;
    return read;
}

// The register, then the status word for the divisor, unit and alarms; group 0 takes the
// decimal point of any register but the process value from its decimal-point setting.
ValueOutcome<ScaledValue> readScaledModbus(CommLink &link, const Target &target, int Register)
{
    const ValueOutcome<float> word = readRegister(link, target, Register);
    if (!word.succeeded())
        return ValueOutcome<ScaledValue>::of(word);
    const ValueOutcome<float> statusWord = readRegister(link, target, core::StatusWordRegister);
    if (!statusWord.succeeded())
        return ValueOutcome<ScaledValue>::of(statusWord);
    ValueOutcome<ScaledValue> read;
    ScaledValue &scaled = read.value;
    DecimalPointInfo(target.group, static_cast<int>(statusWord.value), scaled.Divisor,
                     scaled.FormatText, scaled.UnitText, scaled.AlarmFlag1, scaled.AlarmFlag2);
    if (target.group == 0 && Register != core::ProcessValueRegister) {
        const ValueOutcome<float> setting = readRegister(link, target, core::DecimalPointRegister);
        if (!setting.succeeded())
            return ValueOutcome<ScaledValue>::of(setting);
        applyDecimalPlaces(decimalPlacesOfSetting(setting.value), scaled.Divisor,
                           scaled.FormatText);
    }
    scaled.Value = static_cast<float>(double(word.value) / scaled.Divisor);
    scaled.ValueText = core::formatNumber(scaled.Value, scaled.FormatText);
    return read;
}

ValueOutcome<ScaledValue> readScaled(CommLink &link, const Target &target, int Register,
                                     const ScaledValue &seed)
{
    if (target.group == 0 && target.protocol == Protocol::VantaLink)
        return readScaledVantaLink(link, target, Register, seed);
    return readScaledModbus(link, target, Register);
}

} // namespace

ValueOutcome<Target> targetFor(int Group, const QString &code, int Address)
{
    ValueOutcome<Target> result;
    result.value = Target{Group, Protocol::VantaLink, Address};
    const std::optional<Protocol> protocol = protocolFromCode(code);
    if (!isControllerGroup(Group))
        return ValueOutcome<Target>::of(
            refused(result.value, NotRoutable, invalidGroupMessage(Group)));
    if (!protocol)
        return ValueOutcome<Target>::of(
            refused(result.value, NotRoutable, QStringLiteral(":Invalid protocol code >") + code));
    result.value.protocol = *protocol;
    return result;
}

ValueOutcome<float> readRegister(CommLink &link, const Target &target, int Register)
{
    const ValueOutcome<int> wire = route(link, Access::Read, target, Register);
    if (!wire.succeeded())
        return ValueOutcome<float>::of(wire);
    if (link.app.DemoMode()) {
        ValueOutcome<float> demo;
        demo.value = demoValue(target.group, Register);
        return demo;
    }
    if (target.protocol == Protocol::VantaLink)
        return readVantaLink(link, target, Register, wire.value);
    if (target.group == 1)
        return readGroup1(link, target, Register, wire.value);
    ValueOutcome<float> read =
        readModbusValue(link, target, Register, wire.value, RegisterType::HoldingRegister);
    if (read.succeeded() && target.group == 2 && Register == core::ModelIdRegister)
        read.value = ModelXW;
    return read;
}

std::optional<Outcome> readRefusal(const CommLink &link, const Target &target, int Register)
{
    const ValueOutcome<int> wire = route(link, Access::Read, target, Register);
    if (wire.succeeded())
        return std::nullopt;
    return static_cast<const Outcome &>(wire);
}

Outcome writeRegister(CommLink &link, const Target &target, int Register, float Value)
{
    const ValueOutcome<int> wire = route(link, Access::Write, target, Register);
    if (!wire.succeeded())
        return static_cast<const Outcome &>(wire);
    if (target.protocol == Protocol::VantaLink)
        return writeVantaLink(link, target, Register, wire.value, Value);
    const int type = target.group == 1 && isBitWire(wire.value) ? RegisterType::Coil
                                                                : RegisterType::HoldingRegister;
    return writeModbusValue(link, target, Register, wire.value, type, std::round(double(Value)));
}

ValueOutcome<ScaledValue> readScaledValue(CommLink &link, const Target &target, int Register)
{
    return readScaled(link, target, Register, ScaledValue());
}

void ReadRegister(CommLink &link, int Group, const QString &Protocol, QString &ResultText,
                  qint16 &Status, int Address, int Register, float &Value)
{
    const ValueOutcome<Target> target = targetFor(Group, Protocol, Address);
    const ValueOutcome<float> read = target.succeeded() ? readRegister(link, target.value, Register)
                                                        : ValueOutcome<float>::of(target);
    deliver(read, ResultText, Status);
    if (read.succeeded())
        Value = read.value;
}

void WriteRegister(CommLink &link, int Group, const QString &Protocol, QString &ResultText,
                   qint16 &Status, int Address, int Register, float Value)
{
    const ValueOutcome<Target> target = targetFor(Group, Protocol, Address);
    const Outcome write = target.succeeded() ? writeRegister(link, target.value, Register, Value)
                                             : static_cast<const Outcome &>(target);
    deliver(write, ResultText, Status);
}

void ReadScaledValue(CommLink &link, int Group, const QString &Protocol, QString &ResultText,
                     qint16 &Status, int Address, int Register, ScaledValue &Scaled)
{
    const ValueOutcome<Target> target = targetFor(Group, Protocol, Address);
    const ValueOutcome<ScaledValue> read = target.succeeded()
                                               ? readScaled(link, target.value, Register, Scaled)
                                               : ValueOutcome<ScaledValue>::of(target);
    deliver(read, ResultText, Status);
    if (read.succeeded())
        Scaled = read.value;
}

} // namespace vanta::comms
