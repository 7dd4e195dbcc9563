// The per-parameter rules of a send.
#include "config/send_rules.h"

#include "config/config_model.h"

#include <algorithm>

namespace vanta::config {

namespace {

constexpr int TimeBaseRegister = 8;
constexpr int SecondsCommand = 1055; // 1056: minutes
constexpr int StatusRegister = 3;
constexpr int ManualModeBit = 15;
constexpr int ManualOffCommand = 1033; // 1034: manual mode on
constexpr int SquareRootRegister = 793;

bool isAcknowledgeCommand(int reg)
{
    return reg == 1028 || reg == 1029 || reg == 1031 || reg == 1032 || reg == 1035 || reg == 1036;
}

// 1067, 1069, 1071, 1073 carry the stage's box; the register after each is its "off" command.
bool isLearningCommand(int reg)
{
    return reg >= 1067 && reg <= 1074;
}

bool isIn(const std::vector<int> &regs, int reg)
{
    return std::find(regs.begin(), regs.end(), reg) != regs.end();
}

std::optional<ParameterWrite> command(int reg)
{
    return ParameterWrite{reg, 1.0};
}

std::optional<ParameterWrite> bitsWrite(const ConfigModel &model, int reg)
{
    const FieldState &f = model.field(reg);
    if (reg == StatusRegister) {
        if (!model.isBoxVisible(reg, ManualModeBit))
            return std::nullopt;
        return command(ManualOffCommand + (model.isBoxChecked(reg, ManualModeBit) ? 1 : 0));
    }
    if (isAcknowledgeCommand(reg)) {
        if (!model.isBoxVisible(reg, 0) || !model.isBoxChecked(reg, 0))
            return std::nullopt;
        return command(reg);
    }
    if (isLearningCommand(reg)) {
        if ((reg - 1067) % 2 != 0 || !model.isBoxVisible(reg, 0))
            return std::nullopt;
        return command(model.isBoxChecked(reg, 0) ? reg : reg + 1);
    }
    if (f.VisibleBoxes == 0 || (reg == SquareRootRegister && !model.isBoxVisible(reg, 0)))
        return std::nullopt;
    return ParameterWrite{reg, model.instrumentValue(reg)};
}

} // namespace

int remoteChangeRegister(int group)
{
    return group == 0 ? 805 : group == 1 ? 2064 : 18202;
}

const std::vector<int> &leadingRegisters(int group)
{
    static const std::vector<int> regs[] = {
        {792, 794, 795, 326, 327, 328, 329, 330, 331, 332, 333, 8, 775, 776, 777, 778},
        {792, 795, 2065, 4098, 4099, 4128, 4129, 4130},
        {792, 18199, 18182, 18183, 18197, 18198},
    };
    return regs[std::clamp(group, 0, 2)];
}

bool sendsDecimalPoint(const ConfigModel &model)
{
    const int input = model.inputTypePosition();
    if (model.group() == 0)
        return input < 6 || input > 9;
    if (model.group() == 1)
        return model.ModelId() != QLatin1String("QT") && (input < 5 || input > 7);
    return true;
}

bool isLeftOutOfMainPass(int group, int reg, bool leadingWritten)
{
    if (reg == remoteChangeRegister(group) || (group == 0 && reg == EepromRegister))
        return true;
    if (group == 1 && reg >= 4209 && reg <= 4214)
        return true;
    return leadingWritten && isIn(leadingRegisters(group), reg);
}

std::optional<ParameterWrite> plannedWrite(const ConfigModel &model, int reg)
{
    const Parameter &p = model.parameter(reg);
    if (p.kind == ControlKind::BitBoxes)
        return bitsWrite(model, reg);
    if (!model.field(reg).Visible)
        return std::nullopt;
    if (p.kind == ControlKind::HoursMinutes && !model.isPageAvailable(p.page))
        return std::nullopt;
    if (p.kind != ControlKind::List)
        return ParameterWrite{reg, model.instrumentValue(reg)};
    if (reg == OutputHardwareRegisters[0] || reg == OutputHardwareRegisters[1])
        return std::nullopt;
    if (reg == TimeBaseRegister && model.group() == 0)
        return command(SecondsCommand + (model.field(reg).ListIndex == 0 ? 0 : 1));
    return ParameterWrite{reg, model.instrumentValue(reg)};
}

} // namespace vanta::config
