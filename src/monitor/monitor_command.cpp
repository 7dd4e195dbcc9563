// The pieces every monitor command uses.
#include "monitor/monitor_command.h"

#include "comms/register_access.h"

namespace vanta::monitor {

MonitorCommand::MonitorCommand(comms::CommLink &link, MonitorRows &rows, MonitorPass &pass)
    : m_link(link), m_rows(rows), m_pass(pass)
{}

std::optional<RowTarget> MonitorCommand::targetOf(int index) const
{
    if (index < 0 || index >= MonitorRowCount)
        return std::nullopt;
    const RowTarget target = decodeEntryText(m_rows.row(index).Text);
    if (target.address == 0)
        return std::nullopt;
    return target;
}

std::optional<RowTarget> MonitorCommand::instrumentOf(int index)
{
    std::optional<RowTarget> target = targetOf(index);
    if (!target)
        warn(QStringLiteral("No Instrument Defined"),
             QStringLiteral(
                 "There is no instrument defined for this row.  Select an instrument first."));
    return target;
}

comms::Outcome MonitorCommand::write(const RowTarget &target, int reg, double value)
{
    comms::Outcome outcome;
    comms::WriteRegister(m_link, target.group, target.protocol, outcome.text, outcome.status,
                         target.address, reg, static_cast<float>(value));
    return outcome;
}

void MonitorCommand::warn(const QString &title, const QString &text)
{
    m_link.ui.MsgBox(text, core::MsgButtons::Ok, core::MsgIcon::Exclamation, title,
                     core::MsgResult::Ok);
}

bool MonitorCommand::ask(const QString &title, const QString &text)
{
    return m_link.ui.MsgBox(text, core::MsgButtons::YesNo, core::MsgIcon::Question, title,
                            core::MsgResult::No) == core::MsgResult::Yes;
}

void MonitorCommand::settle(double seconds)
{
    m_pass.LastSvPollTime = ForcePass;
    m_link.clock.sleepSeconds(seconds);
}

void MonitorCommand::changed(int row)
{
    if (rowChanged)
        rowChanged(row);
}

} // namespace vanta::monitor
