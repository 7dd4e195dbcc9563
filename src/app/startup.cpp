// The start-up sequence.
#include "app/startup.h"

#include "comms/comm_port.h"
#include "core/app_error.h"
#include "core/data_files.h"
#include "core/system_config_file.h"

#include <algorithm>
#include <exception>

namespace vanta::app {

namespace {
using core::MsgButtons;
using core::MsgIcon;
using core::MsgResult;

bool userDeclinesSecondCopy(core::Interaction &ui)
{
    const QString text = QStringLiteral(
        "Warning: Another instance of this program is already running on this computer.  Do "
        "you want to continue ?  (If yes then you must run the programs out of different "
        "directories and select different serial comm ports.)");
    return ui.MsgBox(text, MsgButtons::YesNo, MsgIcon::Question,
                     QStringLiteral("Program Already Running"), MsgResult::No) != MsgResult::Yes;
}

// The steps after the second-copy question; `windowShown` tells the caller how far it got.
void startProgram(StartupEnvironment &env, bool &windowShown)
{
    core::AppState &app = env.link.app;
    core::Interaction &ui = env.link.ui;
    app.ProductMode = isProductName(env.executableName);
    core::ReadSystemConfig(app, ui);
    app.PacingEnabled = core::hasPacingMarker(app);
    core::loadDataFiles(app, ui);
    // A failure is reported inside and leaves CommEnabled false; start-up goes on regardless.
    (void)comms::InitComm(env.link, comms::portSettingsText(app.Config));
    app.LogStateText = {QStringLiteral("STARTED"), QStringLiteral("STOPPED"),
                        QStringLiteral("FINISHED")};
    if (env.showMainWindow)
        env.showMainWindow();
    windowShown = true;
    if (!env.commandLine.isEmpty() && env.autoSend)
        env.autoSend(env.commandLine);
}
} // namespace

StartupResult runStartup(StartupEnvironment &env)
{
    core::Interaction &ui = env.link.ui;
    bool windowShown = false;
    try {
        if (env.anotherCopyRunning && env.anotherCopyRunning() && userDeclinesSecondCopy(ui))
            return StartupResult::Declined;
        startProgram(env, windowShown);
    } catch (const core::AppError &error) {
        core::reportAppError(ui, error, QStringLiteral("modVanta.main"));
    } catch (const std::exception &error) {
        core::reportAppError(
            ui, {core::ErrorNumber::InternalError, QString::fromLocal8Bit(error.what())},
            QStringLiteral("modVanta.main"));
    }
    return windowShown ? StartupResult::Running : StartupResult::Failed;
}

bool isProductName(const QString &executableName)
{
    return executableName == QLatin1String("Orvel");
}

QString executableBaseName(const QString &argv0)
{
    const int slash =
        std::max(argv0.lastIndexOf(QLatin1Char('/')), argv0.lastIndexOf(QLatin1Char('\\')));
    const QString name = argv0.mid(slash + 1);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

QString commandLineText(const QStringList &arguments)
{
    QStringList parts;
    for (const QString &argument : arguments) {
        const bool quote = argument.isEmpty() || argument.contains(QLatin1Char(' '));
        parts << (quote ? QLatin1Char('"') + argument + QLatin1Char('"') : argument);
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace vanta::app
