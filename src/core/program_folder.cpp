// The program-folder rule and the log folder.
#include "core/program_folder.h"

#include "core/app_state.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vanta::core {

QString programFolder()
{
    const QString home = qEnvironmentVariable("VANTA_HOME");
    if (!home.isEmpty())
        return QDir(home).absolutePath();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString LogFolder(const AppState &app)
{
    const QDir program(app.programFolder());
    const QString configured = app.Config.DefaultFolder.trimmed();
    if (!configured.isEmpty()) {
        const QFileInfo folder(program.filePath(configured));
        if (folder.isDir())
            return folder.absoluteFilePath();
    }
    const QString fallback = program.filePath(QStringLiteral("Logs"));
    // A folder that cannot be made is still the place to propose: the dialog says the rest.
    (void)QDir().mkpath(fallback);
    return fallback;
}

} // namespace vanta::core
