// Pseudo-terminal set-up, link management and non-blocking byte transfer.
#include "pty.h"

#include "terminal_settings.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vanta::sim {

namespace {

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

} // namespace

std::unique_ptr<PseudoTerminal> PseudoTerminal::open(QString &error)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        error = systemError("posix_openpt");
        return nullptr;
    }
    char name[128] = {};
    if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name, sizeof name)) {
        error = systemError("pseudo-terminal set-up");
        ::close(master);
        return nullptr;
    }
    const int slave = ::open(name, O_RDWR | O_NOCTTY);
    if (slave < 0) {
        error = systemError("opening the pseudo-terminal device");
        ::close(master);
        return nullptr;
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    std::unique_ptr<PseudoTerminal> pty(
        new PseudoTerminal(master, slave, QString::fromLocal8Bit(name)));
    pty->m_framingKnown = terminalKeepsFraming(slave);
    return pty;
}

PseudoTerminal::PseudoTerminal(int master, int slave, QString devicePath)
    : m_master(master), m_slave(slave), m_devicePath(std::move(devicePath))
{}

PseudoTerminal::~PseudoTerminal()
{
    removeLink();
    ::close(m_slave);
    ::close(m_master);
}

bool PseudoTerminal::linkTo(const QString &path, QString &error)
{
    const QFileInfo existing(path);
    if (existing.isSymLink()) {
        QFile::remove(path);
    } else if (existing.exists()) {
        error = QStringLiteral("%1 exists and is not a symbolic link").arg(path);
        return false;
    }
    if (symlink(m_devicePath.toLocal8Bit().constData(), path.toLocal8Bit().constData()) != 0) {
        error = systemError("creating the link");
        return false;
    }
    m_linkPath = path;
    return true;
}

void PseudoTerminal::removeLink()
{
    if (m_linkPath.isEmpty())
        return;
    // Only our own link goes: another simulator may have taken the name over since.
    if (QFileInfo(m_linkPath).symLinkTarget() == m_devicePath)
        QFile::remove(m_linkPath);
    m_linkPath.clear();
}

ObservedLine PseudoTerminal::observedLine() const
{
    ObservedLine line;
    line.settings = readTerminalSettings(m_slave).value_or(LineSettings{});
    line.framingKnown = m_framingKnown;
    return line;
}

QByteArray PseudoTerminal::readAvailable()
{
    QByteArray bytes;
    char buffer[4096];
    while (bytes.size() < MaxReadBytes) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<int>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return bytes;
    }
    return bytes;
}

void PseudoTerminal::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, bytes.size() - done);
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return;
    }
}

} // namespace vanta::sim
