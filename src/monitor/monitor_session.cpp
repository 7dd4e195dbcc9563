// Showing and leaving the monitor, row choices, rates and list changes.
#include "monitor/monitor_session.h"

#include "core/app_error.h"
#include "core/safe_file.h"
#include "core/system_config_file.h"
#include "monitor/monitor_file.h"

namespace vanta::monitor {

namespace {

const QString MonitorFileName = QStringLiteral("Monitor.val");

} // namespace

MonitorSession::MonitorSession(comms::CommLink &link, core::LoopTracker &loops)
    : m_link(link), m_pass(link, m_rows, loops), m_setpoints(link, m_rows, m_pass),
      m_ramps(link, m_rows, m_pass)
{}

QString MonitorSession::monitorFilePath() const
{
    return m_link.app.programFile(MonitorFileName);
}

bool MonitorSession::activate()
{
    m_pass.MonitorStop = false;
    m_pass.forcePass();
    m_pass.MonitorBusy = true;
    m_rows.fill(m_link.app.Config.Instruments);
    m_restored = false;
    try {
        m_rows.restore(readMonitorFile(monitorFilePath()));
    } catch (const core::AppError &error) {
        core::reportAppError(m_link.ui, error, QStringLiteral("mdiMonitor.Form_Activate"));
        return false;
    }
    m_restored = true;
    if (!m_link.app.CommEnabled())
        return false; // MonitorBusy stays set: row choices wait for the next activation
    m_pass.MonitorBusy = false;
    return true;
}

void MonitorSession::deactivate()
{
    m_pass.MonitorStop = true;
    if (!m_restored)
        return;
    try {
        core::writeFileReplacing(monitorFilePath(), monitorFileContent(m_rows.texts()));
    } catch (const core::AppError &error) {
        core::reportAppError(m_link.ui, error, QStringLiteral("mdiMonitor.Form_Deactivate"));
    }
}

void MonitorSession::cbxControl_Click(int row, const QString &text)
{
    if (m_pass.MonitorBusy)
        return;
    m_pass.MonitorBusy = true;
    if (m_rows.choose(row, text))
        m_pass.forcePass();
    m_pass.MonitorBusy = false;
}

void MonitorSession::chooseRate(RateMenu menu, int item)
{
    const QStringList items = pollRateItems();
    if (item < 0 || item >= items.size())
        return;
    core::SystemConfig &config = m_link.app.Config;
    float &rate = menu == RateMenu::ProcessVariables ? config.TempPollRate : config.SPPollRate;
    rate = pollRateOf(items.at(item));
    if (core::SaveSystemConfig(m_link.app, m_link.ui))
        m_link.app.notifyPortSettingsChanged();
}

float MonitorSession::rate(RateMenu menu) const
{
    const core::SystemConfig &config = m_link.app.Config;
    return menu == RateMenu::ProcessVariables ? config.TempPollRate : config.SPPollRate;
}

void MonitorSession::instrumentListChanged()
{
    const QStringList texts = m_rows.texts();
    const QString changeAll = m_rows.ChangeAllText;
    const EditState changeAllState = m_rows.ChangeAllState;
    m_rows.fill(m_link.app.Config.Instruments);
    m_rows.restore(texts);
    m_rows.ChangeAllText = changeAll;
    m_rows.ChangeAllState = changeAllState;
    m_pass.forcePass();
}

} // namespace vanta::monitor
