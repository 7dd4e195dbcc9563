// Protocol letters at the edges and the address prefix of every result text.
#include "comms/target.h"

#include <gtest/gtest.h>

using namespace vanta::comms;

namespace {

TEST(Target, ProtocolLettersConvertBothWaysAndRefuseAnythingElse)
{
    const struct
    {
        const char *code;
        std::optional<Protocol> protocol;
    } cases[] = {
        {"L", Protocol::VantaLink}, {"R", Protocol::ModbusRtu}, {"A", Protocol::ModbusAscii},
        {"l", std::nullopt},        {"", std::nullopt},         {"RA", std::nullopt},
        {" R", std::nullopt},       {"X", std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(protocolFromCode(QLatin1String(c.code)), c.protocol);
        if (c.protocol) {
            EXPECT_EQ(protocolCode(*c.protocol), QLatin1String(c.code));
        }
    }
}

TEST(Target, AddressPrefixShowsTheGroupsFormAndKeepsEveryDigitOutOfRange)
{
    const struct
    {
        int group;
        int address;
        const char *prefix;
    } cases[] = {
        {0, 1, "Address 01"},    {0, 255, "Address FF"}, {0, 256, "Address 100"},
        {0, 0, "Address 00"},    {1, 5, "Address 005"},  {2, 255, "Address 255"},
        {1, 256, "Address 256"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.prefix);
        EXPECT_EQ(addressPrefix(Target{c.group, Protocol::ModbusRtu, c.address}),
                  QLatin1String(c.prefix));
    }
}

} // namespace
