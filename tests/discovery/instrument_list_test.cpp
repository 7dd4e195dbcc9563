// The instrument list model of communications setup, the protocol rule and the field limits.
#include "discovery/instrument_list.h"

#include "discovery/comm_setup.h"
#include "discovery/protocol_rule.h"

#include <gtest/gtest.h>

namespace vanta::discovery {
namespace {

core::InstrumentRecord record(const char *address, qint16 group, const char *protocol,
                              const char *name, float rate)
{
    core::InstrumentRecord instrument;
    instrument.InstAddress = QString::fromLatin1(address);
    instrument.InstGroup = group;
    instrument.InstProtocol = QString::fromLatin1(protocol);
    instrument.InstName = QString::fromLatin1(name);
    instrument.LogDurationUnit = 0;
    instrument.LogDuration = 8;
    instrument.LogRateUnit = 0;
    instrument.LogRate = rate;
    instrument.LogState = core::LogStates::Started;
    instrument.LogFile = QStringLiteral("/tmp/a.csv");
    return instrument;
}

InstrumentList twoInstruments()
{
    return InstrumentList(
        {record("0A", 0, "R", "Quench Tank", 0.5F), record("001", 1, "R", "Extruder", 2.5F)});
}

TEST(InstrumentList, KeepsStoredValuesAndLeavesWorkingStateBehind)
{
    const InstrumentList list = twoInstruments();
    ASSERT_EQ(list.count(), 2);
    const core::InstrumentRecord &first = list.records()[0];
    EXPECT_EQ(first.LogRate, 0.5F);
    EXPECT_EQ(first.LogDuration, 8);
    EXPECT_EQ(first.LogDurationUnit, 0);
    EXPECT_EQ(first.LogRateUnit, 0);
    EXPECT_EQ(first.LogState, core::LogStates::Never);
    EXPECT_TRUE(first.LogFile.isEmpty());
    EXPECT_EQ(list.records()[1].LogRate, 2.5F);
    EXPECT_EQ(list.at(2), nullptr);
    EXPECT_EQ(list.at(-1), nullptr);
}

TEST(InstrumentList, UpdateAddsOrReplacesInPlaceWithLoggingDefaults)
{
    InstrumentList list = twoInstruments();
    // Group 1 "10" is address 010, a new one; group 0 "a" is the listed 0A.
    ASSERT_EQ(list.update({1, QStringLiteral("10"), QStringLiteral("A"), QStringLiteral("Dryer")}),
              EntryFault::None);
    ASSERT_EQ(list.update({0, QStringLiteral(" a "), QStringLiteral("L"),
                           QStringLiteral("  Quench Tank with a long name")}),
              EntryFault::None);
    ASSERT_EQ(list.count(), 3);
    const core::InstrumentRecord &replaced = list.records()[0];
    EXPECT_EQ(replaced.InstAddress, "0A");
    EXPECT_EQ(replaced.InstProtocol, "L");
    EXPECT_EQ(replaced.InstName, "Quench Tank with a"); // cut to 21, then trimmed
    EXPECT_EQ(replaced.LogRate, 1.0F);
    EXPECT_EQ(replaced.LogDuration, 1);
    EXPECT_EQ(replaced.LogDurationUnit, 1);
    EXPECT_EQ(replaced.LogRateUnit, 1);
    EXPECT_EQ(list.records()[1].LogRate, 2.5F); // not updated: untouched
    EXPECT_EQ(list.records()[2].InstAddress, "010");
    EXPECT_EQ(list.indexOfAddress(2, QStringLiteral("10")), 2); // decimal in groups 1 and 2

    list.remove(5);
    EXPECT_EQ(list.count(), 3);
    list.remove(0);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.records()[0].InstName, "Extruder");
    EXPECT_EQ(list.indexOfAddress(0, QStringLiteral("0A")), -1);
}

TEST(InstrumentList, RefusesAddressesOutsideTheLineAndNamesThatSplitRecords)
{
    struct Case
    {
        int group;
        const char *address;
        const char *name;
        EntryFault fault;
    };
    const Case cases[] = {
        {0, "00", "Oven", EntryFault::Address},     {0, "100", "Oven", EntryFault::Address},
        {1, "0", "Oven", EntryFault::Address},      {1, "256", "Oven", EntryFault::Address},
        {2, "abc", "Oven", EntryFault::Address},    {1, "", "Oven", EntryFault::Address},
        {1, "5", "Oven, left", EntryFault::Name},   {1, "5", "Oven \"A\"", EntryFault::Name},
        {0, "ff", "Oven (left)", EntryFault::None}, {2, "255", "", EntryFault::None},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.address + std::string(" ") + c.name);
        InstrumentList list = twoInstruments();
        const EntryFault fault = list.update({c.group, QString::fromLatin1(c.address),
                                              QStringLiteral("R"), QString::fromLatin1(c.name)});
        EXPECT_EQ(fault, c.fault);
        EXPECT_EQ(list.count(), c.fault == EntryFault::None ? 3 : 2);
    }
    EXPECT_EQ(entryFaultText(EntryFault::Address, 0),
              "The address must be 01 to FF (hexadecimal).");
    EXPECT_EQ(entryFaultText(EntryFault::Address, 1), "The address must be 001 to 255.");
}

TEST(InstrumentList, DisplayLinesHaveFixedColumnsAndRoundRatesForShowOnly)
{
    InstrumentList list = twoInstruments();
    ASSERT_EQ(list.update({2, QStringLiteral("7"), QStringLiteral("A"), QStringLiteral("Dryer")}),
              EntryFault::None);
    const QString lines[] = {
        QStringLiteral("0A    R0 Quench Tank           00008 00001 0 0"),
        QStringLiteral("001   R1 Extruder              00008 00003 0 0"),
        QStringLiteral("007   A2 Dryer                 00001 00001 1 1"),
    };
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(list.displayLine(index), lines[index]);
        EXPECT_EQ(list.displayLine(index).size(), 46);
    }
    EXPECT_TRUE(list.displayLine(3).isEmpty());
}

TEST(ProtocolRule, EachGroupOffersItsProtocolsAndMovesOthers)
{
    struct Case
    {
        int group;
        std::array<bool, 3> enabled;
        std::array<int, 4> corrected; // of the choices -1 (none), 0, 1, 2
    };
    const Case cases[] = {
        {0, {true, true, false}, {1, 0, 1, 1}},
        {1, {false, true, true}, {1, 1, 1, 2}},
        {2, {false, false, true}, {2, 2, 2, 2}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.group);
        EXPECT_EQ(enabledProtocols(c.group), c.enabled);
        for (int choice = -1; choice < 3; ++choice)
            EXPECT_EQ(correctedProtocol(c.group, choice), c.corrected[choice + 1]) << choice;
    }
    // The list keeps the rule too.
    InstrumentList list;
    ASSERT_EQ(list.update({2, QStringLiteral("3"), QStringLiteral("L"), QStringLiteral("Dryer")}),
              EntryFault::None);
    EXPECT_EQ(list.records()[0].InstProtocol, "A");
}

TEST(CommSetupFields, AreLimitedOnLeaving)
{
    struct Case
    {
        const char *text;
        int port;
        int timeout;
    };
    const Case cases[] = {
        {"0", 1, 1},  {"25", 16, 25}, {"99999", 16, 32767}, {"0.5", 1, 1},        {"3.6", 4, 3},
        {"-4", 1, 1}, {"abc", 1, 1},  {"1e30", 16, 32767},  {" 250 ms", 16, 250}, {"8", 8, 8},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(limitedCommPort(QString::fromLatin1(c.text)), c.port);
        EXPECT_EQ(limitedPollTimeout(QString::fromLatin1(c.text)), c.timeout);
    }
    EXPECT_EQ(limitedName(QString(30, QLatin1Char('x'))), QString(21, QLatin1Char('x')));
}

} // namespace
} // namespace vanta::discovery
