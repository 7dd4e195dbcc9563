// Starting, holding and stopping ramp/soak programs from the monitor.
#include "monitor/ramp_commands.h"

#include "core/registers.h"

namespace vanta::monitor {

namespace {

constexpr double RowSettleSeconds = 0.8;
constexpr double AllRowsSettleSeconds = 0.7;

struct Write
{
    int reg;
    int value;
    const char *failure; // the start of the warning, before the error text
};

// A command's two writes, its warning title and its confirmation for all rows.
struct RampSteps
{
    Write first;
    Write second;
    const char *title;
    const char *confirmTitle;
    const char *confirmText;
};

const RampSteps &stepsOf(RampCommand command)
{
    static const RampSteps On{
        {core::ProgramRunningRegister, 1,
         "The command to turn on the ramp/soak program did not occur due to communications "
         "Error >"},
        {core::ProgramHeldRegister, 0,
         "The command to turn on the ramp/soak program and take it out of hold did not occur "
         "due to communications Error >"},
        "Program Set On Communications Error",
        "Confirm Start All Ramp/Soak Programs",
        "Are you sure you wish to start all ramp/soak programs ?"};
    static const RampSteps Off{
        {core::ProgramRunningRegister, 0,
         "The command to turn off the ramp/soak program did not occur due to communications "
         "Error >"},
        {core::ProgramHeldRegister, 0,
         "The command to turn off the ramp/soak program and take it out of hold did not occur "
         "due to communications Error >"},
        "Program Set Off Communications Error",
        "Confirm Stop All Ramp/Soak Programs",
        "Are you sure you wish to stop all ramp/soak programs ?"};
    static const RampSteps Hold{
        {core::ProgramHeldRegister, 1,
         "The command to turn the program hold on failed due to a write communications Error >"},
        {core::ProgramRunningRegister, 1,
         "The command to turn the program hold on failed during program set on command due to "
         "a write communications Error >"},
        "Program Hold Communications Error",
        "Confirm Hold All Ramp/Soak Programs",
        "Are you sure you wish to hold all ramp/soak programs ?"};
    switch (command) {
    case RampCommand::On:
        return On;
    case RampCommand::Off:
        return Off;
    case RampCommand::Hold:
        break;
    }
    return Hold;
}

} // namespace

RampCommands::RampCommands(comms::CommLink &link, MonitorRows &rows, MonitorPass &pass)
    : MonitorCommand(link, rows, pass)
{}

std::optional<QString> RampCommands::runWrites(const RowTarget &target, RampCommand command)
{
    const RampSteps &steps = stepsOf(command);
    for (const Write &step : {steps.first, steps.second}) {
        const comms::Outcome outcome = write(target, step.reg, step.value);
        if (!outcome.succeeded())
            return QString::fromLatin1(step.failure) + outcome.text + QStringLiteral(". ");
    }
    return std::nullopt;
}

void RampCommands::rowCommand(int row, RampCommand command)
{
    const std::optional<RowTarget> target = instrumentOf(row);
    if (!target)
        return;
    const std::optional<QString> failure = runWrites(*target, command);
    // The next poll shows the program's new state.
    m_rows.row(row).Ramp = RampLight::Off;
    changed(row);
    if (failure) {
        warn(QString::fromLatin1(stepsOf(command).title), *failure);
        return;
    }
    settle(RowSettleSeconds);
}

void RampCommands::allRowsCommand(RampCommand command)
{
    const RampSteps &steps = stepsOf(command);
    if (!ask(QString::fromLatin1(steps.confirmTitle), QString::fromLatin1(steps.confirmText)))
        return;
    for (int row = 0; row < MonitorRowCount; ++row) {
        const std::optional<RowTarget> target = targetOf(row);
        if (!target || !m_rows.row(row).RampVisible)
            continue;
        const std::optional<QString> failure = runWrites(*target, command);
        m_rows.row(row).Ramp = RampLight::Off;
        changed(row);
        if (failure) {
            warn(QString::fromLatin1(steps.title), *failure);
            return;
        }
    }
    settle(AllRowsSettleSeconds);
}

bool RampCommands::cmdRampCfg_Click(int row)
{
    const std::optional<RowTarget> target = instrumentOf(row);
    if (!target)
        return false;
    m_link.app.requestRampSoakConfig(static_cast<qint16>(target->address), target->protocol,
                                     static_cast<qint16>(target->group));
    return true;
}

} // namespace vanta::monitor
