// The monitor's ramp/soak commands: "On", "Hld" and "Off" of one row, the same for every row
// whose instrument has a program ("Start All Ramps", "Hold All", "Stop All Ramps"), and "Cfg",
// which asks for the configuration window on one row's program.
#pragma once

#include "monitor/monitor_command.h"

namespace vanta::monitor {

enum class RampCommand
{
    On,   // cmdRampOn, cmdStartAll
    Hold, // cmdRampHold, cmdHoldAll
    Off   // cmdRampOff, cmdStopAll
};

class RampCommands : public MonitorCommand
{
public:
    RampCommands(comms::CommLink &link, MonitorRows &rows, MonitorPass &pass);

    // cmdRampOn_Click, cmdRampHold_Click, cmdRampOff_Click: two writes to the row's instrument,
    // the second only after the first succeeded; a failure is told and ends the command. After
    // both the setpoints are read again at the next tick, and the command pauses 0.8 s.
    void rowCommand(int row, RampCommand command);
    // cmdStartAll_Click, cmdHoldAll_Click, cmdStopAll_Click: after a confirmation, the row
    // command for every row that shows its ramp buttons, in order, stopping at the first
    // failure; then a pause of 0.7 s.
    void allRowsCommand(RampCommand command);
    // cmdRampCfg_Click: for a row with an instrument, the ramp/soak request names it (through
    // AppState) and the result is true: the window then shows the configuration window.
    [[nodiscard]] bool cmdRampCfg_Click(int row);

private:
    // The two writes; on a failure the failure text, else empty.
    std::optional<QString> runWrites(const RowTarget &target, RampCommand command);
};

} // namespace vanta::monitor
