// The program-folder rule.
#include "core/program_folder.h"

#include <QCoreApplication>
#include <QDir>

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

} // namespace vanta::core
