// The monitor's poll pass: due rule, the reads of one row and what they leave in the row.
#include "monitor/monitor_pass.h"

#include "comms/register_access.h"
#include "comms/timing.h"
#include "core/number_format.h"
#include "core/registers.h"

#include <QScopedValueRollback>

namespace vanta::monitor {

namespace {

constexpr qint16 NotAvailable = 2; // the instrument or protocol has no such register

// Bit 1 of a group-0 alarm options register: the alarm output is inverted.
constexpr int InvertedOutputBit = 1;

// The unit's own leading blank is dropped, so every protocol shows "75.0 °C".
QString valueText(const comms::ScaledValue &value)
{
    return value.ValueText + QLatin1Char(' ') + value.UnitText.trimmed();
}

bool isFailure(qint16 status)
{
    return status != 0 && status != NotAvailable;
}

} // namespace

bool isPassDue(const core::Clock &clock, float rate, double last)
{
    // A single-precision .05 lies just above 0.05: without the allowance a 50 ms tick would
    // find a .05 s pass due only every second tick.
    constexpr double Allowance = 1e-6;
    return rate > 0 && comms::ElapsedSeconds(clock, last) + Allowance >= rate;
}

QString alarmText(bool flag, qint16 sense)
{
    if (sense == AlarmSense::Unknown)
        return {};
    const bool on = sense == AlarmSense::Inverted ? !flag : flag;
    return on ? QStringLiteral("ON") : QStringLiteral("OFF");
}

MonitorPass::MonitorPass(comms::CommLink &link, MonitorRows &rows, core::LoopTracker &loops)
    : m_link(link), m_rows(rows), m_loops(loops)
{}

void MonitorPass::tmrPoll_Timer()
{
    const core::ReentryGuard guard(m_inPass, m_loops);
    if (!guard)
        return;
    const DuePasses due = takeDuePasses();
    // While another window holds the port the pass is missed, as after a stall.
    if (!due.any() || m_link.app.PortBorrowed())
        return;
    runPass(due);
}

DuePasses MonitorPass::takeDuePasses()
{
    const core::SystemConfig &config = m_link.app.Config;
    const double now = comms::ClockSeconds(m_link.clock);
    DuePasses due;
    due.processValues = isPassDue(m_link.clock, config.TempPollRate, LastPvPollTime);
    due.setpoints = isPassDue(m_link.clock, config.SPPollRate, LastSvPollTime);
    if (due.processValues)
        LastPvPollTime = now;
    if (due.setpoints)
        LastSvPollTime = now;
    return due;
}

void MonitorPass::runPass(DuePasses due)
{
    const qint64 started = m_link.clock.utcNow().toMSecsSinceEpoch();
    for (int index = 0; index < MonitorRowCount; ++index) {
        pollRow(index, due);
        if (rowFinished)
            rowFinished(index);
        if (MonitorStop)
            return;
    }
    m_lastPassSeconds = (m_link.clock.utcNow().toMSecsSinceEpoch() - started) / 1000.0;
}

bool MonitorPass::skipsSilentRow(const MonitorRow &row) const
{
    return PollSilentLess && row.Health.failedPasses >= BackOffAfterPasses &&
           comms::ElapsedSeconds(m_link.clock, row.Health.lastAttempt) < BackOffSeconds;
}

void MonitorPass::pollRow(int index, DuePasses due)
{
    MonitorRow &row = m_rows.row(index);
    const RowTarget target = decodeEntryText(row.Text);
    if (target.address == 0) {
        showErrorLine();
        return;
    }
    if (skipsSilentRow(row))
        return;
    row.Poll = PollLight::Polling;
    row.Health.lastAttempt = comms::ClockSeconds(m_link.clock);
    if (rowStarted)
        rowStarted(index);
    finishRow(row, /*hasAddress=*/true, readRow(index, target, due));
}

// The row's own reads decide its status; a read the row does not make leaves it at 0.
qint16 MonitorPass::readRow(int index, const RowTarget &target, DuePasses due)
{
    MonitorRow &row = m_rows.row(index);
    qint16 status = 0;
    if (due.processValues) {
        status = readProcessValue(row, target);
        if (status != 0)
            return status;
    }
    if (row.SVState != EditState::Typed && due.setpoints) {
        status = readSetpoint(row, index, target);
        if (isFailure(status))
            return status;
    }
    if (target.group == 0) {
        status = learnAlarmSenses(row, target);
    } else {
        row.Alarm1Sense = AlarmSense::Direct;
        row.Alarm2Sense = AlarmSense::Direct;
    }
    // In groups 1 and 2 a missing setpoint register ends the row here too.
    if (status != 0)
        return status;
    return readRampSoak(row, target);
}

void MonitorPass::count(MonitorRow &row, qint16 status, qint64 startedMs)
{
    RowHealth &health = row.Health;
    ++health.requests;
    if (status == 0)
        health.lastReplyMs =
            static_cast<int>(m_link.clock.utcNow().toMSecsSinceEpoch() - startedMs);
    else if (isFailure(status))
        ++health.failures;
}

bool MonitorPass::readScaled(MonitorRow &row, const RowTarget &target, int reg,
                             comms::ScaledValue &value, qint16 &status)
{
    const qint64 started = m_link.clock.utcNow().toMSecsSinceEpoch();
    comms::ReadScaledValue(m_link, target.group, target.protocol, m_errorText, status,
                           target.address, reg, value);
    count(row, status, started);
    return status == 0;
}

bool MonitorPass::readValue(MonitorRow &row, const RowTarget &target, int reg, float &value,
                            qint16 &status)
{
    const qint64 started = m_link.clock.utcNow().toMSecsSinceEpoch();
    comms::ReadRegister(m_link, target.group, target.protocol, m_errorText, status, target.address,
                        reg, value);
    count(row, status, started);
    return status == 0;
}

qint16 MonitorPass::readProcessValue(MonitorRow &row, const RowTarget &target)
{
    comms::ScaledValue value;
    qint16 status = 0;
    if (!readScaled(row, target, core::ProcessValueRegister, value, status))
        return status;
    row.TempText = valueText(value);
    row.Alm1StatText = alarmText(value.AlarmFlag1, row.Alarm1Sense);
    row.Alm2StatText = alarmText(value.AlarmFlag2, row.Alarm2Sense);
    return 0;
}

qint16 MonitorPass::readSetpoint(MonitorRow &row, int index, const RowTarget &target)
{
    comms::ScaledValue value;
    qint16 status = 0;
    if (!readScaled(row, target, core::WorkingSetpointRegister, value, status))
        return status;
    const QScopedValueRollback busy(MonitorBusy, true);
    row.SVText = valueText(value);
    row.SVState = EditState::Shown;
    row.RowDivisor = value.Divisor;
    if (index == 0 && m_rows.ChangeAllState != EditState::Typed) {
        m_rows.ChangeAllText = row.SVText;
        m_rows.ChangeAllState = EditState::Shown;
    }
    return 0;
}

// Group 0 says per alarm whether its output is inverted; a register the instrument lacks leaves
// both senses as they were.
qint16 MonitorPass::learnAlarmSenses(MonitorRow &row, const RowTarget &target)
{
    qint16 status = learnGroup0Sense(row, target, core::Alarm1OptionsRegister, row.Alarm1Sense);
    if (status == NotAvailable)
        return 0;
    if (status != 0)
        return status;
    status = learnGroup0Sense(row, target, core::Alarm2OptionsRegister, row.Alarm2Sense);
    return status == NotAvailable ? qint16(0) : status;
}

qint16 MonitorPass::learnGroup0Sense(MonitorRow &row, const RowTarget &target, int reg,
                                     qint16 &sense)
{
    float options = 0;
    qint16 status = 0;
    if (!readValue(row, target, reg, options, status))
        return status;
    sense = comms::BitState(InvertedOutputBit, options) ? AlarmSense::Inverted : AlarmSense::Direct;
    return 0;
}

qint16 MonitorPass::readRampSoak(MonitorRow &row, const RowTarget &target)
{
    float running = 0;
    qint16 status = 0;
    if (!readValue(row, target, core::ProgramRunningRegister, running, status)) {
        if (status != NotAvailable)
            return status;
        row.RampVisible = false;
        return 0;
    }
    bool held = false;
    if (running != 0) {
        // A failed read of the hold state counts as not held and is no failure of the row.
        QString ignored;
        qint16 holdStatus = 0;
        float holding = 0;
        comms::ReadRegister(m_link, target.group, target.protocol, ignored, holdStatus,
                            target.address, core::ProgramHeldRegister, holding);
        ++row.Health.requests;
        held = holdStatus == 0 && holding != 0;
    }
    row.RampVisible = true;
    row.Ramp = held ? RampLight::Held : running != 0 ? RampLight::Running : RampLight::Off;
    return 0;
}

void MonitorPass::finishRow(MonitorRow &row, bool hasAddress, qint16 status)
{
    if (status == NotAvailable)
        m_errorText.clear();
    if (hasAddress) {
        row.Poll = isFailure(status) ? PollLight::Failed : PollLight::ButtonFace;
        RowHealth &health = row.Health;
        health.failedPasses = isFailure(status) ? health.failedPasses + 1 : 0;
        health.backedOff = PollSilentLess && health.failedPasses >= BackOffAfterPasses;
    }
    showErrorLine();
}

void MonitorPass::showErrorLine()
{
    monitor::showErrorLine(m_link, m_errorText);
}

void showErrorLine(comms::CommLink &link, const QString &errorText)
{
    if (errorText.isEmpty()) {
        link.app.setErrorLine(QString());
        return;
    }
    link.app.setErrorLine(
        core::formatDateTime(link.clock.localNow(), QStringLiteral("mm/dd/yyyy hh:nn:ss AM/PM")) +
        QStringLiteral(" - ") + errorText);
}

QString MonitorPass::summaryText() const
{
    int rows = 0;
    int silent = 0;
    int requests = 0;
    int failures = 0;
    for (int index = 0; index < MonitorRowCount; ++index) {
        const MonitorRow &row = m_rows.row(index);
        if (decodeEntryText(row.Text).address == 0)
            continue;
        ++rows;
        silent += row.Health.failedPasses >= BackOffAfterPasses ? 1 : 0;
        requests += row.Health.requests;
        failures += row.Health.failures;
    }
    QString text = QStringLiteral("Rows %1, silent %2, requests %3, failures %4, last pass ")
                       .arg(rows)
                       .arg(silent)
                       .arg(requests)
                       .arg(failures);
    return text + (m_lastPassSeconds < 0
                       ? QStringLiteral("none")
                       : QString::number(m_lastPassSeconds, 'f', 2) + QStringLiteral(" s"));
}

} // namespace vanta::monitor
