// The per-user lock file of a running copy.
#include "app/instance_lock.h"

#include <QDir>
#include <QRegularExpression>

namespace vanta::app {

InstanceLock::InstanceLock(const QString &lockPath) : m_lock(lockPath)
{
    m_lock.setStaleLockTime(0); // only a dead owner makes a lock stale, never its age
}

QString InstanceLock::defaultPath(const QString &programName)
{
    QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    user.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    if (user.isEmpty())
        user = QStringLiteral("user");
    return QDir(QDir::tempPath())
        .filePath(programName + QLatin1Char('-') + user + QStringLiteral(".lock"));
}

bool InstanceLock::tryAcquire()
{
    if (m_lock.tryLock(0))
        return true;
    return m_lock.error() != QLockFile::LockFailedError;
}

} // namespace vanta::app
