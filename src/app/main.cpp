// Entry point of the VantaLnk3 application (and of its product variant when named Orvel).
#include "app/instance_lock.h"
#include "app/startup.h"
#include "app/windows.h"
#include "comms/qt_serial_line.h"
#include "core/app_state.h"
#include "core/clock.h"
#include "core/program_folder.h"
#include "ui/navigator.h"
#include "ui/qt_interaction.h"

#include <QApplication>

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
    ui::QtInteraction interaction;
    comms::CommLink link(state, line, clock, interaction);
    app::InstanceLock lock(app::InstanceLock::defaultPath(name));
    ui::Navigator navigator(state, link);
    app::ProgramWindows windows(navigator);
    QObject::connect(&navigator, &ui::Navigator::programEnded, &application,
                     &QCoreApplication::quit, Qt::QueuedConnection);

    app::StartupEnvironment environment{
        link,
        name,
        app::commandLineText(arguments),
        [&lock] { return !lock.tryAcquire(); },
        [&windows] { windows.showMainWindow(); },
        // The automatic send of a parameter file is not built yet: say so rather than ignore
        // the command line.
        [&interaction](const QString &) {
            interaction.MsgBox(QStringLiteral("Sending a parameter file from the command line is "
                                              "not available yet."),
                               core::MsgButtons::Ok, core::MsgIcon::Information,
                               QStringLiteral("Not Available"), core::MsgResult::Ok);
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
