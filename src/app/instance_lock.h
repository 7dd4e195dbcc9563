// Detecting a second running copy of the program: a lock file per user and program name, held
// for the whole run. A copy that crashed leaves a stale lock that the next start takes over.
#pragma once

#include <QLockFile>
#include <QString>

namespace vanta::app {

class InstanceLock
{
public:
    explicit InstanceLock(const QString &lockPath);

    // "<temporary folder>/<programName>-<user>.lock".
    static QString defaultPath(const QString &programName);

    // Takes the lock; false when another running copy holds it. A lock that cannot be created
    // at all (no writable temporary folder) does not stop the program: true.
    [[nodiscard]] bool tryAcquire();

private:
    QLockFile m_lock;
};

} // namespace vanta::app
