// The monitor's poll: the due rule across midnight, what one pass leaves in each row, the row's
// own status, the back-off of silent rows, lent ports and passes that must not nest.
#include "monitor/monitor_pass.h"

#include "comms/port_loan.h"
#include "core/address.h"
#include "monitor_rig.h"

#include <gtest/gtest.h>

namespace vanta::test {
namespace {

using monitor::MonitorRow;
using monitor::PollLight;
using monitor::RampLight;

QDateTime atSeconds(double secondsOfDay, int dayOffset = 0)
{
    return QDateTime(QDate(2009, 3, 15).addDays(dayOffset),
                     QTime::fromMSecsSinceStartOfDay(qRound(secondsOfDay * 1000)));
}

struct DueCase
{
    const char *name;
    float rate;
    double last;
    double now;
    int day;
    bool due;
};

const DueCase DueCases[] = {
    {"rate reached", 1, 100, 101, 0, true},
    {"rate not reached", 1, 100, 100.9, 0, false},
    {"across midnight, reached", 1, 86399.5, 0.6, 1, true},
    {"across midnight, not reached", 1, 86399.5, 0.4, 1, false},
    {"never", 0, monitor::ForcePass, 10, 0, false},
    {"forced, longest rate", 300, monitor::ForcePass, 10, 0, true},
    {"fastest rate", 0.05f, 10, 10.05, 0, true},
    {"under 0.02 s counts as none", 0.01f, 10, 10.015, 0, false},
};

TEST(MonitorPass, DueRuleForBothRatesAcrossMidnight)
{
    SettableClock clock;
    for (const DueCase &c : DueCases) {
        SCOPED_TRACE(c.name);
        clock.setLocal(atSeconds(c.now, c.day));
        EXPECT_EQ(monitor::isPassDue(clock, c.rate, c.last), c.due);
    }
}

// Group 0 on Modbus: wire register = program register - 1.
std::shared_ptr<RegisterMap> group0Registers(RegisterMap extra)
{
    RegisterMap registers{{1, 245}, {2, 0x0814}, {794, 1}};
    registers.insert(extra.begin(), extra.end());
    return std::make_shared<RegisterMap>(registers);
}

struct RowCase
{
    const char *name;
    RegisterMap extra; // setpoint 256, alarm options 798/800, ramp running/held 785/788
    const char *temp;
    const char *setpoint;
    float divisor;
    qint16 sense1;
    qint16 sense2;
    const char *alarm1;
    const char *alarm2;
    bool rampVisible;
    RampLight ramp;
};

const RowCase RowCases[] = {
    {"everything, held program",
     {{256, 750}, {798, 2}, {800, 2}, {785, 1}, {788, 1}},
     "24.5 °C",
     "75.0 °C",
     10,
     1,
     1,
     "OFF",
     "ON",
     true,
     RampLight::Held},
    {"running program, direct alarms",
     {{256, 750}, {798, 0}, {800, 0}, {785, 1}, {788, 0}},
     "24.5 °C",
     "75.0 °C",
     10,
     2,
     2,
     "ON",
     "OFF",
     true,
     RampLight::Running},
    {"program off",
     {{256, 750}, {798, 0}, {800, 0}, {785, 0}},
     "24.5 °C",
     "75.0 °C",
     10,
     2,
     2,
     "ON",
     "OFF",
     true,
     RampLight::Off},
    {"no ramp/soak, no alarm options",
     {{256, 750}},
     "24.5 °C",
     "75.0 °C",
     10,
     0,
     0,
     "",
     "",
     false,
     RampLight::Off},
    {"no setpoint", {{798, 2}, {785, 0}}, "24.5 °C", "", 0, 1, 0, "OFF", "", true, RampLight::Off},
};

TEST(MonitorPass, RowsShowValuesAlarmSensesAndRampSoakState)
{
    MonitorRig rig;
    int address = 1;
    for (const RowCase &c : RowCases) {
        rig.addRow(core::Hex2(address), 0);
        rig.instruments.push_back(modbusRtuInstrument(address++, group0Registers(c.extra)));
    }
    ASSERT_TRUE(rig.activate());
    monitor::MonitorPass &pass = rig.session.pass();
    pass.tmrPoll_Timer();
    rig.clock.advance(10); // both passes again, now with the alarm senses known
    pass.tmrPoll_Timer();
    for (int row = 0; row < int(std::size(RowCases)); ++row) {
        const RowCase &c = RowCases[row];
        SCOPED_TRACE(c.name);
        const MonitorRow &r = rig.session.rows().row(row);
        EXPECT_EQ(r.Poll, PollLight::ButtonFace);
        EXPECT_EQ(r.TempText, QString::fromUtf8(c.temp));
        EXPECT_EQ(r.SVText, QString::fromUtf8(c.setpoint));
        EXPECT_EQ(r.RowDivisor, c.divisor);
        EXPECT_EQ(r.Alarm1Sense, c.sense1);
        EXPECT_EQ(r.Alarm2Sense, c.sense2);
        EXPECT_EQ(r.Alm1StatText, QString::fromUtf8(c.alarm1));
        EXPECT_EQ(r.Alm2StatText, QString::fromUtf8(c.alarm2));
        EXPECT_EQ(r.RampVisible, c.rampVisible);
        EXPECT_EQ(r.Ramp, c.ramp);
        EXPECT_EQ(r.Health.failures, 0);
    }
    EXPECT_EQ(rig.session.rows().ChangeAllText, QStringLiteral("75.0 °C"));
    EXPECT_EQ(rig.app.errorLine(), QString());
}

TEST(MonitorPass, EachRowIsJudgedByItsOwnReads)
{
    MonitorRig rig;
    rig.addRow(QStringLiteral("001"), 1); // silent
    rig.addRow(QStringLiteral("002"), 1);
    // Group 1 without a setpoint register: the row ends after the setpoint, no ramp/soak reads.
    rig.instruments.push_back(modbusRtuInstrument(
        2, std::make_shared<RegisterMap>(RegisterMap{{0x1000, 245}, {0x102A, 0x0014}})));
    ASSERT_TRUE(rig.activate());
    monitor::MonitorPass &pass = rig.session.pass();
    pass.tmrPoll_Timer();
    const MonitorRow &silent = rig.session.rows().row(0);
    const MonitorRow &second = rig.session.rows().row(1);
    EXPECT_EQ(silent.Poll, PollLight::Failed);
    EXPECT_EQ(silent.Health.failures, 1);
    EXPECT_EQ(second.Poll, PollLight::ButtonFace);
    EXPECT_EQ(second.Health.requests, 2); // process value and setpoint only
    EXPECT_FALSE(second.RampVisible);
    EXPECT_EQ(second.Alarm1Sense, monitor::AlarmSense::Direct);

    // A setpoint pass in which the second row has typed text: it makes no read of its own that
    // fails, so the first row's failure does not turn it red.
    rig.session.rows().row(1).SVState = monitor::EditState::Typed;
    rig.app.Config.TempPollRate = 0;
    rig.clock.advance(10);
    pass.tmrPoll_Timer();
    EXPECT_EQ(silent.Poll, PollLight::Failed);
    EXPECT_EQ(second.Poll, PollLight::ButtonFace);
}

struct BackOffCase
{
    bool option;
    int requests; // reads of the silent row in eight passes, one a second
    bool backedOff;
};

TEST(MonitorPass, SilentRowsArePolledLessOnlyWithTheOption)
{
    for (const BackOffCase c : {BackOffCase{false, 8, false}, BackOffCase{true, 4, true}}) {
        SCOPED_TRACE(c.option);
        MonitorRig rig;
        rig.app.Config.SPPollRate = 0;
        rig.addRow(QStringLiteral("05"), 0);
        ASSERT_TRUE(rig.activate());
        monitor::MonitorPass &pass = rig.session.pass();
        pass.PollSilentLess = c.option;
        for (int second = 0; second < 8; ++second) {
            rig.clock.setLocal(atSeconds(36000 + second));
            pass.tmrPoll_Timer();
        }
        const MonitorRow &row = rig.session.rows().row(0);
        EXPECT_EQ(row.Health.requests, c.requests);
        EXPECT_EQ(row.Health.backedOff, c.backedOff);
        EXPECT_EQ(row.Health.text().contains(QStringLiteral("silent")), c.backedOff);

        // Once it answers, it is read at every pass again.
        rig.instruments.push_back(modbusRtuInstrument(5, group0Registers({})));
        rig.clock.setLocal(atSeconds(36020));
        pass.tmrPoll_Timer();
        EXPECT_EQ(row.Poll, PollLight::ButtonFace);
        EXPECT_FALSE(row.Health.backedOff);
        EXPECT_EQ(row.Health.failedPasses, 0);
    }
}

TEST(MonitorPass, LentPortMissesThePass)
{
    MonitorRig rig;
    rig.addRow(QStringLiteral("05"), 0);
    rig.instruments.push_back(modbusRtuInstrument(5, group0Registers({})));
    ASSERT_TRUE(rig.activate());
    monitor::MonitorPass &pass = rig.session.pass();
    {
        const comms::PortLoan loan(rig.app);
        pass.tmrPoll_Timer();
    }
    EXPECT_TRUE(rig.line.requests.empty());
    pass.tmrPoll_Timer(); // the missed pass is not made up at once
    EXPECT_TRUE(rig.line.requests.empty());
    rig.clock.advance(1);
    pass.tmrPoll_Timer();
    EXPECT_FALSE(rig.line.requests.empty());
}

TEST(MonitorPass, PassesDoNotNestAndStopAfterTheCurrentRow)
{
    MonitorRig rig;
    rig.addRow(QStringLiteral("05"), 0);
    rig.addRow(QStringLiteral("06"), 0);
    rig.instruments.push_back(modbusRtuInstrument(5, group0Registers({})));
    rig.instruments.push_back(modbusRtuInstrument(6, group0Registers({})));
    ASSERT_TRUE(rig.activate());
    monitor::MonitorPass &pass = rig.session.pass();
    QList<int> started;
    pass.rowStarted = [&started](int row) { started << row; };
    pass.rowFinished = [&pass](int) {
        pass.forcePass();
        pass.tmrPoll_Timer(); // a tick delivered between rows
    };
    pass.tmrPoll_Timer();
    EXPECT_EQ(started, (QList<int>{0, 1}));

    started.clear();
    pass.rowFinished = [&pass](int) { pass.MonitorStop = true; };
    pass.forcePass();
    pass.tmrPoll_Timer();
    EXPECT_EQ(started, QList<int>{0});
}

} // namespace
} // namespace vanta::test
