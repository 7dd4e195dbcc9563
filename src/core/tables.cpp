// Bounded access to the field and cross-reference tables.
#include "core/tables.h"

namespace vanta::core {

namespace {
bool isValidRegister(int reg)
{
    return reg >= 1 && reg <= MaxRegister;
}
} // namespace

DataTables::DataTables()
    : m_cfgField(MaxRegister + 1, {0, 0, 0}), m_vantaXref(MaxRegister + 1, {-1, -1}),
      m_kXref(MaxRegister + 1, -1), m_wXref(MaxRegister + 1, -1)
{}

int DataTables::CfgField(int reg, int column) const
{
    if (!isValidRegister(reg) || column < 1 || column > 3)
        return 0;
    return m_cfgField[reg][column - 1];
}

void DataTables::setCfgField(int reg, int kind, int low, int high)
{
    if (isValidRegister(reg))
        m_cfgField[reg] = {static_cast<qint16>(kind), static_cast<qint16>(low),
                           static_cast<qint16>(high)};
}

void DataTables::clearCfgField()
{
    std::fill(m_cfgField.begin(), m_cfgField.end(), std::array<qint16, 3>{0, 0, 0});
}

int DataTables::VantaXref(int reg, int column) const
{
    if (!isValidRegister(reg) || column < 1 || column > 2)
        return -1;
    return m_vantaXref[reg][column - 1];
}

void DataTables::setVantaXref(int reg, int readCommand, int writeCommand)
{
    if (isValidRegister(reg))
        m_vantaXref[reg] = {readCommand, writeCommand};
}

void DataTables::clearVantaXref()
{
    std::fill(m_vantaXref.begin(), m_vantaXref.end(), std::array<int, 2>{-1, -1});
}

int DataTables::KXref(int reg) const
{
    return isValidRegister(reg) ? m_kXref[reg] : -1;
}

int DataTables::WXref(int reg) const
{
    return isValidRegister(reg) ? m_wXref[reg] : -1;
}

void DataTables::setKXref(int reg, int wire)
{
    if (isValidRegister(reg))
        m_kXref[reg] = wire;
}

void DataTables::setWXref(int reg, int wire)
{
    if (isValidRegister(reg))
        m_wXref[reg] = wire;
}

void DataTables::clearKXref()
{
    std::fill(m_kXref.begin(), m_kXref.end(), -1);
}

void DataTables::clearWXref()
{
    std::fill(m_wXref.begin(), m_wXref.end(), -1);
}

} // namespace vanta::core
