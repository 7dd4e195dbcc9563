// Writing the port map CommPorts.txt: one record per port number, everything else kept.
#include "core/comm_ports.h"

#include "core/app_error.h"
#include "support/temp_program_folder.h"

#include <QFile>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN // Windows names its ports by number and has no map
namespace vanta::core {
namespace {

QByteArray contents(const test::TempProgramFolder &folder)
{
    QFile file(folder.filePath(QStringLiteral("CommPorts.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(CommPortsWriter, ReplacesTheRecordOfOneNumberKeepingTheRest)
{
    test::TempProgramFolder folder;
    // LF line ends, a blank header line and a junk record, as a hand-edited file may have.
    folder.writeRaw(QStringLiteral("CommPorts.txt"),
                    "My ports\n\nby hand\nheader 4\nheader 5\n1,/dev/ttyUSB1\n3,/dev/old\n"
                    "x,junk\n3,/dev/older\n");
    writeDeviceForPort(folder.path(), 3, QStringLiteral("/dev/serial/by-id/usb-A_B-if00"));
    EXPECT_EQ(contents(folder),
              "My ports\r\n\r\nby hand\r\nheader 4\r\nheader 5\r\n1,/dev/ttyUSB1\r\n"
              "3,/dev/serial/by-id/usb-A_B-if00\r\nx,junk\r\n");
    writeDeviceForPort(folder.path(), 2, QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(devicePathForPort(folder.path(), 2), "/dev/ttyACM0");
    EXPECT_EQ(devicePathForPort(folder.path(), 3), "/dev/serial/by-id/usb-A_B-if00");
    EXPECT_EQ(devicePathForPort(folder.path(), 1), "/dev/ttyUSB1");
}

TEST(CommPortsWriter, MakesAMissingFileAndRefusesWhatCannotBeStored)
{
    test::TempProgramFolder folder;
    writeDeviceForPort(folder.path(), 4, QStringLiteral("/dev/ttyUSB0"));
    const QList<QByteArray> lines = contents(folder).split('\n');
    ASSERT_EQ(lines.size(), 7); // five header lines, the record, the end
    EXPECT_EQ(lines[5], "4,/dev/ttyUSB0\r");
    EXPECT_EQ(devicePathForPort(folder.path(), 4), "/dev/ttyUSB0");

    const QByteArray before = contents(folder);
    for (const auto &[port, device] : {std::pair{0, "/dev/ttyUSB0"}, std::pair{4, ""},
                                       std::pair{4, "/dev/a\"b"}, std::pair{4, "/dev/a\nb"}}) {
        SCOPED_TRACE(device);
        EXPECT_THROW(writeDeviceForPort(folder.path(), port, QString::fromLatin1(device)),
                     AppError);
        EXPECT_EQ(contents(folder), before);
    }
}

} // namespace
} // namespace vanta::core
#endif
