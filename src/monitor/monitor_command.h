// What the monitor's setpoint and ramp/soak commands share: the instrument a row names, the
// "No Instrument Defined" box, writes to a row's instrument and the pause after a command.
#pragma once

#include "comms/comm_link.h"
#include "comms/outcome.h"
#include "monitor/monitor_pass.h"
#include "monitor/monitor_rows.h"

#include <functional>
#include <optional>

namespace vanta::monitor {

class MonitorCommand
{
public:
    // Told when a command changed a row (or, with -1, txtChangeAll) while it runs, so the window
    // repaints it before the next write.
    std::function<void(int row)> rowChanged;

protected:
    MonitorCommand(comms::CommLink &link, MonitorRows &rows, MonitorPass &pass);

    // Whom row `index` names; a row outside 0..39 or without an instrument gives none.
    std::optional<RowTarget> targetOf(int index) const;
    // The same, saying "There is no instrument defined for this row." when there is none.
    std::optional<RowTarget> instrumentOf(int index);
    // Writes `value` (a number the dispatcher scales and range-checks) to register `reg`.
    comms::Outcome write(const RowTarget &target, int reg, double value);
    void warn(const QString &title, const QString &text);
    // Yes/No with "No" the default; true only for "Yes".
    bool ask(const QString &title, const QString &text);
    // The next tick reads the setpoints again; meanwhile the instruments take the command in:
    // the clock sleeps, no window events run.
    void settle(double seconds);
    void changed(int row);

    comms::CommLink &m_link;
    MonitorRows &m_rows;
    MonitorPass &m_pass;
};

} // namespace vanta::monitor
