// The field table and the three cross-reference tables, indexed by the program's register
// numbers 1..20480, and the raw-write password.
#pragma once

#include "core/model_catalogue.h"

#include <QString>
#include <array>
#include <vector>

namespace vanta::core {

class DataTables
{
public:
    DataTables();

    // CfgField(register, column): column 1 kind, 2 first bit or lowest value, 3 last bit or
    // highest value. 0 for registers (or columns) outside the table.
    int CfgField(int reg, int column) const;
    void setCfgField(int reg, int kind, int low, int high);
    void clearCfgField();

    // VantaXref(register, 1 read / 2 write): command code, -1 where none or out of range.
    int VantaXref(int reg, int column) const;
    void setVantaXref(int reg, int readCommand, int writeCommand);
    void clearVantaXref();

    // Wire registers of groups 1 (KXref) and 2 (WXref): -1 where none or out of range.
    int KXref(int reg) const;
    int WXref(int reg) const;
    void setKXref(int reg, int wire);
    void setWXref(int reg, int wire);
    void clearKXref();
    void clearWXref();

    QString RawWritePassword;

private:
    std::vector<std::array<qint16, 3>> m_cfgField;
    std::vector<std::array<int, 2>> m_vantaXref;
    std::vector<int> m_kXref;
    std::vector<int> m_wXref;
};

} // namespace vanta::core
