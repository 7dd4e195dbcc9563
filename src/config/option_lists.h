// The option lists of the configuration pages and of the window header, entries in list order.
// A list position is what parameter files store; instrument values differ only where the
// parameter table names an encoding.
#pragma once

#include <QStringList>

namespace vanta::config {

enum class OptionList
{
    None,
    InputType0,
    InputType1,
    InputType2,
    DecimalPoint0,
    DecimalPoint1,
    DecimalPoint2,
    TimeBase,
    OutputControl,
    TuningType,
    ResetKind,
    ProgramEnd,
    Units0,
    AlarmType0,
    AnalogSource,
    SetpointStage,
    StageSelect,
    OutputRouting,
    InputFailure,
    OutputLimitReference,
    Output2Function,
    CommWrite,
    Units,
    AutoTune,
    RunStopProgram,
    RunStop,
    ControlMethod1,
    ControlMethod2,
    ControlAction1,
    ControlAction2,
    PidGroup,
    AlarmType1,
    AlarmType2,
    SystemAlarm,
    LockSetting,
    StartPattern,
    LinkPattern,
    Output1,
    Output2,
    CommAddress,
    Protocol,
    BaudRate,
    DataLength,
    Parity,
    StopBits,
    RetransmitDirection,
    AutoAddress
};
constexpr int OptionListCount = static_cast<int>(OptionList::AutoAddress) + 1;

// The entries of `list`, position 0 first; empty for OptionList::None.
const QStringList &optionEntries(OptionList list);

// The header lists of controller group 0..2; empty for any other group.
OptionList inputTypeList(int group);
OptionList decimalPointList(int group);

} // namespace vanta::config
