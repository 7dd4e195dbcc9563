// The serial devices present on this computer, for the port picker of communications setup.
// Behind an interface so that tests list devices of their own.
#pragma once

#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace vanta::discovery {

struct SerialDevice
{
    QString portName;                // "ttyUSB0", "COM3"
    QString systemLocation;          // "/dev/ttyUSB0"
    QString description;             // "FT232R USB UART"
    std::optional<quint16> vendorId; // USB devices only
    std::optional<quint16> productId;
    QString serialNumber;
    QString stableLink; // "/dev/serial/by-id/usb-FTDI_..." when one leads to the device

    // The path to keep in the port map: the stable link when there is one (it survives
    // replugging into another socket), else the system location.
    QString mappedPath() const;
};

class SerialDeviceSource
{
public:
    virtual ~SerialDeviceSource() = default;
    virtual std::vector<SerialDevice> devices() const = 0;
};

// The devices Qt finds, with the links of /dev/serial/by-id where the system has that folder.
std::shared_ptr<const SerialDeviceSource> systemSerialDevices();

// The links in `folder` by the resolved path of the device each leads to; of several links to one
// device the first by name. Entries that resolve to nothing are left out; no folder, no links.
std::map<QString, QString> stableLinks(const QString &folder);

// One line of the picker: port name, description, "vvvv:pppp" and "SN ..." when known, then the
// path that would be kept in brackets.
QString deviceLabel(const SerialDevice &device);

// One entry of the picker: what it shows and the path it keeps in the port map.
struct DeviceChoice
{
    QString label;
    QString path;
};

// The picker's entries for a port now mapped to `mappedPath`: first that mapping (described as
// its device when it is one of `devices`, else its path, with "  (not present)" when nothing
// exists there), then every other device of `devices`.
std::vector<DeviceChoice> deviceChoices(const std::vector<SerialDevice> &devices,
                                        const QString &mappedPath);

// The number of a Windows port name: "COM3" -> 3; empty for any other name.
std::optional<int> comPortNumber(const QString &portName);

// The index of the device that `path` names: its system location, its stable link, or a path
// that resolves to the same file; -1 when none does.
int findDevice(const std::vector<SerialDevice> &devices, const QString &path);

} // namespace vanta::discovery
