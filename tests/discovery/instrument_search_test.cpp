// The instrument search against a scripted line: one answer at one combination only, cancel and
// failed reopens restoring the configured settings, routing refusals, and the demo results.
#include "discovery/instrument_search.h"

#include "comms/port_loan.h"
#include "core/app_error.h"
#include "monitor/status_rig.h"

#include <gtest/gtest.h>

namespace vanta::test {
namespace {

using discovery::SearchChoices;
using discovery::SearchEnd;
using discovery::SearchResult;

struct SearchRig : StatusRig
{
    explicit SearchRig(int group) : StatusRig(group)
    {
        app.Config.BaudRate = 4800;
        app.Config.Parity = QStringLiteral("Even");
        app.Config.DataBits = 7;
        app.Config.StopBits = 1;
    }

    SearchResult run(const SearchChoices &choices)
    {
        discovery::SearchHooks hooks;
        hooks.progress = [this](const discovery::SearchProgress &p) {
            progress.push_back(p);
            borrowedDuring = borrowedDuring && app.PortBorrowed();
        };
        hooks.probeError = [this](const QString &text) { errors << text; };
        hooks.found = [this](const discovery::FoundInstrument &f) { lines << f.line; };
        hooks.betweenProbes = [this] {
            if (betweenProbes)
                betweenProbes();
        };
        return search.run(choices, hooks);
    }

    core::LoopTracker loops;
    discovery::InstrumentSearch search{link, loops};
    std::function<void()> betweenProbes;
    std::vector<discovery::SearchProgress> progress;
    QStringList errors;
    QStringList lines;
    bool borrowedDuring = true;
};

SearchChoices group0(int start, int end, const char *baud = "UNKNOWN")
{
    return {
        0,  discovery::UnknownProtocolChoice, start, end, QString::fromLatin1(baud), "None", "8",
        "1"};
}

// An instrument on Modbus RTU that hears only at `settings`.
PtyResponder::Handler onlyAt(StatusRig &rig, const QString &settings, PtyResponder::Handler inner)
{
    return
        [&rig, settings, inner](const QByteArray &request) -> std::optional<PtyResponder::Answer> {
            if (rig.line.settings != settings)
                return std::nullopt;
            return inner(request);
        };
}

// Two instruments on one line: the first that answers.
PtyResponder::Handler eitherOf(PtyResponder::Handler a, PtyResponder::Handler b)
{
    return [a, b](const QByteArray &request) {
        const std::optional<PtyResponder::Answer> answer = a(request);
        return answer && !answer->reply.isEmpty() ? answer : b(request);
    };
}

TEST(InstrumentSearch, FindsTheInstrumentAtItsOneCombinationAndRestoresThePort)
{
    SearchRig rig(0);
    auto hm = std::make_shared<RegisterMap>(RegisterMap{{1793, 0x484D}}); // 1794: HM
    auto noModel = std::make_shared<RegisterMap>();
    const PtyResponder::Handler at3 =
        onlyAt(rig, QStringLiteral("19200,N,8,1"), modbusRtuInstrument(3, hm));
    const PtyResponder::Handler at1 =
        onlyAt(rig, QStringLiteral("9600,N,8,1"), modbusRtuInstrument(1, noModel));
    rig.answerWith(eitherOf(at3, at1));
    const int opensBefore = rig.line.opens;

    const SearchResult result = rig.run(group0(1, 4));

    const int probes = 6 * 4 * 2; // baud rates x addresses x protocols
    EXPECT_EQ(result.end, SearchEnd::Completed);
    EXPECT_EQ(result.text, QStringLiteral("Search completed. Found 2 instruments."));
    EXPECT_EQ(rig.lines,
              QStringList({"Addr:01  ID#:??  Type:Possible HM16, N8PM, W4LC, V5RP, Z9KM, T6DR "
                           "Controller       9600,N,8,1  Modbus RTU",
                           "Addr:03  ID#:HM  Type:HM16, 1/16 DIN Temperature Controller  "
                           "19200,N,8,1  Modbus RTU"}));
    EXPECT_EQ(rig.line.opens - opensBefore, probes + 1); // one per probe, one to restore
    EXPECT_EQ(rig.line.settings, QStringLiteral("4800,E,7,1"));
    EXPECT_TRUE(rig.borrowedDuring);
    EXPECT_FALSE(rig.app.PortBorrowed());
    ASSERT_EQ(rig.progress.size(), size_t(probes));
    EXPECT_EQ(rig.progress[0].text, QStringLiteral("Polling Address 01   9600,N,8,1 Vanta Link"));
    EXPECT_FALSE(rig.progress[0].secondsLeft);
    EXPECT_EQ(rig.progress.back().done, probes - 1);
    EXPECT_EQ(rig.progress.back().total, probes);
    EXPECT_GT(rig.progress.back().secondsLeft.value_or(0), 0);
    EXPECT_FALSE(rig.errors.first().isEmpty()); // a time-out
    EXPECT_FALSE(rig.search.running());
}

TEST(InstrumentSearch, CancelAndFailedReopenKeepResultsAndRestoreTheSettings)
{
    struct Case
    {
        const char *name;
        int openError;
        SearchEnd end;
        const char *text;
        QStringList titles;
    };
    const Case cases[] = {
        {"cancel after the second instrument", 0, SearchEnd::Cancelled, "Found 2 instruments.", {}},
        {"a port that will not open",
         core::ErrorNumber::PortAlreadyOpen,
         SearchEnd::Cancelled,
         "Zero instruments found.",
         {"InitComm", "InitComm"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SearchRig rig(0);
        auto hm = std::make_shared<RegisterMap>(RegisterMap{{1793, 0x484D}});
        rig.answerWith(eitherOf(modbusRtuInstrument(1, hm), modbusRtuInstrument(2, hm)));
        rig.line.openError = c.openError;
        SearchResult nested;
        rig.betweenProbes = [&rig, &nested] {
            nested = rig.run(group0(1, 1));
            if (rig.lines.size() == 2)
                rig.search.cancel();
        };
        SearchChoices choices = group0(1, 10, "9600");
        choices.protocolChoice = 1;

        const SearchResult result = rig.run(choices);

        EXPECT_EQ(result.end, c.end);
        EXPECT_EQ(result.text, QString::fromLatin1(c.text));
        EXPECT_EQ(rig.user.titles(), c.titles);
        EXPECT_EQ(rig.lines.size(), c.openError == 0 ? 2 : 0);
        if (c.openError == 0) {
            EXPECT_EQ(nested.end, SearchEnd::AlreadyRunning);
            EXPECT_EQ(rig.line.requests.size(), 2U);
            EXPECT_EQ(rig.line.settings, QStringLiteral("4800,E,7,1"));
        }
        EXPECT_FALSE(rig.app.PortBorrowed());
    }
}

TEST(InstrumentSearch, RefusesBadRangesAndNeverTurnsARoutingRefusalIntoAResult)
{
    SearchRig rig(1);
    SearchChoices outside{1, 1, 0, 5, "9600", "Even", "7", "1"};
    EXPECT_EQ(rig.run(outside).end, SearchEnd::Refused);
    EXPECT_EQ(rig.user.titles(), QStringList{"Invalid Address"});
    EXPECT_TRUE(rig.progress.empty());

    rig.app.Tables = core::DataTables(); // no cross-reference: the model id cannot be routed
    SearchChoices twoAddresses{1, 1, 1, 2, "9600", "Even", "7", "1"};
    const SearchResult result = rig.run(twoAddresses);
    EXPECT_EQ(result.text, QStringLiteral("Search completed.  Zero instruments found."));
    EXPECT_TRUE(rig.lines.isEmpty());
    EXPECT_TRUE(rig.line.requests.empty());
    ASSERT_EQ(rig.errors.size(), 2);
    EXPECT_TRUE(rig.errors[0].contains(QStringLiteral("No valid Modbus read command")));
}

TEST(InstrumentSearch, DemoModeFindsTheDemoModelsAtEachAddressesFirstSettings)
{
    struct Case
    {
        int group;
        int protocol;
        QStringList lines;
    };
    const QString first0 = QStringLiteral("  9600,N,8,1  ");
    const Case cases[] = {
        {0,
         discovery::UnknownProtocolChoice,
         {"Addr:01  ID#:HM  Type:HM16, 1/16 DIN Temperature Controller" + first0 + "Vanta Link",
          "Addr:01  ID#:HM  Type:HM16, 1/16 DIN Temperature Controller" + first0 + "Modbus RTU",
          "Addr:02  ID#:N8  Type:N8PM, 1/8 DIN Process Meter" + first0 + "Vanta Link",
          "Addr:02  ID#:N8  Type:N8PM, 1/8 DIN Process Meter" + first0 + "Modbus RTU"}},
        {1,
         1,
         {"Addr:001  ID#:XK  Type:XK96, 1/4 DIN PID Controller with 3 Alarms  9600,E,7,1  "
          "Modbus RTU",
          "Addr:002  ID#:QT  Type:QT48, 1/16 DIN PID Controller  9600,E,7,1  Modbus RTU"}},
        {2,
         discovery::UnknownProtocolChoice,
         {"Addr:001  ID#:XW  Type:XW48, 1/16 DIN Temperature Controller  9600,E,7,1  "
          "Modbus ASCII",
          "Addr:002  ID#:XW  Type:XW48, 1/16 DIN Temperature Controller  9600,E,7,1  "
          "Modbus ASCII"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.group);
        SearchRig rig(c.group);
        rig.app.setDemoMode(true);
        const int opensBefore = rig.line.opens;
        SearchChoices choices{c.group, c.protocol, 1, 2, "UNKNOWN", "UNKNOWN", "UNKNOWN", "1"};
        if (c.group == 0)
            choices = group0(1, 2);
        const SearchResult result = rig.run(choices);
        EXPECT_EQ(rig.lines, c.lines);
        EXPECT_EQ(result.found, c.lines.size());
        EXPECT_TRUE(rig.line.requests.empty());
        EXPECT_EQ(rig.line.opens, opensBefore);
    }
}

TEST(InstrumentSearch, EndAndTimeLeftTexts)
{
    const std::pair<SearchResult, const char *> ends[] = {
        {{SearchEnd::Completed, 0, {}}, "Search completed.  Zero instruments found."},
        {{SearchEnd::Completed, 1, {}}, "Search completed. Found 1 instrument."},
        {{SearchEnd::Completed, 3, {}}, "Search completed. Found 3 instruments."},
        {{SearchEnd::Cancelled, 0, {}}, "Zero instruments found."},
        {{SearchEnd::Cancelled, 1, {}}, "Found 1 instrument."},
        {{SearchEnd::Cancelled, 2, {}}, "Found 2 instruments."},
    };
    for (const auto &[end, text] : ends)
        EXPECT_EQ(discovery::searchEndText(end.end, end.found), QString::fromLatin1(text));
    EXPECT_EQ(discovery::timeLeftText(11.2), QStringLiteral("about 12 s left"));
    EXPECT_EQ(discovery::timeLeftText(200), QStringLiteral("about 3 min 20 s left"));
    EXPECT_EQ(discovery::timeLeftText(3900), QStringLiteral("about 1 h 05 min left"));
}

} // namespace
} // namespace vanta::test
