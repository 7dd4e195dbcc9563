// Address texts, hexadecimal texts, protocol codes and path splitting.
#include "core/address.h"
#include "core/comm_ports.h"
#include "core/file_path.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vanta::core;

TEST(Address, FormatsByGroup)
{
    EXPECT_EQ(FormatAddress(1, 5), "005");
    EXPECT_EQ(FormatAddress(2, 255), "255");
    EXPECT_EQ(FormatAddress(0, 5), "05");
    EXPECT_EQ(FormatAddress(0, 255), "FF");
    EXPECT_EQ(FormatAddress(0, 10), "0A");
}

TEST(Address, ParsesByGroupAndGivesZeroForNonNumbers)
{
    const struct
    {
        int group;
        const char *text;
        int address;
    } cases[] = {
        {0, " 1F ", 31}, {0, "ff", 255}, {0, "32", 50}, {2, "031", 31}, {1, " 5 ", 5},
        {1, "1F", 0},    {0, "", 0},     {1, "abc", 0}, {0, "1 F", 0},  {1, "300", 300},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseAddress(c.group, QString::fromLatin1(c.text)), c.address);
    }
    EXPECT_FALSE(isValidAddress(0));
    EXPECT_FALSE(isValidAddress(256));
    EXPECT_TRUE(isValidAddress(1) && isValidAddress(255));
}

TEST(Address, ListsHoldAll255AddressesInTheGroupsForm)
{
    const QStringList hex = addressListEntries(true);
    const QStringList decimal = addressListEntries(false);
    ASSERT_EQ(hex.size(), 255);
    ASSERT_EQ(decimal.size(), 255);
    EXPECT_EQ(hex.front(), "01");
    EXPECT_EQ(hex.back(), "FF");
    EXPECT_EQ(decimal.front(), "001");
    EXPECT_EQ(decimal.back(), "255");
    EXPECT_EQ(ParseAddress(0, defaultAddressText(true)), 50);
    EXPECT_EQ(defaultAddressText(false), "001");
}

TEST(Address, HexTexts)
{
    EXPECT_EQ(Hex2(10), "0A");
    EXPECT_EQ(Hex2(255), "FF");
    EXPECT_EQ(Hex2(256), "00");
    EXPECT_EQ(Hex2(-1), "FF");
    EXPECT_EQ(Hex4(-1), "FFFF");
    EXPECT_EQ(Hex4(10), "000A");
    EXPECT_EQ(Hex4(-32768), "8000");
    EXPECT_EQ(Hex4(65535), "FFFF");
    EXPECT_EQ(Hex4(65536), "0000");
    EXPECT_EQ(Hex4(9.6), "000A");
}

TEST(Address, UnknownProtocolsCountAsModbusRtu)
{
    EXPECT_EQ(ProtocolCodeFromIndex(7), "R");
    EXPECT_EQ(ProtocolIndexFromCode("x"), 1);
    EXPECT_EQ(ProtocolIndexFromCode(ProtocolCodeFromIndex(2)), 2);
}

TEST(FilePath, SplitsFolderAndName)
{
    const QString program = QStringLiteral("/opt/vanta");
    const struct
    {
        const char *path;
        QString folder;
        const char *name;
    } cases[] = {
        {"C:\\Logs\\a.csv", "C:\\Logs\\", "a.csv"},
        {"a.csv", program, "a.csv"},
        {"C:a.csv", "C:", "a.csv"},
        {"C:\\Logs\\", "C:\\Logs\\", ""},
        {"\\a.csv", program, "a.csv"},
        {"/home/op/logs/a.csv", "/home/op/logs/", "a.csv"},
        {"/a.csv", "/", "a.csv"},
        {"", program, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FilePath(program, QString::fromLatin1(c.path)), c.folder);
        EXPECT_EQ(NameOfFile(QString::fromLatin1(c.path)), c.name);
    }
    EXPECT_EQ(FilePath("/opt/vanta/", "a.csv"), "/opt/vanta");
}

#ifndef Q_OS_WIN
TEST(CommPorts, MapsNumbersThroughTheOptionalFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(devicePathForPort(dir.path(), 1), "/dev/ttyS0");
    EXPECT_EQ(devicePathForPort(dir.path(), 0), "");

    QFile file(dir.filePath("CommPorts.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // The header lines may look like records: they are never read as such.
    file.write("1,/dev/header\r\n\r\n\r\n\r\n\r\n3, /dev/ttyUSB0 \r\n4,\"/dev/pts/7\"\r\n"
               "x,/dev/bad\r\n3,/dev/second\r\n");
    file.close();
    EXPECT_EQ(devicePathForPort(dir.path(), 3), "/dev/ttyUSB0");
    EXPECT_EQ(devicePathForPort(dir.path(), 4), "/dev/pts/7");
    EXPECT_EQ(devicePathForPort(dir.path(), 1), "/dev/ttyS0");
    EXPECT_EQ(devicePathForPort(dir.path(), 12), "/dev/ttyS11");
}
#endif
