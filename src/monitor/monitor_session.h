// The monitor without its window: rows, poll and commands, what showing and leaving the monitor do
// to them and to Monitor.val, row choices, the rate menus and a changed instrument list.
#pragma once

#include "monitor/monitor_pass.h"
#include "monitor/monitor_rows.h"
#include "monitor/poll_rates.h"
#include "monitor/ramp_commands.h"
#include "monitor/setpoint_commands.h"

namespace vanta::monitor {

class MonitorSession
{
public:
    MonitorSession(comms::CommLink &link, core::LoopTracker &loops);

    MonitorRows &rows() { return m_rows; }
    const MonitorRows &rows() const { return m_rows; }
    MonitorPass &pass() { return m_pass; }
    const MonitorPass &pass() const { return m_pass; }
    SetpointCommands &setpoints() { return m_setpoints; }
    RampCommands &ramps() { return m_ramps; }

    // The monitor became active: rows rebuilt from the instrument list and restored from
    // Monitor.val, both passes forced. True when polling may start (the file was read and the
    // port is open). A missing, unreadable or short file shows the "Application Error" report
    // and keeps polling off; the rows then stay at "[none]" and the file is not rewritten.
    [[nodiscard]] bool activate();
    // The monitor was left: the pass stops after its current row and, when the last activation
    // restored the rows, Monitor.val is rewritten from them (a failure is reported and leaves
    // the old file whole).
    void deactivate();

    // cbxControl_Click: ignored while MonitorBusy; otherwise the row is emptied, takes `text`
    // and the next tick runs both passes. Row indices outside 0..39 are ignored.
    void cbxControl_Click(int row, const QString &text);
    // mnuTempRates_Click / mnuSPRates_Click: the rate of item `item` (0..11; others ignored)
    // becomes the menu's rate and the system configuration is saved.
    void chooseRate(RateMenu menu, int item);
    float rate(RateMenu menu) const;
    // The instrument list changed while the monitor is open: the row lists are rebuilt, rows
    // whose instrument is still listed unchanged keep it, the others show "[none]".
    void instrumentListChanged();

    QString monitorFilePath() const;

private:
    comms::CommLink &m_link;
    MonitorRows m_rows;
    MonitorPass m_pass;
    SetpointCommands m_setpoints;
    RampCommands m_ramps;
    bool m_restored = false; // the last activation read Monitor.val
};

} // namespace vanta::monitor
