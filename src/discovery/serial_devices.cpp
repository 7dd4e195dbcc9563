// Listing the serial devices through QSerialPortInfo.
#include "discovery/serial_devices.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>

namespace vanta::discovery {

namespace {

const char *const StableLinkFolder = "/dev/serial/by-id";

QString hex4(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

// The file a path finally names; the path itself when it names nothing that exists.
QString resolved(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

// Nothing for a file that exists but is no listed serial device (a pseudo-terminal, the
// simulator's line); "(not present)" for a path that names nothing.
QString presence(const QString &path)
{
    return QFileInfo::exists(path) ? QString() : QStringLiteral("  (not present)");
}

SerialDevice fromInfo(const QSerialPortInfo &info, const std::map<QString, QString> &links)
{
    SerialDevice device;
    device.portName = info.portName();
    device.systemLocation = info.systemLocation();
    device.description = info.description();
    if (info.hasVendorIdentifier())
        device.vendorId = info.vendorIdentifier();
    if (info.hasProductIdentifier())
        device.productId = info.productIdentifier();
    device.serialNumber = info.serialNumber();
    const auto link = links.find(resolved(device.systemLocation));
    if (link != links.end())
        device.stableLink = link->second;
    return device;
}

class SystemSerialDevices final : public SerialDeviceSource
{
public:
    std::vector<SerialDevice> devices() const override
    {
        const std::map<QString, QString> links = stableLinks(QString::fromLatin1(StableLinkFolder));
        std::vector<SerialDevice> found;
        for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
            found.push_back(fromInfo(info, links));
        return found;
    }
};

} // namespace

QString SerialDevice::mappedPath() const
{
    return stableLink.isEmpty() ? systemLocation : stableLink;
}

std::shared_ptr<const SerialDeviceSource> systemSerialDevices()
{
    return std::make_shared<SystemSerialDevices>();
}

std::map<QString, QString> stableLinks(const QString &folder)
{
    std::map<QString, QString> links;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QString target = entry.canonicalFilePath();
        if (!target.isEmpty())
            links.emplace(target, entry.absoluteFilePath()); // the first name stays
    }
    return links;
}

QString deviceLabel(const SerialDevice &device)
{
    QStringList parts{device.portName};
    if (!device.description.isEmpty())
        parts << device.description;
    if (device.vendorId && device.productId)
        parts << hex4(*device.vendorId) + QLatin1Char(':') + hex4(*device.productId);
    if (!device.serialNumber.isEmpty())
        parts << QStringLiteral("SN ") + device.serialNumber;
    parts << QLatin1Char('(') + device.mappedPath() + QLatin1Char(')');
    return parts.join(QStringLiteral("  "));
}

int findDevice(const std::vector<SerialDevice> &devices, const QString &path)
{
    const QString wanted = resolved(path);
    for (int index = 0; index < static_cast<int>(devices.size()); ++index) {
        const SerialDevice &device = devices[static_cast<size_t>(index)];
        if (path == device.systemLocation || path == device.stableLink ||
            wanted == resolved(device.systemLocation))
            return index;
    }
    return -1;
}

std::vector<DeviceChoice> deviceChoices(const std::vector<SerialDevice> &devices,
                                        const QString &mappedPath)
{
    const int mapped = findDevice(devices, mappedPath);
    std::vector<DeviceChoice> choices;
    choices.push_back({mapped >= 0 ? deviceLabel(devices[static_cast<size_t>(mapped)])
                                   : mappedPath + presence(mappedPath),
                       mappedPath});
    for (int index = 0; index < static_cast<int>(devices.size()); ++index) {
        if (index == mapped)
            continue;
        const SerialDevice &device = devices[static_cast<size_t>(index)];
        choices.push_back({deviceLabel(device), device.mappedPath()});
    }
    return choices;
}

std::optional<int> comPortNumber(const QString &portName)
{
    if (!portName.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
        return std::nullopt;
    bool ok = false;
    const int number = portName.mid(3).toInt(&ok);
    if (!ok || number < 1 || portName.mid(3).startsWith(QLatin1Char('+')))
        return std::nullopt;
    return number;
}

} // namespace vanta::discovery
