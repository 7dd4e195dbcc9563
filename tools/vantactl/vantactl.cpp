// vantactl: loads the settings and data files as the application does at start-up, applies the
// command-line options, opens the port and runs one command (or the same one repeatedly).
#include "vantactl.h"

#include "command_line.h"
#include "commands.h"
#include "comms/comm_port.h"
#include "comms/qt_serial_line.h"
#include "comms/register_access.h"
#include "comms/trace_ring.h"
#include "config_commands.h"
#include "core/app_state.h"
#include "core/console_interaction.h"
#include "core/data_files.h"
#include "core/number_format.h"
#include "core/program_folder.h"
#include "core/system_config_file.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

namespace vanta::tools {

namespace {

void printLine(std::FILE *out, const QString &text)
{
    std::fprintf(out, "%s\n", text.toUtf8().constData());
}

int usageError(const QString &message)
{
    printLine(stderr, QStringLiteral("vantactl: ") + message);
    std::fputs(usageText().toUtf8().constData(), stderr);
    return UsageExitStatus;
}

void applyOptions(core::AppState &app, const Options &options)
{
    core::SystemConfig &config = app.Config;
    if (options.port)
        config.CommPort = static_cast<qint16>(*options.port);
    if (options.timeout)
        config.PollTimeout = static_cast<qint16>(*options.timeout);
    if (options.group)
        config.ControllerGroup = static_cast<qint16>(*options.group);
    if (options.protocol)
        config.ProtocolCode = comms::protocolCode(*options.protocol);
    app.PacingEnabled = options.pacing || core::hasPacingMarker(app);
}

// Reads the system configuration (when the folder has one: the options may supply every
// setting), applies the options, then loads the data files in the application's order.
// Returns false when the configuration file or any data file reported a failure.
bool loadState(core::AppState &app, core::ConsoleInteraction &ui, const Options &options)
{
    const int reportsBefore = ui.boxCount();
    if (QFileInfo::exists(app.programFile(app.configFileName())))
        core::ReadSystemConfig(app, ui);
    applyOptions(app, options); // before the model file: its register files follow the group
    core::loadDataFiles(app, ui);
    app.setDemoMode(options.demo);
    return ui.boxCount() == reportsBefore;
}

int countSet(const std::function<int(int)> &entry)
{
    int count = 0;
    for (int reg = 1; reg <= core::MaxRegister; ++reg)
        count += entry(reg) >= 0 ? 1 : 0;
    return count;
}

void printInfo(const core::AppState &app)
{
    printLine(stdout, QStringLiteral("program folder: ") + app.programFolder());
    printLine(stdout, QStringLiteral("model file: ") + app.ModelFileName);
    for (int group = 0; group < core::ControllerGroupCount; ++group) {
        const auto &models = app.Catalogue.Models[group];
        printLine(stdout, QStringLiteral("group %1: %2 models").arg(group).arg(models.size()));
        for (const core::ModelEntry &model : models)
            printLine(stdout, QStringLiteral("  %1\t%2\t%3")
                                  .arg(model.ModelID, model.ModelName, model.ModelType));
    }
    const core::DataTables &tables = app.Tables;
    printLine(stdout, QStringLiteral("CfgField.TXT: %1 registers").arg(countSet([&](int r) {
        return tables.CfgField(r, 1) != 0 ? 0 : -1;
    })));
    printLine(stdout, QStringLiteral("VantaXref.TXT: %1 read commands, %2 write commands")
                          .arg(countSet([&](int r) { return tables.VantaXref(r, 1); }))
                          .arg(countSet([&](int r) { return tables.VantaXref(r, 2); })));
    printLine(stdout, QStringLiteral("xxKXref.TXT: %1 registers").arg(countSet([&](int r) {
        return tables.KXref(r);
    })));
    printLine(stdout, QStringLiteral("xxWXref.TXT: %1 registers").arg(countSet([&](int r) {
        return tables.WXref(r);
    })));
}

bool isModbusCommand(Command command)
{
    return command == Command::ModbusRead || command == Command::ModbusWrite;
}

void traceFrame(const comms::TraceEvent &event)
{
    const QString prefix = event.direction == comms::TraceDirection::Sent ? QStringLiteral("> ")
                                                                          : QStringLiteral("< ");
    printLine(stderr, prefix + hexPairs(event.bytes));
}

// A device named without a folder is a file of the current folder, not one under /dev (where
// the serial port class would otherwise look it up).
QString absoluteDevicePath(const QString &device)
{
#ifdef Q_OS_WIN
    return device; // "COM3"
#else
    return QFileInfo(device).absoluteFilePath();
#endif
}

// Named by its path: the port-number wording of the opening failure would name the stored port.
void reportMissingDevice(core::Interaction &ui, const QString &device)
{
    ui.MsgBox(QStringLiteral("The selected device, %1, does not exist.  All functions that "
                             "require communications to the instruments will be disabled.")
                  .arg(device),
              core::MsgButtons::Ok, core::MsgIcon::Critical, QStringLiteral("InitComm"),
              core::MsgResult::Ok);
}

// Opens the port unless demo mode keeps it closed. A device that does not exist is reported by
// its path and the port stays closed, so every access fails as on a port that cannot open.
void openPort(comms::CommLink &link, comms::QtSerialLine &line, const Options &options)
{
    if (link.app.DemoMode())
        return;
    if (options.device) {
        const QString device = absoluteDevicePath(*options.device);
        line.setDevicePath(device);
        if (!QFileInfo::exists(device)) {
            reportMissingDevice(link.ui, device);
            return;
        }
    }
    comms::InitComm(link, options.settings.value_or(comms::portSettingsText(link.app.Config)));
}

// Whom the command talks to: the group and protocol in force, options over stored settings,
// and the address as that group shows it. A group or protocol letter that cannot be routed
// comes back as the dispatcher's refusal (status 2).
comms::ValueOutcome<comms::Target> commandTarget(const core::SystemConfig &config,
                                                 const Invocation &invocation)
{
    const int group = config.ControllerGroup;
    const int address = parseAddressArgument(invocation.args.address, group);
    const QString &code = config.ProtocolCode;
    const std::optional<comms::Protocol> protocol = comms::protocolFromCode(code);
    if (isModbusCommand(invocation.command) &&
        (!protocol || *protocol == comms::Protocol::VantaLink))
        throw UsageError{
            QStringLiteral("Modbus commands need protocol R or A, not \"%1\"").arg(code)};
    return comms::targetFor(group, code, address);
}

int runConfigCommand(core::AppState &app, core::ConsoleInteraction &ui,
                     const Invocation &invocation)
{
    comms::QtSerialLine line(app.programFolder());
    core::SystemClock clock;
    comms::CommLink link(app, line, clock, ui);
    if (invocation.options.trace)
        link.trace = traceFrame;
    // Two files are compared without a line.
    if (invocation.command != Command::ConfigDiff || !comparesTwoFiles(invocation))
        openPort(link, line, invocation.options);
    switch (invocation.command) {
    case Command::ConfigRead:
        return runConfigRead(link, ui, invocation);
    case Command::ConfigSend:
        return runConfigSend(link, ui, invocation);
    default:
        return runConfigDiff(link, ui, invocation);
    }
}

bool isConfigCommand(Command command)
{
    return command == Command::ConfigRead || command == Command::ConfigSend ||
           command == Command::ConfigDiff;
}

int runAccess(core::AppState &app, core::ConsoleInteraction &ui, const Invocation &invocation)
{
    if (isConfigCommand(invocation.command))
        return runConfigCommand(app, ui, invocation);
    const Options &options = invocation.options;
    const comms::ValueOutcome<comms::Target> target = commandTarget(app.Config, invocation);

    comms::QtSerialLine line(app.programFolder());
    core::SystemClock clock;
    comms::CommLink link(app, line, clock, ui);
    comms::TraceRing ring(clock, 1); // pairs each reply with its request for the decoder
    if (options.trace)
        link.trace = traceFrame;
    if (options.trace && options.decode)
        link.trace = [&ring](const comms::TraceEvent &event) {
            ring.record(event);
            printLine(stderr, comms::traceLine(ring.newest()));
        };
    openPort(link, line, options);

    const int repeat = options.repeat.value_or(1);
    QElapsedTimer timer;
    timer.start();
    Outcome outcome;
    for (int run = 1; run <= repeat; ++run)
        outcome = target.succeeded()
                      ? runCommand(link, invocation.command, invocation.args, target.value,
                                   options.hex, run == repeat ? Wording::Print : Wording::Skip)
                      : Outcome::of(target);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;

    if (!outcome.succeeded())
        printLine(stderr, QString::number(outcome.status) + QLatin1Char('\t') + outcome.text);
    else if (!outcome.value.isEmpty())
        printLine(stdout, outcome.value);
    if (options.repeat)
        printLine(stderr, QStringLiteral("%1 transactions in %2 s")
                              .arg(repeat)
                              .arg(QString::number(seconds, 'f', 3)));
    return outcome.status & 255;
}

} // namespace

int runVantactl(const QStringList &arguments)
{
    try {
        const Invocation invocation = parseCommandLine(arguments);
        if (invocation.help) {
            std::fputs(usageText().toUtf8().constData(), stdout);
            return 0;
        }
        core::ConsoleInteraction ui;
        core::AppState app(invocation.options.folder.value_or(core::programFolder()));
        const bool dataLoaded = loadState(app, ui, invocation.options);
        if (invocation.command == Command::Info) {
            printInfo(app);
            return dataLoaded ? 0 : 1;
        }
        return runAccess(app, ui, invocation);
    } catch (const UsageError &error) {
        return usageError(error.message);
    }
}

} // namespace vanta::tools
