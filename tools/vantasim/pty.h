// The simulated line: a pseudo-terminal whose device the application opens as its serial port,
// optionally reached through a symbolic link.
#pragma once

#include "line_settings.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace vanta::sim {

class PseudoTerminal
{
public:
    // Opens a new pseudo-terminal, raw at 9600,N,8,1. Empty (with `error` set) on failure.
    static std::unique_ptr<PseudoTerminal> open(QString &error);
    ~PseudoTerminal(); // closes both sides and removes the link it made

    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    QString devicePath() const { return m_devicePath; }
    // Makes `path` a symbolic link to the device. A symbolic link already there (left by an
    // earlier run) is replaced; any other file is refused. False with `error` set on failure.
    bool linkTo(const QString &path, QString &error);
    QString linkPath() const { return m_linkPath; }

    // The descriptor to wait on for requests.
    int masterFd() const { return m_master; }
    // The settings the application set on its side, and whether data bits and parity are real.
    ObservedLine observedLine() const;
    // Takes what the application has sent, at most MaxReadBytes at once so that a flood is
    // framed as it comes; empty when nothing waits.
    static constexpr qsizetype MaxReadBytes = 64 * 1024;
    QByteArray readAvailable();
    // Sends to the application; bytes the kernel cannot take at once are dropped, as on a line
    // nobody listens to.
    void write(const QByteArray &bytes);

private:
    PseudoTerminal(int master, int slave, QString devicePath);
    void removeLink();

    int m_master = -1;
    // Kept open so the master never sees a hang-up while the application has the port closed
    // (a hang-up would make every wait return at once).
    int m_slave = -1;
    QString m_devicePath;
    QString m_linkPath;
    bool m_framingKnown = false;
};

} // namespace vanta::sim
