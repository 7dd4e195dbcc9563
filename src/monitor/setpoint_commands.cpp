// Sending typed setpoints from the monitor.
#include "monitor/setpoint_commands.h"

#include "core/address.h"
#include "core/number_format.h"
#include "core/registers.h"

namespace vanta::monitor {

namespace {

constexpr double ChangeAllSettleSeconds = 0.7;
constexpr int NameColumn = 7; // zero-based start of the name in an entry text

const QString NotSentTitle = QStringLiteral("Setpoint Value Not Sent");
const QString SendErrorTitle = QStringLiteral("Send Setpoint Value Communications Error");

bool isValidRow(int row)
{
    return row >= 0 && row < MonitorRowCount;
}

} // namespace

SetpointCommands::SetpointCommands(comms::CommLink &link, MonitorRows &rows, MonitorPass &pass)
    : MonitorCommand(link, rows, pass)
{}

void SetpointCommands::txtSVText_Change(int row, const QString &text)
{
    if (m_pass.MonitorBusy || !isValidRow(row))
        return;
    MonitorRow &field = m_rows.row(row);
    field.SVText = text;
    field.SVState = EditState::Typed;
}

bool SetpointCommands::txtSVText_Enter(int row)
{
    if (!isValidRow(row))
        return true;
    MonitorRow &field = m_rows.row(row);
    if (field.SVState != EditState::Typed)
        return true;
    return sendTyped(row, field);
}

bool SetpointCommands::sendTyped(int row, MonitorRow &field)
{
    if (field.SVText.trimmed().isEmpty()) {
        field.SVState = EditState::Shown;
        return true;
    }
    if (field.RowDivisor <= 0) {
        field.SVState = EditState::Failed;
        warn(QStringLiteral("Cannot Send Setpoint Value"),
             QStringLiteral("The Setpoint Value cannot be sent to the instrument because "
                            "communications has not been established with the instrument in "
                            "order to obtain the current decimal point setting."));
        return true;
    }
    const std::optional<RowTarget> target = targetOf(row);
    if (!target) {
        field.SVState = EditState::Failed;
        changed(row);
        instrumentOf(row);
        field.SVState = EditState::Shown;
        field.SVText.clear();
        return false;
    }
    // A field without a number would otherwise go out as a setpoint of 0.
    const std::optional<double> value = core::readLeadingNumber(field.SVText);
    if (!value) {
        field.SVState = EditState::Failed;
        warnNoNumber();
        return true;
    }
    const comms::Outcome outcome =
        write(*target, core::Setpoint1Register, *value * field.RowDivisor);
    if (outcome.succeeded()) {
        field.SVState = EditState::Sent;
        return true;
    }
    field.SVState = EditState::Failed;
    warn(SendErrorTitle, QStringLiteral("Setpoint Value not sent due to communications Error >") +
                             outcome.text + QStringLiteral(". "));
    return true;
}

void SetpointCommands::warnNoNumber()
{
    warn(NotSentTitle, QStringLiteral("Warning: Setpoint Value field does not hold a number and "
                                      "was not sent to the instrument.  Re-enter the value and "
                                      "press enter to save it."));
}

void SetpointCommands::txtSVText_LostFocus(int row)
{
    if (m_pass.MonitorBusy || !isValidRow(row))
        return;
    MonitorRow &field = m_rows.row(row);
    if (field.SVState == EditState::Typed) {
        field.SVState = EditState::Failed;
        changed(row);
        m_link.ui.MsgBox(QStringLiteral("Warning: Setpoint Value field was modified but Enter was "
                                        "not pressed to send the change to the instrument.  "
                                        "Re-enter the value and press enter to save it."),
                         core::MsgButtons::Ok, core::MsgIcon::Information, NotSentTitle,
                         core::MsgResult::Ok);
    }
    m_pass.LastSvPollTime = ForcePass;
}

void SetpointCommands::txtChangeAll_Change(const QString &text)
{
    if (m_pass.MonitorBusy)
        return;
    m_rows.ChangeAllText = text;
    m_rows.ChangeAllState = EditState::Typed;
}

void SetpointCommands::cmdChangeAll_Click()
{
    if (m_rows.ChangeAllText.trimmed().isEmpty()) {
        m_rows.ChangeAllState = EditState::Shown;
        return;
    }
    const std::optional<double> value = core::readLeadingNumber(m_rows.ChangeAllText);
    if (!value) {
        m_rows.ChangeAllState = EditState::Failed;
        warnNoNumber();
        return;
    }
    if (!ask(QStringLiteral("Confirm Change All Setpoints"),
             QStringLiteral("Are you sure you wish to change all the instrument setpoints to ") +
                 core::compactNumberText(*value) + QStringLiteral(" ?"))) {
        m_rows.ChangeAllState = EditState::Shown;
        return;
    }
    for (int row = 0; row < MonitorRowCount; ++row) {
        const std::optional<RowTarget> target = targetOf(row);
        if (target && !changeRow(row, *target, *value))
            return;
    }
    m_rows.ChangeAllState = EditState::Sent;
    changed(-1);
    settle(ChangeAllSettleSeconds);
}

bool SetpointCommands::changeRow(int row, const RowTarget &target, double value)
{
    MonitorRow &field = m_rows.row(row);
    if (field.RowDivisor <= 0) {
        warn(QStringLiteral("Cannot Send Change All Setpoint Value"),
             QStringLiteral("The Change All Setpoint Value cannot be sent to address ") +
                 field.Text.left(3) +
                 QStringLiteral(" instruments because communications has not been established "
                                "yet with it in order to obtain the current decimal point "
                                "setting."));
        return true;
    }
    const comms::Outcome outcome = write(target, core::Setpoint1Register, value * field.RowDivisor);
    if (outcome.succeeded()) {
        field.SVState = EditState::Sent;
        changed(row);
        return true;
    }
    m_rows.ChangeAllState = EditState::Failed;
    changed(-1);
    return ask(SendErrorTitle,
               QStringLiteral("Setpoint Value not sent to address ") +
                   core::FormatAddress(target.group, target.address) + QStringLiteral(" (") +
                   field.Text.mid(NameColumn) + QStringLiteral(") due to communications Error >") +
                   outcome.text + QLatin1Char('.') + QLatin1Char('\r') +
                   QStringLiteral("Do you want to continue with the next instrument?"));
}

} // namespace vanta::monitor
