// Register access: routes each read or write by controller group and protocol code to the
// engine that speaks it, translating register numbers through the cross-reference tables.
#include "comms/register_access.h"

#include "comms/modbus_ascii.h"
#include "comms/modbus_rtu.h"
#include "comms/vanta_link.h"
#include "core/address.h"
#include "core/number_format.h"

#include <QVector>
#include <array>
#include <cmath>
#include <optional>

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
    if (Register == 8)
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

void readVantaLink(CommLink &link, QString &ResultText, qint16 &Status, int Address, int Register,
                   int command, float &Value)
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

// What a read returns in demo mode, where nothing is sent.
float demoValue(int Group, int Register)
{
    return Group == 2 && Register == ModelIdRegister ? ModelXW : 0;
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

// Register 803 selects one of four commands by its value.
constexpr int StageRegister = 803;
constexpr int StageCount = 4;

void writeVantaLink(CommLink &link, QString &ResultText, qint16 &Status, int Address, int Register,
                    int command, float Value)
{
    // Decided in double on the rounded value, so nothing wraps before the engine's range check.
    double value = std::round(double(Value));
    if (Register >= 274 && Register <= 277)
        value = -value;
    if (usesNextCommandForZero(Register) && value == 0)
        ++command;
    if (usesNextCommandForNonZero(Register) && value != 0)
        ++command;
    if (Register == StageRegister) {
        if (!(value >= 0 && value < StageCount)) {
            refuse(ResultText, Status, 0, Address, 3,
                   QStringLiteral(":Invalid instrument Write Data Value for Register >") +
                       withLeadingBlank(Register) + QStringLiteral(" (") + core::Hex4(command) +
                       QStringLiteral(")") + QStringLiteral(". Value=") +
                       withLeadingBlank(double(Value)));
            return;
        }
        command += static_cast<int>(value);
    }
    QString replyText;
    VantaLinkWrite(link, ResultText, Status, Address, command, static_cast<float>(value), Register,
                   replyText, isRawHexWrite(Register));
}

// Divisor 10^places and the matching display format ("#,###,###,##0.00" for 2).
void applyDecimalPlaces(int places, float &Divisor, QString &FormatText)
{
    Divisor = static_cast<float>(std::pow(10.0, places));
    FormatText = QStringLiteral("#,###,###,##0");
    if (places > 0)
        FormatText += QLatin1Char('.') + QString(places, QLatin1Char('0'));
}

// Decimal places of group 0's decimal-point setting (register 795): 1..3, else none.
int decimalPlacesOfSetting(float setting)
{
    const int places = static_cast<int>(setting);
    return places >= 1 && places <= 3 ? places : 0;
}

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

void readScaledVantaLink(CommLink &link, QString &ResultText, qint16 &Status, int Address,
                         int Register, int command, ScaledValue &Scaled)
{
    VantaLinkValue reply;
    reply.DisplayText = Scaled.ValueText;
    reply.UnitText = Scaled.UnitText;
    reply.FormatText = Scaled.FormatText;
    reply.Value = Scaled.Value;
    reply.Divisor = Scaled.Divisor;
    reply.AlarmFlag1 = Scaled.AlarmFlag1;
    reply.AlarmFlag2 = Scaled.AlarmFlag2;
    VantaLinkRead(link, ResultText, Status, Address, command, reply, Register);
    if (Status != 0)
        return;
    Scaled.ValueText = reply.DisplayText;
    Scaled.UnitText = reply.UnitText;
    Scaled.FormatText = reply.FormatText;
    Scaled.Value = reply.Value;
    Scaled.Divisor = reply.Divisor;
    Scaled.AlarmFlag1 = reply.AlarmFlag1;
    Scaled.AlarmFlag2 = reply.AlarmFlag2;
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
        readVantaLink(link, ResultText, Status, Address, Register, target->wire, Value);
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

int DecimalPointInfo(int Group, int StatusWord, float &Divisor, QString &FormatText,
                     QString &UnitText, bool &AlarmFlag1, bool &AlarmFlag2)
{
    if (!isControllerGroup(Group))
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
