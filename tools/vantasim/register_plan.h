// The inverse of the delivered cross-reference tables: which of the program's registers a
// Modbus wire register or a Vanta Link command code stands for on the instrument side.
#pragma once

#include "core/tables.h"

#include <QHash>
#include <QVector>
#include <optional>

namespace vanta::sim {

// How the data of a Vanta Link write command becomes the register's value.
enum class WriteData
{
    Decimal, // four decimal digits and a sign flag ("00" or "FF")
    RawHex,  // four hexadecimal digits and "00"
    Negated, // decimal, stored with the opposite sign
    Implied, // no data: the command itself means the value
};

struct VantaLinkWriteTarget
{
    int reg = 0;
    WriteData data = WriteData::Decimal;
    int impliedValue = 0;
};

// Registers 350 and 351 are read two bits at a time: bits 7-6 of the status byte of eight
// value-field replies, most significant first.
struct DigitOf
{
    int reg = 0;
    int digit = 0; // 0..7
};

struct VantaLinkReadTarget
{
    QVector<int> registers; // ascending; the first one the model has answers
    std::optional<DigitOf> digit;
};

class RegisterPlan
{
public:
    explicit RegisterPlan(const core::DataTables &tables);

    // Program registers that a group's Modbus wire register stands for, ascending; empty when
    // none. Group 0 numbers its wire registers from 0, the program from 1.
    QVector<int> modbusRegisters(int group, int wire) const;
    // The wire register of a program register in a group; -1 when it has none.
    int wireRegister(int group, int reg) const;

    std::optional<VantaLinkReadTarget> vantaLinkRead(int command) const;
    std::optional<VantaLinkWriteTarget> vantaLinkWrite(int command) const;

    const core::DataTables &tables() const { return m_tables; }

private:
    void addWriteCommands(int reg, int command);

    const core::DataTables &m_tables;
    QHash<int, QVector<int>> m_group1;
    QHash<int, QVector<int>> m_group2;
    QHash<int, VantaLinkReadTarget> m_reads;
    QHash<int, VantaLinkWriteTarget> m_writes;
};

} // namespace vanta::sim
