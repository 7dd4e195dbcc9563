// The model catalogue: the models of each controller group and, for the current group's models,
// which registers each one has.
#pragma once

#include <QString>
#include <array>
#include <bitset>
#include <vector>

namespace vanta::core {

constexpr int MaxRegister = 20480;
constexpr int ControllerGroupCount = 3;
constexpr int MaxModelsPerGroup = 15;

struct ModelEntry
{
    QString ModelID; // two characters as the instrument reports them
    QString ModelName;
    QString ModelType;
};

class ModelCatalogue
{
public:
    // Models of group g (0..2) in file order; slot m is models(g)[m - 1].
    std::array<std::vector<ModelEntry>, ControllerGroupCount> Models;

    int ModelCount(int group) const;
    // ModelRegisters(register, slot): the register exists in model slot 1..15 of the current
    // group. False for anything out of range.
    bool ModelRegisters(int reg, int slot) const;
    void setModelRegister(int reg, int slot, bool present);
    void clearModelRegisters(int slot);

private:
    std::array<std::bitset<MaxRegister + 1>, MaxModelsPerGroup + 1> m_registers;
};

} // namespace vanta::core
