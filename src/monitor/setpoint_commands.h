// Setpoints typed into the monitor: one row's field sent with Enter, and "Change All", which sends
// one setpoint to every row's instrument. The field states are the rows' EditState.
#pragma once

#include "monitor/monitor_command.h"

namespace vanta::monitor {

class SetpointCommands : public MonitorCommand
{
public:
    SetpointCommands(comms::CommLink &link, MonitorRows &rows, MonitorPass &pass);

    // txtSVText_Change: unless MonitorBusy, the row holds `text` as typed (yellow). Rows
    // outside 0..39 are ignored.
    void txtSVText_Change(int row, const QString &text);
    // txtSVText_KeyPress with Enter: a typed field is sent (green), refused or failed (red), or,
    // emptied, shows the instrument's value again (white). A field without a number is never
    // sent. True when the focus moves on to the next control, false when the row turned out
    // to have no instrument.
    [[nodiscard]] bool txtSVText_Enter(int row);
    // txtSVText_LostFocus: unless MonitorBusy, a typed field turns red with a warning, and the
    // next tick reads the setpoints again.
    void txtSVText_LostFocus(int row);

    // txtChangeAll_Change: unless MonitorBusy, txtChangeAll holds `text` as typed (yellow).
    void txtChangeAll_Change(const QString &text);
    // cmdChangeAll_Click: asks, then writes txtChangeAll's value to every row's instrument in
    // order; on a failed write asks whether to go on.
    void cmdChangeAll_Click();

private:
    bool sendTyped(int row, MonitorRow &field);
    void warnNoNumber();
    // One row of Change All; false when the operator stopped the command.
    bool changeRow(int row, const RowTarget &target, double value);
};

} // namespace vanta::monitor
