// The model catalogue's tables.
#include "core/model_catalogue.h"

namespace vanta::core {

namespace {
bool isValidSlot(int slot)
{
    return slot >= 0 && slot <= MaxModelsPerGroup;
}
bool isValidRegister(int reg)
{
    return reg >= 1 && reg <= MaxRegister;
}
} // namespace

int ModelCatalogue::ModelCount(int group) const
{
    if (group < 0 || group >= ControllerGroupCount)
        return 0;
    return static_cast<int>(Models[group].size());
}

bool ModelCatalogue::ModelRegisters(int reg, int slot) const
{
    return isValidSlot(slot) && isValidRegister(reg) && m_registers[slot].test(reg);
}

void ModelCatalogue::setModelRegister(int reg, int slot, bool present)
{
    if (isValidSlot(slot) && isValidRegister(reg))
        m_registers[slot].set(reg, present);
}

void ModelCatalogue::clearModelRegisters(int slot)
{
    if (isValidSlot(slot))
        m_registers[slot].reset();
}

} // namespace vanta::core
