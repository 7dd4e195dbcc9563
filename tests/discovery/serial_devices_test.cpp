// The port picker's device list: stable links, the choices shown and the Windows port names.
#include "discovery/serial_devices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vanta::discovery {
namespace {

SerialDevice usbAdapter()
{
    SerialDevice device;
    device.portName = QStringLiteral("ttyUSB0");
    device.systemLocation = QStringLiteral("/dev/ttyUSB0");
    device.description = QStringLiteral("FT232R USB UART");
    device.vendorId = 0x0403;
    device.productId = 0x6001;
    device.serialNumber = QStringLiteral("A9X1");
    device.stableLink = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_A9X1-if00-port0");
    return device;
}

SerialDevice builtInPort()
{
    SerialDevice device;
    device.portName = QStringLiteral("ttyS0");
    device.systemLocation = QStringLiteral("/dev/ttyS0");
    return device;
}

#ifndef Q_OS_WIN
TEST(SerialDevices, StableLinksResolveToTheirDevices)
{
    QTemporaryDir devices;
    QTemporaryDir byId;
    const QDir dir(devices.path());
    for (const char *name : {"ttyUSB0", "ttyACM0"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QDir links(byId.path());
    ASSERT_TRUE(QFile::link(dir.filePath("ttyUSB0"), links.filePath("usb-B-if00")));
    ASSERT_TRUE(QFile::link(dir.filePath("ttyUSB0"), links.filePath("usb-A-if00"))); // two names
    ASSERT_TRUE(QFile::link(links.relativeFilePath(dir.filePath("ttyACM0")),
                            links.filePath("usb-C-if00"))); // relative, as the system makes them
    ASSERT_TRUE(QFile::link(dir.filePath("gone"), links.filePath("usb-D-if00"))); // dangling

    const std::map<QString, QString> found = stableLinks(byId.path());
    const std::map<QString, QString> expected{
        {QFileInfo(dir.filePath("ttyUSB0")).canonicalFilePath(), links.filePath("usb-A-if00")},
        {QFileInfo(dir.filePath("ttyACM0")).canonicalFilePath(), links.filePath("usb-C-if00")},
    };
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(stableLinks(byId.path() + "/none").empty());

    // A device is found by its location, its link or any path that resolves to it.
    SerialDevice adapter = usbAdapter();
    adapter.systemLocation = dir.filePath("ttyUSB0");
    const std::vector<SerialDevice> list{builtInPort(), adapter};
    EXPECT_EQ(findDevice(list, links.filePath("usb-B-if00")), 1);
    EXPECT_EQ(findDevice(list, adapter.stableLink), 1);
    EXPECT_EQ(findDevice(list, "/dev/ttyS0"), 0);
    EXPECT_EQ(findDevice(list, "/dev/ttyS9"), -1);
}
#endif

TEST(SerialDevices, ChoicesStartWithTheCurrentMappingThenThePresentDevices)
{
    const std::vector<SerialDevice> list{builtInPort(), usbAdapter()};
    const QString adapterLabel =
        QStringLiteral("ttyUSB0  FT232R USB UART  0403:6001  SN A9X1  "
                       "(/dev/serial/by-id/usb-FTDI_FT232R_A9X1-if00-port0)");

    std::vector<DeviceChoice> choices = deviceChoices(list, QStringLiteral("/dev/vanta-gone"));
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[0].label, "/dev/vanta-gone  (not present)");
    EXPECT_EQ(choices[0].path, "/dev/vanta-gone");
    EXPECT_EQ(choices[1].label, "ttyS0  (/dev/ttyS0)");
    EXPECT_EQ(choices[2].label, adapterLabel);
    EXPECT_EQ(choices[2].path, usbAdapter().stableLink); // kept by its stable name

    // A line that exists but is no listed device (the simulator's) is shown as it is.
    const QTemporaryDir folder;
    const QString simulatorLine = QDir(folder.path()).filePath("vantasim.tty");
    QFile(simulatorLine).open(QIODevice::WriteOnly);
    EXPECT_EQ(deviceChoices(list, simulatorLine)[0].label, simulatorLine);

    choices = deviceChoices(list, QStringLiteral("/dev/ttyUSB0")); // mapped the old way
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].label, adapterLabel);
    EXPECT_EQ(choices[0].path, "/dev/ttyUSB0");
    EXPECT_EQ(choices[1].path, "/dev/ttyS0");
}

TEST(SerialDevices, WindowsPortNamesGiveTheirNumbers)
{
    EXPECT_EQ(comPortNumber(QStringLiteral("COM3")), 3);
    EXPECT_EQ(comPortNumber(QStringLiteral("com12")), 12);
    for (const char *name : {"COM0", "COM", "COM+3", "ttyUSB0", "COM3x"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(comPortNumber(QString::fromLatin1(name)), std::nullopt);
    }
}

} // namespace
} // namespace vanta::discovery
