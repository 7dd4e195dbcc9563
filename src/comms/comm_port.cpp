// Opening the serial port.
#include "comms/comm_port.h"

#include "core/app_error.h"
#include "core/number_format.h"

namespace vanta::comms {

namespace {

// The port numbers that mean "no such port or somebody else has it", as opposed to a fault.
bool isMissingOrBusyPort(int errorNumber)
{
    using namespace core::ErrorNumber;
    return errorNumber == InvalidPortNumber || errorNumber == PortAlreadyOpen ||
           errorNumber == DeviceIdentifierInvalid || errorNumber == DeviceUnavailable;
}

void reportOpenFailure(CommLink &link, const core::AppError &error)
{
    const bool denied = error.number == core::ErrorNumber::PermissionDenied;
    if (!denied && !isMissingOrBusyPort(error.number)) {
        core::reportAppError(link.ui, error, QStringLiteral("modVanta.InitComm"));
        return;
    }
    // A port the user may not open says why and how to fix it: the line's description.
    const QString cause = denied ? QStringLiteral(", cannot be opened: ") + error.description
                                 : QStringLiteral(", either does not exist or is in use.");
    const QString text = QStringLiteral("The selected communications port, COM") +
                         QString::number(link.app.Config.CommPort) + cause +
                         QStringLiteral("  All functions that require communications to the "
                                        "instruments(s) will be disabled.");
    link.ui.MsgBox(text, core::MsgButtons::Ok, core::MsgIcon::Critical, QStringLiteral("InitComm"),
                   core::MsgResult::Ok);
}

} // namespace

int InitComm(CommLink &link, const QString &Settings)
{
    SerialLine &line = link.line;
    try {
        if (line.portOpen())
            line.setPortOpen(false);
        line.setCommPort(link.app.Config.CommPort);
        line.setSettings(Settings);
        line.setRTSEnable(true);
        line.setPortOpen(true);
        link.app.setCommEnabled(true);
        return 0;
    } catch (const core::AppError &error) {
        reportOpenFailure(link, error);
        link.app.setCommEnabled(false);
        return -1;
    }
}

QString portSettingsText(const core::SystemConfig &config)
{
    const QChar comma = QLatin1Char(',');
    return core::numberText(config.BaudRate) + comma + config.Parity.left(1) + comma +
           QString::number(config.DataBits) + comma + QString::number(config.StopBits);
}

} // namespace vanta::comms
