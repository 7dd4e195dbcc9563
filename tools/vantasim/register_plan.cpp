// Building the inverse cross-references.
#include "register_plan.h"

#include "core/registers.h"

#include <algorithm>

namespace vanta::sim {

namespace {

bool isOneOf(int reg, std::initializer_list<int> list)
{
    return std::find(list.begin(), list.end(), reg) != list.end();
}

// Registers switched by two data-less commands: the table's command sets 1, the next one 0...
bool isOnByFirstCommand(int reg)
{
    return (reg >= 783 && reg <= 788) || isOneOf(reg, {793, 802, 804, 805, 807, 812, 813});
}

// ...or the table's command sets 0 and the next one 1.
bool isOnBySecondCommand(int reg)
{
    return isOneOf(reg, {789, 809, 811});
}

bool isRawHexRegister(int reg)
{
    return isOneOf(reg, {350, 351, 792, 796, 797, 799, 801});
}

constexpr int SelectorValues = 4;    // the stage register: the command code plus 0..3 is the value
constexpr int DatalessCodes = 0x400; // write codes from here on carry no data

} // namespace

RegisterPlan::RegisterPlan(const core::DataTables &tables) : m_tables(tables)
{
    for (int reg = 1; reg <= core::MaxRegister; ++reg) {
        if (const int wire = tables.KXref(reg); wire >= 0)
            m_group1[wire].append(reg);
        if (const int wire = tables.WXref(reg); wire >= 0)
            m_group2[wire].append(reg);
        const bool readInDigits = reg == 350 || reg == 351;
        if (const int read = tables.VantaXref(reg, 1); read >= 0 && !readInDigits)
            m_reads[read].registers.append(reg);
        if (const int write = tables.VantaXref(reg, 2); write >= 0)
            addWriteCommands(reg, write);
    }
    for (const int reg : {350, 351}) {
        const int first = tables.VantaXref(reg, 1);
        if (first < 0)
            continue;
        for (int digit = 0; digit < 8; ++digit)
            m_reads[first + 2 * digit].digit = DigitOf{reg, digit};
    }
}

void RegisterPlan::addWriteCommands(int reg, int command)
{
    if (isOnByFirstCommand(reg)) {
        m_writes.insert(command, {reg, WriteData::Implied, 1});
        m_writes.insert(command + 1, {reg, WriteData::Implied, 0});
    } else if (isOnBySecondCommand(reg)) {
        m_writes.insert(command, {reg, WriteData::Implied, 0});
        m_writes.insert(command + 1, {reg, WriteData::Implied, 1});
    } else if (reg == core::SetpointStageRegister) {
        for (int value = 0; value < SelectorValues; ++value)
            m_writes.insert(command + value, {reg, WriteData::Implied, value});
    } else if (command >= DatalessCodes) {
        m_writes.insert(command, {reg, WriteData::Implied, 1}); // executing it is the command
    } else if (reg >= 274 && reg <= 277) {
        m_writes.insert(command, {reg, WriteData::Negated, 0});
    } else if (isRawHexRegister(reg)) {
        m_writes.insert(command, {reg, WriteData::RawHex, 0});
    } else {
        m_writes.insert(command, {reg, WriteData::Decimal, 0});
    }
}

QVector<int> RegisterPlan::modbusRegisters(int group, int wire) const
{
    switch (group) {
    case 0:
        if (wire + 1 >= 1 && wire + 1 <= core::MaxRegister)
            return {wire + 1};
        return {};
    case 1:
        return m_group1.value(wire);
    case 2:
        return m_group2.value(wire);
    default:
        return {};
    }
}

int RegisterPlan::wireRegister(int group, int reg) const
{
    switch (group) {
    case 0:
        return reg >= 1 && reg <= core::MaxRegister ? reg - 1 : -1;
    case 1:
        return m_tables.KXref(reg);
    case 2:
        return m_tables.WXref(reg);
    default:
        return -1;
    }
}

std::optional<VantaLinkReadTarget> RegisterPlan::vantaLinkRead(int command) const
{
    const auto found = m_reads.find(command);
    if (found == m_reads.end())
        return std::nullopt;
    return *found;
}

std::optional<VantaLinkWriteTarget> RegisterPlan::vantaLinkWrite(int command) const
{
    const auto found = m_writes.find(command);
    if (found == m_writes.end())
        return std::nullopt;
    return *found;
}

} // namespace vanta::sim
