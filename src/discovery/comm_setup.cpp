// Communications setup's rules and the applying of its settings.
#include "discovery/comm_setup.h"

#include "comms/comm_port.h"
#include "core/app_error.h"
#include "core/comm_ports.h"
#include "core/model_catalogue.h"
#include "core/model_file.h"
#include "core/number_format.h"
#include "core/system_config_file.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace vanta::discovery {

namespace {

constexpr int MaxCommPort = 16;
constexpr int MaxPollTimeout = 32767;

// `value` limited to 1..`max`; anything that is no finite number counts as 0.
double limited(double value, int max)
{
    if (!std::isfinite(value))
        value = 0;
    return std::clamp(value, 1.0, static_cast<double>(max));
}

void copySettings(core::SystemConfig &config, const CommSettings &settings)
{
    config.CommPort = settings.CommPort;
    config.BaudRate = settings.BaudRate;
    config.Parity = settings.Parity;
    config.DataBits = settings.DataBits;
    config.StopBits = settings.StopBits;
    config.PollTimeout = settings.PollTimeout;
    config.ControllerGroup = settings.ControllerGroup;
}

void writePortDevice(comms::CommLink &link, const QString &device)
{
    try {
        core::writeDeviceForPort(link.app.programFolder(), link.app.Config.CommPort, device);
    } catch (const core::AppError &error) {
        core::reportFileWriteError(link.ui, error, QStringLiteral("CommPorts.txt"),
                                   QStringLiteral("frmCommSetup.cmdOK_Click"));
    }
}

void reopenPort(comms::CommLink &link)
{
    (void)comms::InitComm(link, comms::portSettingsText(link.app.Config));
    if (link.app.CommEnabled())
        return;
    link.ui.MsgBox(QStringLiteral("Communications with the instrument(s) will be disabled until "
                                  "valid comm port settings are entered."),
                   core::MsgButtons::Ok, core::MsgIcon::Exclamation,
                   QStringLiteral("Communications Disabled"), core::MsgResult::Ok);
}

} // namespace

qint16 limitedCommPort(const QString &text)
{
    return static_cast<qint16>(std::lround(limited(core::leadingNumber(text), MaxCommPort)));
}

qint16 limitedPollTimeout(const QString &text)
{
    return static_cast<qint16>(limited(std::floor(core::leadingNumber(text)), MaxPollTimeout));
}

QString limitedName(const QString &text)
{
    return text.left(MaxNameLength);
}

QString groupModelNames(const core::ModelCatalogue &catalogue, int group)
{
    if (group < 0 || group >= core::ControllerGroupCount)
        return {};
    QStringList names;
    for (const core::ModelEntry &model : catalogue.Models[static_cast<size_t>(group)]) {
        if (model.ModelName != QLatin1String("Ramp/Soak"))
            names << model.ModelName;
    }
    return names.join(QStringLiteral(", "));
}

bool confirmCancelChanges(core::Interaction &ui)
{
    return ui.MsgBox(QStringLiteral("Are sure you wish to cancel your Communications Setup "
                                    "changes?"),
                     core::MsgButtons::YesNo, core::MsgIcon::Question,
                     QStringLiteral("Cancel Changes?"),
                     core::MsgResult::No) == core::MsgResult::Yes;
}

bool confirmConfigurationChange(const core::AppState &app, core::Interaction &ui)
{
    if (!app.LoggingActive())
        return true;
    return ui.MsgBox(QStringLiteral("Warning: logging session(s) are currently in progress - "
                                    "changing the system configuration will cause all logging to "
                                    "stop and all logging variables to be reset.  Are you sure you "
                                    "wish to change your system configuration?"),
                     core::MsgButtons::YesNo, core::MsgIcon::Question,
                     QStringLiteral("Change System Configuration?"),
                     core::MsgResult::No) == core::MsgResult::Yes;
}

void ApplyCommSetup(comms::CommLink &link, const CommSettings &settings, const InstrumentList &list,
                    const std::optional<QString> &portDevice)
{
    core::AppState &app = link.app;
    copySettings(app.Config, settings);
    core::ReadModelFile(app, link.ui);
    app.Config.ProtocolCode = settings.ProtocolCode;
    app.Config.ViewerProgram = settings.ViewerProgram;
    app.Config.DefaultFolder = settings.DefaultFolder;
    app.Config.Instruments = list.records();
    (void)core::SaveSystemConfig(app, link.ui); // reports its own failure
    if (portDevice)
        writePortDevice(link, *portDevice);
    reopenPort(link);
    app.notifyInstrumentListChanged();
    app.notifyPortSettingsChanged();
}

} // namespace vanta::discovery
