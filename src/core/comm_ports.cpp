// The port-number mapping of CommPorts.txt.
#include "core/comm_ports.h"

#include <QDir>
#include <QFile>

namespace vanta::core {

namespace {
constexpr int HeaderLines = 5;

QString unquoted(const QString &text)
{
    QString result = text.trimmed();
    result.remove(QLatin1Char('"'));
    return result.trimmed();
}

// The device mapped to `port` in the file, empty when the file or the record is missing.
QString mappedDevice(const QString &programFolder, int port)
{
    QFile file(QDir(programFolder).filePath(QStringLiteral("CommPorts.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'));
    for (int i = HeaderLines; i < lines.size(); ++i) {
        const int comma = lines[i].indexOf(QLatin1Char(','));
        if (comma < 0)
            continue;
        bool ok = false;
        const int number = unquoted(lines[i].left(comma)).toInt(&ok);
        const QString device = unquoted(lines[i].mid(comma + 1));
        if (ok && number == port && !device.isEmpty())
            return device;
    }
    return {};
}
} // namespace

QString devicePathForPort(const QString &programFolder, int port)
{
    if (port < 1)
        return {};
#ifdef Q_OS_WIN
    Q_UNUSED(programFolder);
    return QStringLiteral("COM") + QString::number(port);
#else
    const QString device = mappedDevice(programFolder, port);
    if (!device.isEmpty())
        return device;
    return QStringLiteral("/dev/ttyS") + QString::number(port - 1);
#endif
}

} // namespace vanta::core
