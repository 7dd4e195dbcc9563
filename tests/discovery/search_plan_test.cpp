// The instrument search's plan: nesting order, counting down, and the skips of baud rates and
// protocols a group does not have.
#include "discovery/search_plan.h"

#include <gtest/gtest.h>

namespace vanta::discovery {
namespace {

// "address settings protocol-letter", one probe.
QString described(const Probe &probe)
{
    return QString::number(probe.address) + QLatin1Char(' ') + probe.settingsText() +
           QLatin1Char(' ') + comms::protocolCode(probe.protocol);
}

SearchChoices choices(int group, int protocol, int start, int end, const char *baud,
                      const char *parity, const char *data, const char *stop)
{
    return {group,
            protocol,
            start,
            end,
            QString::fromLatin1(baud),
            QString::fromLatin1(parity),
            QString::fromLatin1(data),
            QString::fromLatin1(stop)};
}

constexpr int Unknown = UnknownProtocolChoice;

struct PlanCase
{
    const char *name;
    SearchChoices choices;
    size_t count;
    QStringList head; // the first probes in order
};

TEST(SearchPlan, NestsCountsDownAndSkipsWhatTheGroupLacks)
{
    const PlanCase cases[] = {
        {"counting down from 10 to 5",
         choices(1, 1, 10, 5, "9600", "Even", "7", "1"),
         6,
         {"10 9600,E,7,1 R", "9 9600,E,7,1 R", "8 9600,E,7,1 R"}},
        {"protocol innermost, then parity, data length, address",
         choices(1, Unknown, 1, 2, "9600", "UNKNOWN", "UNKNOWN", "1"),
         2 * 2 * 3 * 2,
         {"1 9600,E,7,1 R", "1 9600,E,7,1 A", "1 9600,N,7,1 R", "1 9600,N,7,1 A", "1 9600,O,7,1 R",
          "1 9600,O,7,1 A", "1 9600,E,8,1 R"}},
        {"baud rate outside the address, stop bits outermost",
         choices(2, Unknown, 7, 8, "UNKNOWN", "None", "8", "UNKNOWN"),
         2 * 5 * 2,
         {"7 9600,N,8,1 A", "8 9600,N,8,1 A", "7 19200,N,8,1 A", "8 19200,N,8,1 A",
          "7 38400,N,8,1 A", "8 38400,N,8,1 A", "7 4800,N,8,1 A"}},
        {"group 0: no Modbus ASCII, no 38400",
         choices(0, Unknown, 1, 1, "UNKNOWN", "None", "8", "1"),
         6 * 2,
         {"1 9600,N,8,1 L", "1 9600,N,8,1 R", "1 19200,N,8,1 L", "1 19200,N,8,1 R",
          "1 28800,N,8,1 L"}},
        {"group 1: no 28800 or 57600",
         choices(1, 1, 255, 255, "UNKNOWN", "Odd", "8", "2"),
         5,
         {"255 9600,O,8,2 R", "255 19200,O,8,2 R", "255 38400,O,8,2 R", "255 4800,O,8,2 R",
          "255 2400,O,8,2 R"}},
        {"a baud rate the group lacks gives nothing",
         choices(0, 0, 1, 5, "38400", "None", "8", "1"),
         0,
         {}},
        {"a protocol the group lacks gives nothing",
         choices(2, 0, 1, 5, "9600", "None", "8", "1"),
         0,
         {}},
        {"a choice that is no list item gives nothing",
         choices(1, 1, 1, 5, "110", "None", "8", "1"),
         0,
         {}},
        {"address 0 gives nothing", choices(1, 1, 0, 5, "9600", "None", "8", "1"), 0, {}},
        {"address 256 gives nothing", choices(1, 1, 1, 256, "9600", "None", "8", "1"), 0, {}},
    };
    for (const PlanCase &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Probe> plan = searchPlan(c.choices);
        ASSERT_EQ(plan.size(), c.count);
        QStringList head;
        for (qsizetype i = 0; i < c.head.size(); ++i)
            head << described(plan[static_cast<size_t>(i)]);
        EXPECT_EQ(head, c.head);
    }
}

TEST(SearchPlan, AllUnknownCountsEveryCombinationAndMarksOnlyTheFirstSettings)
{
    // 2 stop bits x 6 baud rates x 255 addresses x 2 data lengths x 3 parities x 2 protocols.
    const std::vector<Probe> plan =
        searchPlan(choices(0, Unknown, 1, 255, "UNKNOWN", "UNKNOWN", "UNKNOWN", "UNKNOWN"));
    ASSERT_EQ(plan.size(), 2U * 6 * 255 * 2 * 3 * 2);
    EXPECT_EQ(described(plan.back()), QStringLiteral("255 2400,O,8,2 R"));
    int marked = 0;
    for (const Probe &probe : plan) {
        if (!probe.firstSettings)
            continue;
        ++marked;
        EXPECT_EQ(probe.settingsText(), QStringLiteral("9600,E,7,1"));
    }
    EXPECT_EQ(marked, 255 * 2); // each address, with both protocols
}

} // namespace
} // namespace vanta::discovery
