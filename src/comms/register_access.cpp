// Register access: routes each read or write by controller group and protocol code to the
// engine that speaks it, translating register numbers through the cross-reference tables.
#include "comms/register_access.h"

#include "comms/modbus_ascii.h"
#include "comms/modbus_rtu.h"
#include "comms/status_word.h"
#include "comms/vanta_link.h"
#include "comms/vanta_link_registers.h"
#include "core/address.h"
#include "core/number_format.h"

#include <QVector>
#include <cmath>
#include <optional>
#include <tuple>

namespace vanta::comms {

namespace {

using core::withLeadingBlank;

constexpr int ModelIdRegister = 1794;
constexpr int StatusWordRegister = 3;
constexpr int ProcessValueRegister = 2;
constexpr int DecimalPointRegister = 795;

// Model ids as letter pairs (first x 256 + second).
constexpr int ModelXK = 22603;
constexpr int ModelQT = 20820;
constexpr int ModelXW = 22615;

// Group 1 wire registers read with the family's own function code, and its bit registers.
constexpr int FirstFamilyReadWire = 18;
constexpr int LastFamilyReadWire = 19;
constexpr int FirstBitWire = 2064;
constexpr int LastBitWire = 2070;

enum class Engine
{
    VantaLink,
    ModbusRtu,
    ModbusAscii
};
enum class Access
{
    Read,
    Write
};

// Where one request goes: the engine, and the wire register (Modbus) or command code
// (Vanta Link) before any write adjustment.
struct Target
{
    Engine engine;
    int wire;
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

QString addressPrefix(int Group, int Address)
{
    return QStringLiteral("Address ") + core::FormatAddress(Group, Address);
}

void refuse(QString &ResultText, qint16 &Status, int Group, int Address, qint16 status,
            const QString &message)
{
    Status = status;
    ResultText = addressPrefix(Group, Address) + message;
}

// The engine a group and protocol code call for, or the routing failure text.
std::optional<Engine> engineFor(int Group, const QString &Protocol, QString &failure)
{
    if (!isControllerGroup(Group)) {
        failure = QStringLiteral(":Invalid controller group >") + QString::number(Group);
        return std::nullopt;
    }
    const bool vantaLink = Protocol == QLatin1String("L");
    const bool rtu = Protocol == QLatin1String("R");
    const bool ascii = Protocol == QLatin1String("A");
    if (!vantaLink && !rtu && !ascii) {
        failure = QStringLiteral(":Invalid protocol code >") + Protocol;
        return std::nullopt;
    }
    if (Group == 0 && vantaLink)
        return Engine::VantaLink;
    if (rtu && Group != 2)
        return Engine::ModbusRtu;
    if (ascii && Group != 0)
        return Engine::ModbusAscii;
    // A valid code that this group does not speak: nothing would be sent, so say so rather
    // than report success with an untouched value.
    failure = QStringLiteral(":Invalid protocol code > ") + Protocol +
              QStringLiteral(" for controller group ") + QString::number(Group);
    return std::nullopt;
}

QString invalidRegisterMessage(Access access, Engine engine)
{
    if (access == Access::Read)
        return QStringLiteral(":Invalid instrument Read Register >");
    if (engine == Engine::VantaLink)
        return QStringLiteral(":Invalid instrument Write Register >");
    return QStringLiteral(":Invalid instrument write Register >");
}

QString missingCommandMessage(Access access, Engine engine)
{
    const QString kind =
        engine == Engine::VantaLink ? QStringLiteral("Vanta Link") : QStringLiteral("Modbus");
    const QString verb = access == Access::Read ? QStringLiteral("read") : QStringLiteral("write");
    return QStringLiteral(":No valid %1 %2 command found for register >").arg(kind, verb);
}

// The wire register or command code of Register, or -1 where the tables give none. Group 0
// over Modbus RTU uses the register number itself.
int crossReference(const core::DataTables &tables, int Group, Engine engine, Access access,
                   int Register)
{
    if (engine == Engine::VantaLink)
        return tables.VantaXref(Register, access == Access::Read ? 1 : 2);
    if (Group == 1)
        return tables.KXref(Register);
    return tables.WXref(Register);
}

// Resolves a request to its engine and wire register or command; on failure sets status 2 and
// the text, and returns nothing.
std::optional<Target> resolve(const CommLink &link, Access access, int Group,
                              const QString &Protocol, QString &ResultText, qint16 &Status,
                              int Address, int Register)
{
    QString failure;
    const std::optional<Engine> engine = engineFor(Group, Protocol, failure);
    if (!engine) {
        refuse(ResultText, Status, Group, Address, 2, failure);
        return std::nullopt;
    }
    if (Group == 0 && *engine == Engine::ModbusRtu)
        return Target{*engine, Register};
    if (!isProgramRegister(Register)) {
        refuse(ResultText, Status, Group, Address, 2,
               invalidRegisterMessage(access, *engine) + withLeadingBlank(Register));
        return std::nullopt;
    }
    const int wire = crossReference(link.app.Tables, Group, *engine, access, Register);
    if (wire < 0) {
        refuse(ResultText, Status, Group, Address, 2,
               missingCommandMessage(access, *engine) + withLeadingBlank(Register));
        return std::nullopt;
    }
    return Target{*engine, wire};
}

// One Modbus read of one value through the RTU or ASCII engine; Value is set on success only.
void readModbusValue(CommLink &link, Engine engine, int Group, int Register, QString &ResultText,
                     qint16 &Status, int Address, int wire, int type, float &Value)
{
    QVector<float> values{0};
    if (engine == Engine::ModbusAscii)
        ModbusRead_A(link, Group, Register, ResultText, Status, Address, wire, type, 1, values);
    else
        ModbusRead_R(link, Group, Register, ResultText, Status, Address, wire, type, 1, values);
    if (Status == 0 && !values.isEmpty())
        Value = values.first();
}

void writeModbusValue(CommLink &link, Engine engine, int Group, int Register, QString &ResultText,
                      qint16 &Status, int Address, int wire, int type, double value)
{
    const QVector<float> values{static_cast<float>(value)};
    if (engine == Engine::ModbusAscii)
        ModbusWrite_A(link, Group, Register, ResultText, Status, Address, wire, type, 1, values);
    else
        ModbusWrite_R(link, Group, Register, ResultText, Status, Address, wire, type, 1, values);
}

// Group 1 reads its model id with function code 103, which answers 1 or 2 for the two model
// families; everything else is a bit or a word.
void readGroup1(CommLink &link, Engine engine, QString &ResultText, qint16 &Status, int Address,
                int Register, int wire, float &Value)
{
    const bool familyRead = wire >= FirstFamilyReadWire && wire <= LastFamilyReadWire;
    const int type = familyRead        ? RegisterType::FamilyRead
                     : isBitWire(wire) ? RegisterType::DiscreteInput
                                       : RegisterType::HoldingRegister;
    float word = 0;
    readModbusValue(link, engine, 1, Register, ResultText, Status, Address, wire, type, word);
    if (Status != 0)
        return;
    if (!familyRead) {
        Value = word;
        return;
    }
    Value = word == 1 ? ModelXK : word == 2 ? ModelQT : 0;
}

void writeVantaLink(CommLink &link, QString &ResultText, qint16 &Status, int Address, int Register,
                    int command, float Value)
{
    QString refusal;
    const std::optional<LinkWritePlan> plan = planVantaLinkWrite(Register, command, Value, refusal);
    if (!plan) {
        refuse(ResultText, Status, 0, Address, 3, refusal);
        return;
    }
    QString replyText;
    VantaLinkWrite(link, ResultText, Status, Address, plan->command,
                   static_cast<float>(plan->value), Register, replyText, plan->rawHex);
}

// What a read returns in demo mode, where nothing is sent.
float demoValue(int Group, int Register)
{
    return Group == 2 && Register == ModelIdRegister ? ModelXW : 0;
}

// Decimal places of group 0's decimal-point setting (register 795): 1..3, else none.
int decimalPlacesOfSetting(float setting)
{
    const int places = static_cast<int>(setting);
    return places >= 1 && places <= 3 ? places : 0;
}

// The fields a Vanta Link read and a scaled read share, in the same order.
auto sharedFields(ScaledValue &s)
{
    return std::tie(s.ValueText, s.UnitText, s.FormatText, s.Value, s.Divisor, s.AlarmFlag1,
                    s.AlarmFlag2);
}

auto sharedFields(VantaLinkValue &r)
{
    return std::tie(r.DisplayText, r.UnitText, r.FormatText, r.Value, r.Divisor, r.AlarmFlag1,
                    r.AlarmFlag2);
}

// The engine decodes the value itself; fields a reply does not carry keep the caller's.
void readScaledVantaLink(CommLink &link, QString &ResultText, qint16 &Status, int Address,
                         int Register, int command, ScaledValue &Scaled)
{
    VantaLinkValue reply;
    sharedFields(reply) = sharedFields(Scaled);
    VantaLinkRead(link, ResultText, Status, Address, command, reply, Register);
    if (Status == 0)
        sharedFields(Scaled) = sharedFields(reply);
}

} // namespace

void ReadRegister(CommLink &link, int Group, const QString &Protocol, QString &ResultText,
                  qint16 &Status, int Address, int Register, float &Value)
{
    const std::optional<Target> target =
        resolve(link, Access::Read, Group, Protocol, ResultText, Status, Address, Register);
    if (!target)
        return;
    if (link.app.DemoMode()) {
        Status = 0;
        ResultText.clear();
        Value = demoValue(Group, Register);
        return;
    }
    if (target->engine == Engine::VantaLink) {
        readVantaLinkRegister(link, ResultText, Status, Address, Register, target->wire, Value);
        return;
    }
    if (Group == 1) {
        readGroup1(link, target->engine, ResultText, Status, Address, Register, target->wire,
                   Value);
        return;
    }
    float word = 0;
    readModbusValue(link, target->engine, Group, Register, ResultText, Status, Address,
                    target->wire, RegisterType::HoldingRegister, word);
    if (Status == 0)
        Value = Group == 2 && Register == ModelIdRegister ? ModelXW : word;
}

void WriteRegister(CommLink &link, int Group, const QString &Protocol, QString &ResultText,
                   qint16 &Status, int Address, int Register, float Value)
{
    const std::optional<Target> target =
        resolve(link, Access::Write, Group, Protocol, ResultText, Status, Address, Register);
    if (!target)
        return;
    if (target->engine == Engine::VantaLink) {
        writeVantaLink(link, ResultText, Status, Address, Register, target->wire, Value);
        return;
    }
    const int type =
        Group == 1 && isBitWire(target->wire) ? RegisterType::Coil : RegisterType::HoldingRegister;
    writeModbusValue(link, target->engine, Group, Register, ResultText, Status, Address,
                     target->wire, type, std::round(double(Value)));
}

void ReadScaledValue(CommLink &link, int Group, const QString &Protocol, QString &ResultText,
                     qint16 &Status, int Address, int Register, ScaledValue &Scaled)
{
    if (Group == 0 && Protocol == QLatin1String("L")) {
        const std::optional<Target> target =
            resolve(link, Access::Read, Group, Protocol, ResultText, Status, Address, Register);
        if (target)
            readScaledVantaLink(link, ResultText, Status, Address, Register, target->wire, Scaled);
        return;
    }
    float word = 0;
    ReadRegister(link, Group, Protocol, ResultText, Status, Address, Register, word);
    if (Status != 0)
        return;
    float statusWord = 0;
    ReadRegister(link, Group, Protocol, ResultText, Status, Address, StatusWordRegister,
                 statusWord);
    if (Status != 0)
        return;
    ScaledValue result;
    DecimalPointInfo(Group, static_cast<int>(statusWord), result.Divisor, result.FormatText,
                     result.UnitText, result.AlarmFlag1, result.AlarmFlag2);
    if (Group == 0 && Register != ProcessValueRegister) {
        float setting = 0;
        ReadRegister(link, Group, Protocol, ResultText, Status, Address, DecimalPointRegister,
                     setting);
        if (Status != 0)
            return;
        applyDecimalPlaces(decimalPlacesOfSetting(setting), result.Divisor, result.FormatText);
    }
    result.Value = static_cast<float>(double(word) / result.Divisor);
    result.ValueText = core::formatNumber(result.Value, result.FormatText);
    Scaled = result;
}

} // namespace vanta::comms
