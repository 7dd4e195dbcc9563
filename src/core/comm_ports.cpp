// The port-number mapping of CommPorts.txt.
#include "core/comm_ports.h"

#include "core/app_error.h"
#include "core/regular_file.h"
#include "core/safe_file.h"

#include <QDir>
#include <QStringList>
#include <optional>

namespace vanta::core {

namespace {
constexpr int HeaderLines = 5;
constexpr int InvalidProcedureCall = 5;

QString mapFilePath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("CommPorts.txt"));
}

QString unquoted(const QString &text)
{
    QString result = text.trimmed();
    result.remove(QLatin1Char('"'));
    return result.trimmed();
}

// The mapping file is a few lines; anything larger is no mapping file.
constexpr qint64 MaxMappingFileBytes = 1024 * 1024;

// The lines of the file without their line ends; empty when there is none, or something else
// than a regular file of sane size stands in its place (the file is optional, so that counts
// as no mapping).
QStringList mapFileLines(const QString &programFolder)
{
    QByteArray content;
    try {
        content = readRegularFile(mapFilePath(programFolder), MaxMappingFileBytes);
    } catch (const AppError &) {
        return {};
    }
    QStringList lines = QString::fromLatin1(content).split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast(); // the end of the last line
    return lines;
}

struct PortRecord
{
    int port = 0;
    QString device;
};

// A record line "n,device"; empty for anything else.
std::optional<PortRecord> parseRecord(const QString &line)
{
    const int comma = line.indexOf(QLatin1Char(','));
    if (comma < 0)
        return std::nullopt;
    bool ok = false;
    const int number = unquoted(line.left(comma)).toInt(&ok);
    const QString device = unquoted(line.mid(comma + 1));
    if (!ok || device.isEmpty())
        return std::nullopt;
    return PortRecord{number, device};
}

// The device mapped to `port` in the file, empty when the file or the record is missing.
QString mappedDevice(const QString &programFolder, int port)
{
    const QStringList lines = mapFileLines(programFolder);
    for (int i = HeaderLines; i < lines.size(); ++i) {
        const std::optional<PortRecord> record = parseRecord(lines[i]);
        if (record && record->port == port)
            return record->device;
    }
    return {};
}

bool isStorableDevice(const QString &device)
{
    return !device.trimmed().isEmpty() && !device.contains(QLatin1Char('"')) &&
           !device.contains(QLatin1Char('\n')) && !device.contains(QLatin1Char('\r'));
}

QStringList newHeader()
{
    return {QStringLiteral("Serial port map: port number (COM n), device"),
            QStringLiteral("One record a line after these five, e.g. 3,/dev/ttyUSB0"),
            QStringLiteral("A port without a record opens /dev/ttyS(n-1)"), QString(), QString()};
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

bool portsMappedByFile()
{
#ifdef Q_OS_WIN
    return false;
#else
    return true;
#endif
}

void writeDeviceForPort(const QString &programFolder, int port, const QString &device)
{
    if (port < 1 || !isStorableDevice(device))
        throw AppError{InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument")};
    QStringList lines = mapFileLines(programFolder);
    if (lines.isEmpty())
        lines = newHeader();
    while (lines.size() < HeaderLines)
        lines.append(QString());
    const QString record = QString::number(port) + QLatin1Char(',') + device.trimmed();
    bool placed = false;
    QStringList written = lines.mid(0, HeaderLines);
    for (int i = HeaderLines; i < lines.size(); ++i) {
        const std::optional<PortRecord> old = parseRecord(lines[i]);
        if (!old || old->port != port) {
            written.append(lines[i]);
        } else if (!placed) {
            written.append(record);
            placed = true;
        }
    }
    if (!placed)
        written.append(record);
    writeFileReplacing(mapFilePath(programFolder), latin1Lines(written));
}

} // namespace vanta::core
