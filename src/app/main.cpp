// Entry point of the VantaLnk3 application (and of its product variant when named Orvel).
#include "app/instance_lock.h"
#include "app/startup.h"
#include "comms/qt_serial_line.h"
#include "core/app_state.h"
#include "core/clock.h"
#include "core/program_folder.h"
#include "ui/qt_interaction.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>

namespace {
// The first line of the title file, or the program's name when there is none.
QString mainWindowTitle(const vanta::core::AppState &app)
{
    QFile file(app.programFile(app.ProductMode ? QStringLiteral("Apptitle-1.txt")
                                               : QStringLiteral("Apptitle.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("VantaLnk3");
    return QString::fromLatin1(file.readLine()).trimmed();
}
} // namespace

int main(int argc, char **argv)
{
    using namespace vanta;
    QApplication application(argc, argv); // takes Qt's own options out of argv
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
    QMainWindow window;

    app::StartupEnvironment environment{
        link,
        name,
        app::commandLineText(arguments),
        [&lock] { return !lock.tryAcquire(); },
        [&] {
            window.setWindowTitle(mainWindowTitle(state));
            window.resize(640, 480);
            window.show();
        },
        {},
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
