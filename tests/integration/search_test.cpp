// The instrument search against vantasim: instruments at settings the program does not know are
// found with their address, model and settings. A pseudo-terminal carries only the baud rate and
// the stop bits, so parity and data length are fixed in the search and cannot be told apart.
#include "discovery/instrument_search.h"
#include "sim_line.h"

namespace vanta::test {
namespace {

struct SearchCase
{
    const char *name;
    discovery::SearchChoices choices;
    QStringList lines;
};

TEST(SearchOnSimulator, FindsEachInstrumentAtItsOwnSettings)
{
    SimulatorProcess sim("[line]\n"
                         "[instrument a]\ngroup = 1\nprotocol = R\nmodel = XK\naddress = 2\n"
                         "settings = 19200,E,7,2\n"
                         "[instrument b]\ngroup = 1\nprotocol = A\nmodel = QT\naddress = 4\n"
                         "settings = 4800,E,7,1\n"
                         "[instrument c]\ngroup = 0\nprotocol = L\nmodel = W4\naddress = 3\n"
                         "settings = 57600,N,8,1\n");
    ASSERT_TRUE(sim.ready());
    ApplicationSide side(sim.link(), 40);
    side.app.Config.BaudRate = 9600;
    side.app.Config.Parity = QStringLiteral("None");
    side.app.Config.DataBits = 8;
    side.app.Config.StopBits = 1;
    ASSERT_TRUE(side.open(QStringLiteral("9600,N,8,1")));
    core::LoopTracker loops;
    discovery::InstrumentSearch search(side.link, loops);

    const SearchCase cases[] = {
        {"group 1, both Modbus protocols, unknown baud rate and stop bits",
         {1, discovery::UnknownProtocolChoice, 1, 4, "UNKNOWN", "Even", "7", "UNKNOWN"},
         {"Addr:004  ID#:QT  Type:QT48, 1/16 DIN PID Controller  4800,E,7,1  Modbus ASCII",
          "Addr:002  ID#:XK  Type:XK96, 1/4 DIN PID Controller with 3 Alarms  19200,E,7,2  "
          "Modbus RTU"}},
        {"group 0, counting down, unknown baud rate",
         {0, discovery::UnknownProtocolChoice, 4, 1, "UNKNOWN", "None", "8", "1"},
         {"Addr:03  ID#:W4  Type:W4LC, Temperature Limit Controller  57600,N,8,1  Vanta Link"}},
    };
    for (const SearchCase &c : cases) {
        SCOPED_TRACE(c.name);
        QStringList lines;
        discovery::SearchHooks hooks;
        hooks.found = [&lines](const discovery::FoundInstrument &found) { lines << found.line; };
        const discovery::SearchResult result = search.run(c.choices, hooks);
        EXPECT_EQ(result.end, discovery::SearchEnd::Completed);
        EXPECT_EQ(lines, c.lines);
        // Back at the configured settings: the instruments found are silent there.
        EXPECT_NE(side.read(1, QStringLiteral("R"), 2, 1794).status, 0);
    }
    EXPECT_TRUE(side.ui.boxes.empty());
}

} // namespace
} // namespace vanta::test
