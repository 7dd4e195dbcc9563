// The monitor's commands on a scripted line: typed setpoints scaled by the row's divisor or
// refused, Change All's questions, the ramp/soak writes and their order, and the pauses taken
// from the clock.
#include "monitor_rig.h"

#include <gtest/gtest.h>

namespace vanta::test {
namespace {

using monitor::EditState;
using monitor::RampCommand;

// Group 0 on Modbus RTU: wire register = program register - 1.
constexpr int SetpointWire = 257;
constexpr int RunningWire = 785;
constexpr int HeldWire = 788;
constexpr int Untouched = 7; // a value no command writes

// Rows "05", "06", ... in order, each instrument with the registers `map` gives it.
struct CommandRig : MonitorRig
{
    std::shared_ptr<RegisterMap> addInstrument(int address, RegisterMap map)
    {
        auto registers = std::make_shared<RegisterMap>(std::move(map));
        addRow(QStringLiteral("%1").arg(address, 2, 10, QLatin1Char('0')), 0);
        instruments.push_back(modbusRtuInstrument(address, registers));
        return registers;
    }
    static RegisterMap answering()
    {
        return {{SetpointWire, Untouched}, {RunningWire, Untouched}, {HeldWire, Untouched}};
    }
    monitor::MonitorRow &row(int index) { return session.rows().row(index); }
    double secondsOf(const std::function<void()> &command)
    {
        const double before = clock.secondsSinceMidnight();
        command();
        return clock.secondsSinceMidnight() - before;
    }
};

enum class Far
{
    Takes,       // the instrument takes the write
    Refuses,     // it refuses every write
    NoInstrument // the row shows "[none]"
};

struct EntryCase
{
    const char *name;
    const char *typed;
    float divisor;
    Far far;
    int written; // the setpoint register afterwards
    EditState state;
    const char *box; // title of the box shown, "" for none
};

const EntryCase EntryCases[] = {
    {"scaled by the divisor", "25.5", 10, Far::Takes, 255, EditState::Sent, ""},
    {"thousands separator read whole", "1,235.0", 10, Far::Takes, 12350, EditState::Sent, ""},
    {"unit left in the field", "80.0 °C", 10, Far::Takes, 800, EditState::Sent, ""},
    {"emptied field", "", 10, Far::Takes, Untouched, EditState::Shown, ""},
    {"no number", "abc", 10, Far::Takes, Untouched, EditState::Failed, "Setpoint Value Not Sent"},
    {"divisor not known yet", "25.5", 0, Far::Takes, Untouched, EditState::Failed,
     "Cannot Send Setpoint Value"},
    {"write fails", "25.5", 10, Far::Refuses, Untouched, EditState::Failed,
     "Send Setpoint Value Communications Error"},
    {"beyond a register's range", "9,999.9", 10, Far::Takes, Untouched, EditState::Failed,
     "Send Setpoint Value Communications Error"},
    {"no instrument: emptied, the focus stays", "25.5", 10, Far::NoInstrument, Untouched,
     EditState::Shown, "No Instrument Defined"},
};

TEST(SetpointEntry, EnterSendsATypedFieldOrSaysWhyNot)
{
    for (const EntryCase &c : EntryCases) {
        SCOPED_TRACE(c.name);
        CommandRig rig;
        auto registers = std::make_shared<RegisterMap>(CommandRig::answering());
        if (c.far != Far::NoInstrument)
            registers = rig.addInstrument(5, c.far == Far::Takes ? *registers : RegisterMap{});
        ASSERT_TRUE(rig.activate());
        rig.row(0).RowDivisor = c.divisor;
        rig.session.setpoints().txtSVText_Change(0, QString::fromUtf8(c.typed));
        EXPECT_EQ(rig.session.setpoints().txtSVText_Enter(0), c.far != Far::NoInstrument);
        EXPECT_EQ(rig.row(0).SVState, c.state);
        EXPECT_EQ(registers->count(SetpointWire) ? registers->at(SetpointWire) : Untouched,
                  c.written);
        EXPECT_EQ(rig.user.titles(), *c.box ? QStringList{c.box} : QStringList{});
        EXPECT_EQ(rig.row(0).SVText.isEmpty(), c.far == Far::NoInstrument || !*c.typed);
    }
}

TEST(SetpointEntry, OnlyTypedFieldsAreSentAndLeavingOneUnsentWarns)
{
    CommandRig rig;
    auto registers = rig.addInstrument(5, CommandRig::answering());
    ASSERT_TRUE(rig.activate());
    monitor::SetpointCommands &setpoints = rig.session.setpoints();
    monitor::MonitorRow &row = rig.row(0);
    row.RowDivisor = 10;

    EXPECT_TRUE(setpoints.txtSVText_Enter(0)); // not edited: only the focus moves
    EXPECT_TRUE(rig.line.requests.empty());

    // The poll's own text is no typing.
    rig.session.pass().MonitorBusy = true;
    setpoints.txtSVText_Change(0, QStringLiteral("30"));
    EXPECT_EQ(row.SVState, EditState::Shown);
    rig.session.pass().MonitorBusy = false;

    setpoints.txtSVText_Change(0, QStringLiteral("30"));
    rig.session.pass().LastSvPollTime = 0;
    setpoints.txtSVText_LostFocus(0);
    EXPECT_EQ(row.SVState, EditState::Failed);
    EXPECT_EQ(rig.user.titles(), QStringList{"Setpoint Value Not Sent"});
    EXPECT_EQ(rig.user.boxes.at(0).icon, core::MsgIcon::Information);
    EXPECT_EQ(rig.session.pass().LastSvPollTime, monitor::ForcePass);
    EXPECT_EQ(registers->at(SetpointWire), Untouched);
}

// Row 0 takes the write, row 1 was never read, row 2 refuses the write, row 3 takes it.
struct ChangeAllCase
{
    const char *name;
    const char *typed;
    std::deque<core::MsgResult> answers; // the warning about row 1 takes an answer too
    QStringList titles;
    bool firstRowWritten;
    bool lastRowWritten;
    EditState state;
    double pause;
};

const QStringList FailureTitles{"Confirm Change All Setpoints",
                                "Cannot Send Change All Setpoint Value",
                                "Send Setpoint Value Communications Error"};
const std::deque<core::MsgResult> YesOk{core::MsgResult::Yes, core::MsgResult::Ok};

const ChangeAllCase ChangeAllCases[] = {
    {"no at the question",
     "1,235.0",
     {core::MsgResult::No},
     {"Confirm Change All Setpoints"},
     false,
     false,
     EditState::Shown,
     0},
    {"no number: never sent",
     "hot",
     {},
     {"Setpoint Value Not Sent"},
     false,
     false,
     EditState::Failed,
     0},
    {"continue after a failure", "1,235.0", {}, FailureTitles, true, true, EditState::Sent, 0.7},
    {"stop after a failure", "1,235.0", {}, FailureTitles, true, false, EditState::Failed, 0},
};

TEST(ChangeAll, SkipsUnreadRowsAndAsksAfterAFailedWrite)
{
    for (const ChangeAllCase &c : ChangeAllCases) {
        SCOPED_TRACE(c.name);
        CommandRig rig;
        auto first = rig.addInstrument(5, CommandRig::answering());
        rig.addInstrument(6, CommandRig::answering());
        rig.addInstrument(7, {});
        auto last = rig.addInstrument(8, CommandRig::answering());
        ASSERT_TRUE(rig.activate());
        for (int row : {0, 2, 3})
            rig.row(row).RowDivisor = 10;
        rig.session.setpoints().txtChangeAll_Change(QString::fromLatin1(c.typed));
        rig.user.answers = c.answers;
        if (c.titles == FailureTitles) {
            rig.user.answers = YesOk;
            rig.user.answers.push_back(c.lastRowWritten ? core::MsgResult::Yes
                                                        : core::MsgResult::No);
        }

        const double paused = rig.secondsOf([&] { rig.session.setpoints().cmdChangeAll_Click(); });
        EXPECT_EQ(rig.user.titles(), c.titles);
        EXPECT_EQ(first->at(SetpointWire), c.firstRowWritten ? 12350 : Untouched);
        EXPECT_EQ(last->at(SetpointWire), c.lastRowWritten ? 12350 : Untouched);
        EXPECT_EQ(rig.session.rows().ChangeAllState, c.state);
        EXPECT_NEAR(paused, c.pause, 1e-6);
        if (c.titles != FailureTitles)
            continue;
        EXPECT_EQ(rig.user.boxes.at(0).text,
                  "Are you sure you wish to change all the instrument setpoints to 1235 ?");
        EXPECT_TRUE(rig.user.boxes.at(1).text.startsWith(
            "The Change All Setpoint Value cannot be sent to address 06  instruments"));
        EXPECT_TRUE(rig.user.boxes.at(2).text.startsWith(
            "Setpoint Value not sent to address 07 (Zone 07) due to communications Error >"));
        EXPECT_TRUE(rig.user.boxes.at(2).text.endsWith(
            ".\rDo you want to continue with the next instrument?"));
    }
}

struct RampCase
{
    const char *name;
    RampCommand command;
    int missing; // wire register the instrument lacks, 0 for none
    int running; // registers afterwards
    int held;
    const char *failure; // start of the warning, "" for none
};

const RampCase RampCases[] = {
    {"on", RampCommand::On, 0, 1, 0, ""},
    {"off", RampCommand::Off, 0, 0, 0, ""},
    {"hold", RampCommand::Hold, 0, 1, 1, ""},
    {"hold, hold write fails", RampCommand::Hold, HeldWire, Untouched, Untouched,
     "The command to turn the program hold on failed due to a write communications Error >"},
    {"on, hold write fails", RampCommand::On, HeldWire, 1, Untouched,
     "The command to turn on the ramp/soak program and take it out of hold did not occur"},
    {"off, first write fails", RampCommand::Off, RunningWire, Untouched, Untouched,
     "The command to turn off the ramp/soak program did not occur"},
};

TEST(RampCommands, RowButtonsWriteInOrderAndStopAtAFailure)
{
    for (const RampCase &c : RampCases) {
        SCOPED_TRACE(c.name);
        CommandRig rig;
        RegisterMap map = CommandRig::answering();
        map.erase(c.missing);
        auto registers = rig.addInstrument(5, map);
        ASSERT_TRUE(rig.activate());
        rig.row(0).Ramp = monitor::RampLight::Running;
        rig.session.pass().LastSvPollTime = 0;

        const double paused = rig.secondsOf([&] { rig.session.ramps().rowCommand(0, c.command); });
        const bool failed = *c.failure != 0;
        EXPECT_EQ(registers->count(RunningWire) ? registers->at(RunningWire) : Untouched,
                  c.running);
        EXPECT_EQ(registers->count(HeldWire) ? registers->at(HeldWire) : Untouched, c.held);
        EXPECT_EQ(rig.row(0).Ramp, monitor::RampLight::Off);
        EXPECT_NEAR(paused, failed ? 0 : 0.8, 1e-6);
        EXPECT_EQ(rig.session.pass().LastSvPollTime, failed ? 0 : monitor::ForcePass);
        ASSERT_EQ(rig.user.boxes.size(), failed ? 1u : 0u);
        if (failed) {
            EXPECT_TRUE(rig.user.boxes.at(0).text.startsWith(c.failure));
        }
    }
}

TEST(RampCommands, AllRowsSkipRowsWithoutButtonsAndStopAtTheFirstFailure)
{
    for (const bool failingRowShown : {true, false}) {
        SCOPED_TRACE(failingRowShown);
        CommandRig rig;
        auto shown = rig.addInstrument(5, CommandRig::answering());
        auto hidden = rig.addInstrument(6, CommandRig::answering());
        rig.addInstrument(7, {});
        auto after = rig.addInstrument(8, CommandRig::answering());
        ASSERT_TRUE(rig.activate());
        for (int row : {0, 2, 3})
            rig.row(row).RampVisible = true;
        rig.row(2).RampVisible = failingRowShown;
        rig.row(4).RampVisible = true; // no instrument in that row
        rig.user.answers = {core::MsgResult::Yes};

        const double paused =
            rig.secondsOf([&] { rig.session.ramps().allRowsCommand(RampCommand::On); });
        EXPECT_EQ(shown->at(RunningWire), 1);
        EXPECT_EQ(hidden->at(RunningWire), Untouched);
        EXPECT_EQ(after->at(RunningWire), failingRowShown ? Untouched : 1);
        EXPECT_NEAR(paused, failingRowShown ? 0 : 0.7, 1e-6);
        QStringList titles{"Confirm Start All Ramp/Soak Programs"};
        if (failingRowShown)
            titles << "Program Set On Communications Error";
        EXPECT_EQ(rig.user.titles(), titles);
        EXPECT_EQ(rig.user.boxes.at(0).defaultButton, core::MsgResult::No);
    }
}

TEST(RampCommands, NoAtTheQuestionAndRowsWithoutInstrumentWriteNothing)
{
    CommandRig rig;
    rig.addInstrument(5, CommandRig::answering());
    ASSERT_TRUE(rig.activate());
    rig.row(0).RampVisible = true;
    rig.user.answers = {core::MsgResult::No};
    rig.session.ramps().allRowsCommand(RampCommand::Hold);
    rig.session.ramps().rowCommand(1, RampCommand::Off);
    EXPECT_FALSE(rig.session.ramps().cmdRampCfg_Click(1));
    EXPECT_TRUE(rig.line.requests.empty());
    EXPECT_EQ(rig.user.titles(), (QStringList{"Confirm Hold All Ramp/Soak Programs",
                                              "No Instrument Defined", "No Instrument Defined"}));
    EXPECT_FALSE(rig.app.RSModel);

    EXPECT_TRUE(rig.session.ramps().cmdRampCfg_Click(0));
    EXPECT_TRUE(rig.app.RSModel);
    EXPECT_EQ(rig.app.RSAddress, 5);
    EXPECT_EQ(rig.app.RSProtocol, QStringLiteral("R"));
    EXPECT_EQ(rig.app.RSGroup, 0);
}

} // namespace
} // namespace vanta::test
