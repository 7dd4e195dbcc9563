// An instrument's registers: existence, factory values, ranges, reads and writes.
#include "instrument.h"

#include "core/registers.h"
#include "factory_values.h"

#include <algorithm>
#include <cmath>

namespace vanta::sim {

namespace {

// Registers every instrument answers, listed or not: the status view reads them all.
constexpr int AlwaysPresent[] = {core::ProcessValueRegister, core::StatusWordRegister,
                                 core::ErrorWordRegister, core::ModelIdRegister};
constexpr int Group1BuildCell = 0x13; // firmware build number, read with function 103
constexpr int Group1Build = 7;

bool isCommandRegister(int reg)
{
    return reg >= 1028 && reg <= 1074;
}

int unitsRegister(int group)
{
    return group == 0 ? 794 : group == 1 ? 2065 : 18199;
}

int remoteRegister(int group)
{
    return group == 0 ? 805 : group == 1 ? 2064 : 18202;
}

int controlMethodRegister(int group)
{
    return group == 1 ? 4101 : 18193;
}

constexpr int ManualControlMethod = 2;

} // namespace

Instrument::Instrument(const InstrumentSetup &setup, const ModelInfo &model,
                       const RegisterPlan &plan)
    : m_setup(setup), m_model(model), m_plan(plan)
{
    for (int reg = 1; reg <= core::MaxRegister; ++reg) {
        if (model.registers[reg])
            m_cells.insert(cellOf(reg));
    }
    for (const int reg : AlwaysPresent)
        m_cells.insert(cellOf(reg));
    if (m_setup.group == 1)
        m_cells.insert(Group1BuildCell);
    setInitialValues();
}

int Instrument::cellOf(int reg) const
{
    return m_setup.group == 0 ? reg : m_plan.wireRegister(m_setup.group, reg);
}

bool Instrument::has(int reg) const
{
    const int cell = cellOf(reg);
    return cell >= 0 && m_cells.contains(cell);
}

int Instrument::stored(int reg, int fallback) const
{
    const auto found = m_values.find(cellOf(reg));
    return found == m_values.end() ? fallback : found->second;
}

void Instrument::store(int reg, int value)
{
    m_values[cellOf(reg)] = value;
}

void Instrument::setInitialValues()
{
    const core::DataTables &tables = m_plan.tables();
    for (int reg = 1; reg <= core::MaxRegister; ++reg) {
        if (!m_model.registers[reg])
            continue;
        const int kind = tables.CfgField(reg, 1);
        const int low = tables.CfgField(reg, 2);
        const bool ranged = kind == 1 || kind == 2;
        store(reg,
              factoryValue(m_setup.group, m_model.id, reg).value_or(ranged && low > 0 ? low : 0));
    }
    const int g = m_setup.group;
    store(core::ModelIdRegister,
          m_setup.group == 1 ? modelCode()
                             : (m_model.id.at(0).unicode() << 8) | m_model.id.at(1).unicode());
    for (const int reg : {1793, 1795, 258, 264, 266}) {
        if (const std::optional<int> v = factoryValue(g, m_model.id, reg))
            store(reg, *v);
    }
    if (m_setup.unit) {
        // 794 (group 0): 1 deg F, 2 deg C; 2065 / 18199: 1 deg C, 0 deg F.
        const bool celsius = *m_setup.unit == Unit::Celsius;
        store(unitsRegister(g), g == 0 ? (*m_setup.unit == Unit::None ? 0
                                          : celsius                   ? 2
                                                                      : 1)
                                       : (celsius ? 1 : 0));
        if (*m_setup.unit == Unit::None && g == 1)
            store(core::InputTypeRegister, 13); // an analog input shows no units
    }
    if (m_setup.decimals && (g == 0 || m_model.id == QLatin1String("XK")))
        store(core::DecimalPointRegister, *m_setup.decimals);
    store(core::ErrorWordRegister, m_setup.errorWord);
    if (m_setup.manual) {
        m_manual = g == 0;
        if (g != 0)
            store(controlMethodRegister(g), ManualControlMethod);
    }
    if (m_setup.remote)
        store(remoteRegister(g), *m_setup.remote ? 1 : 0);
    if (g == 1 && has(4209))
        storeCommunicationSettings();
    for (const auto &[reg, value] : m_setup.registers)
        store(reg, value);
    if (m_setup.setpoint)
        store(core::Setpoint1Register,
              static_cast<int>(std::lround(*m_setup.setpoint * divisor())));
    m_pv = m_setup.processValue.value_or(stored(core::Setpoint1Register) / divisor());
    m_output1 = !isManual() && m_pv < workingSetpoint();
}

// Group-1 communication registers 4209-4214 as the instrument's own settings say.
void Instrument::storeCommunicationSettings()
{
    const LineSettings &s = m_setup.settings;
    store(4209, m_setup.address);
    store(4210, m_setup.protocol == Protocol::ModbusRtu ? 1 : 0);
    const int bauds[] = {2400, 4800, 9600, 19200, 38400};
    const auto baud = std::find(std::begin(bauds), std::end(bauds), s.baud);
    store(4211, baud == std::end(bauds) ? 2 : static_cast<int>(baud - std::begin(bauds)));
    store(4212, s.dataBits == 8 ? 0 : 1);
    store(4213, s.parity == 'E' ? 1 : s.parity == 'O' ? 2 : 0);
    store(4214, s.stopBits == 2 ? 0 : 1);
}

int Instrument::modelCode() const
{
    if (m_model.id == QLatin1String("XK"))
        return 1;
    if (m_model.id == QLatin1String("QT"))
        return 2;
    return 0;
}

double Instrument::divisor() const
{
    if (m_setup.group != 0)
        return 10;
    return std::pow(10.0, std::clamp(stored(core::DecimalPointRegister), 0, 4));
}

int Instrument::decimals() const
{
    return m_setup.group == 0 ? std::clamp(stored(core::DecimalPointRegister), 0, 4) : 1;
}

std::optional<int> Instrument::read(int reg) const
{
    if (!has(reg))
        return std::nullopt;
    const int cell = cellOf(reg);
    if (cell == cellOf(core::ProcessValueRegister)) {
        const double shown = (m_pv + m_noise) * divisor();
        return static_cast<int>(std::clamp<double>(std::lround(shown), -32768, 32767));
    }
    if (cell == cellOf(core::StatusWordRegister))
        return static_cast<qint16>(statusWord());
    if (m_setup.group == 0 && reg == core::WorkingSetpointRegister)
        return static_cast<int>(std::lround(workingSetpoint() * divisor()));
    if (m_setup.group == 0 && isCommandRegister(reg))
        return 0;
    if (m_setup.group == 0 && (reg == 1843 || reg == 1844))
        return stored(reg == 1843 ? core::SoftVersionRegister : core::CommVersionRegister);
    if (cell == Group1BuildCell && m_setup.group == 1)
        return Group1Build;
    return stored(reg);
}

bool Instrument::isReadOnly(int reg) const
{
    const int cell = cellOf(reg);
    for (const int fixed :
         {core::ProcessValueRegister, core::StatusWordRegister, core::ErrorWordRegister,
          core::CommVersionRegister, core::ModelIdRegister, core::SoftVersionRegister}) {
        if (cell == cellOf(fixed))
            return true;
    }
    if (m_setup.group == 0)
        return reg == 257 || reg == 769 || reg == 772 || (reg >= 1842 && reg <= 1845);
    return cell == Group1BuildCell && m_setup.group == 1;
}

bool Instrument::inRange(int reg, int value) const
{
    if (m_setup.group == 1 && reg == 4140)
        return value == 0 || value == 1 || value == 11;
    if (m_setup.group == 2 && reg == 18225)
        return value == 0 || value == 1 || value == 2 || value == 11 || value == 22;
    if (const std::optional<RawRange> range = rawRange(m_setup.group, m_model.id, reg))
        return value >= range->low && value <= range->high;
    // The field table row of the register, or of another register on the same wire register.
    const core::DataTables &tables = m_plan.tables();
    QVector<int> candidates{reg};
    if (m_setup.group != 0)
        candidates += m_plan.modbusRegisters(m_setup.group, cellOf(reg));
    for (const int r : candidates) {
        const int kind = tables.CfgField(r, 1);
        const int low = tables.CfgField(r, 2);
        const int high = tables.CfgField(r, 3);
        if (kind == 1 || kind == 2)
            return value >= low && value <= high;
        if (kind == 3) {
            const int mask = ((1 << (high + 1)) - 1) & ~((1 << low) - 1);
            return (value & 0xFFFF & ~mask) == 0;
        }
    }
    return value >= -32768 && value <= 65535;
}

WriteStatus Instrument::write(int reg, int value)
{
    if (!has(reg))
        return WriteStatus::Missing;
    if (isReadOnly(reg))
        return WriteStatus::ReadOnly;
    if (!inRange(reg, value))
        return WriteStatus::OutOfRange;
    WriteStatus status = WriteStatus::Done;
    if (writeSpecial(reg, value, status))
        return status;
    store(reg, value);
    return WriteStatus::Done;
}

// Registers whose write does more than store the value. True when handled.
bool Instrument::writeSpecial(int reg, int value, WriteStatus &status)
{
    const int g = m_setup.group;
    if (g == 0 && isCommandRegister(reg)) {
        if (value != 0)
            runCommand(reg);
        return true;
    }
    if (g == 0 && reg >= 775 && reg <= 778) {
        // Written as the tuning type index, held as the tuning byte; learning survives only
        // while the type stays self tune.
        const int learning = value == 0 ? (stored(reg) & 4) : 0;
        store(reg, value * 16 | learning);
        return true;
    }
    if (g == 2 && reg == 18225) {
        store(reg, value == 1 ? 2 : value == 11 ? 22 : value);
        return true;
    }
    if (cellOf(reg) == cellOf(core::ProgramRunningRegister)) {
        const bool wasRunning = stored(core::ProgramRunningRegister) != 0;
        store(core::ProgramRunningRegister, value);
        if (value != 0 && !wasRunning)
            startProgram();
        return true;
    }
    if (g == 1 && reg >= 4209 && reg <= 4214) {
        InstrumentSetup next = m_pendingSetup.value_or(m_setup);
        const int old = stored(reg);
        store(reg, value);
        const int data = stored(4212) == 0 ? 8 : 7;
        const int parity = stored(4213);
        const int stop = stored(4214) == 0 ? 2 : 1;
        if ((data == 7 && parity == 0 && stop == 1) || (data == 8 && parity != 0 && stop == 2)) {
            store(reg, old);
            status = WriteStatus::OutOfRange;
            return true;
        }
        constexpr int Bauds[] = {2400, 4800, 9600, 19200, 38400};
        next.address = stored(4209);
        if (m_model.id == QLatin1String("QT"))
            next.protocol = stored(4210) == 1 ? Protocol::ModbusRtu : Protocol::ModbusAscii;
        next.settings.baud = Bauds[std::clamp(stored(4211), 0, 4)];
        next.settings.dataBits = data;
        next.settings.parity = "NEO"[std::clamp(parity, 0, 2)];
        next.settings.stopBits = stop;
        m_pendingSetup = next;
        return true;
    }
    return false;
}

void Instrument::runCommand(int reg)
{
    switch (reg) {
    case 1033:
    case 1034:
        m_manual = reg == 1034 && has(1034);
        break;
    case 1055:
    case 1056:
        store(core::TimeBaseRegister, reg == 1056 ? 1 : 0);
        break;
    case 1067:
    case 1069:
    case 1071:
    case 1073: {
        const int tuning = 775 + (reg - 1067) / 2;
        if ((stored(tuning) & 0x70) == 0)
            store(tuning, stored(tuning) | 4);
        break;
    }
    case 1068:
    case 1070:
    case 1072:
    case 1074: {
        const int tuning = 775 + (reg - 1068) / 2;
        store(tuning, stored(tuning) & ~4);
        break;
    }
    default:
        break; // alarm acknowledgements and peak/valley resets change nothing that is read
    }
}

std::optional<InstrumentSetup> Instrument::takePendingSetup()
{
    std::optional<InstrumentSetup> next = std::move(m_pendingSetup);
    m_pendingSetup.reset();
    if (next)
        m_setup = *next;
    return next;
}

} // namespace vanta::sim
