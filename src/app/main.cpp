// Entry point of the VantaLnk3 application (and of its product variant when named Orvel).
#include "app/instance_lock.h"
#include "app/startup.h"
#include "app/windows.h"
#include "comms/qt_serial_line.h"
#include "core/app_state.h"
#include "core/clock.h"
#include "core/console_interaction.h"
#include "core/program_folder.h"
#include "ui/navigator.h"
#include "ui/qt_interaction.h"

#include <QApplication>
#include <memory>

namespace {

// With nobody at the screen (VANTA_UNATTENDED=1, for scripted automatic sends) message boxes
// take their default answer and are printed on stderr instead of waiting for a click.
std::unique_ptr<vanta::core::Interaction> newInteraction()
{
    if (qEnvironmentVariableIntValue("VANTA_UNATTENDED") != 0)
        return std::make_unique<vanta::core::ConsoleInteraction>();
    return std::make_unique<vanta::ui::QtInteraction>();
}

} // namespace

int main(int argc, char **argv)
{
    using namespace vanta;
    QApplication application(argc, argv);           // takes Qt's own options out of argv
    QApplication::setQuitOnLastWindowClosed(false); // the navigator ends the program
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString name = app::executableBaseName(QString::fromLocal8Bit(argv[0]));

    core::AppState state(core::programFolder());
    core::SystemClock clock;
    comms::QtSerialLine line(state.programFolder());
    const std::unique_ptr<core::Interaction> interaction = newInteraction();
    comms::CommLink link(state, line, clock, *interaction);
    app::InstanceLock lock(app::InstanceLock::defaultPath(name));
    ui::Navigator navigator(state, link);
    app::ProgramWindows windows(navigator);
    int exitStatus = 0; // the automatic send's result
    QObject::connect(
        &navigator, &ui::Navigator::programEnded, &application,
        [&exitStatus] { QCoreApplication::exit(exitStatus); }, Qt::QueuedConnection);

    app::StartupEnvironment environment{
        link,
        name,
        app::commandLineText(arguments),
        [&lock] { return !lock.tryAcquire(); },
        [&windows] { windows.showMainWindow(); },
        [&windows, &exitStatus](const QString &commandLine) {
            exitStatus = windows.autoSend(commandLine);
        },
    };
    switch (app::runStartup(environment)) {
    case app::StartupResult::Running:
        return application.exec();
    case app::StartupResult::Declined:
        return 0;
    case app::StartupResult::Failed:
        break;
    }
    return 1;
}
