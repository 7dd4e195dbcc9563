// The port-number mapping of CommPorts.txt.
#include "core/comm_ports.h"

#include "core/app_error.h"
#include "core/regular_file.h"

#include <QDir>

namespace vanta::core {

namespace {
constexpr int HeaderLines = 5;

QString unquoted(const QString &text)
{
    QString result = text.trimmed();
    result.remove(QLatin1Char('"'));
    return result.trimmed();
}

// The mapping file is a few lines; anything larger is no mapping file.
constexpr qint64 MaxMappingFileBytes = 1024 * 1024;

// The file's text; empty when there is none, or something else than a regular file of sane
// size stands in its place (the file is optional, so that counts as no mapping).
QString mappingText(const QString &programFolder)
{
    try {
        return QString::fromLatin1(readRegularFile(
            QDir(programFolder).filePath(QStringLiteral("CommPorts.txt")), MaxMappingFileBytes));
    } catch (const AppError &) {
        return {};
    }
}

// The device mapped to `port` in the file, empty when the file or the record is missing.
QString mappedDevice(const QString &programFolder, int port)
{
    const QStringList lines = mappingText(programFolder).split(QLatin1Char('\n'));
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
