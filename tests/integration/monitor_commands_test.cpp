// The monitor's commands against vantasim: a setpoint typed into a row reaches the simulated
// instrument, and the row's On, Hld and Off change its ramp/soak program; vantactl reads the
// instrument back between the steps.
#include "monitor/monitor_pass.h"
#include "monitor/ramp_commands.h"
#include "monitor/setpoint_commands.h"
#include "sim_line.h"

namespace vanta::test {
namespace {

const QByteArray Scenario = "[line]\n"
                            "[instrument oven]\n"
                            "group = 0\nprotocol = R\nmodel = V5\naddress = 21\n"
                            "settings = 9600,N,8,1\nnoise = 0\ndecimals = 1\n";

// The monitor's side with one row showing the oven, polled once so the row knows its divisor
// and ramp buttons. The port closes with it, so vantactl has the line to itself.
struct MonitorSide
{
    explicit MonitorSide(const QString &device) : side(device, 300)
    {
        core::InstrumentRecord oven;
        oven.InstAddress = QStringLiteral("21");
        oven.InstName = QStringLiteral("Oven");
        oven.InstProtocol = QStringLiteral("R");
        side.app.Config.Instruments = {oven};
        side.app.Config.TempPollRate = 1;
        side.app.Config.SPPollRate = 1;
        rows.fill(side.app.Config.Instruments);
        rows.choose(0, monitor::entryText(oven));
        opened = side.open(QStringLiteral("9600,N,8,1"));
        pass.tmrPoll_Timer();
    }

    ApplicationSide side;
    monitor::MonitorRows rows;
    core::LoopTracker loops;
    monitor::MonitorPass pass{side.link, rows, loops};
    monitor::SetpointCommands setpoints{side.link, rows, pass};
    monitor::RampCommands ramps{side.link, rows, pass};
    bool opened = false;
};

// vantactl's reading of a program register of the oven, or the failure it printed.
QString readBack(const QString &device, int reg)
{
    QProcess process;
    process.start(QStringLiteral(VANTA_BIN_DIR "/vantactl"),
                  {"--folder", VANTA_BIN_DIR, "--device", device, "--settings", "9600,N,8,1",
                   "--timeout", "300", "--group", "0", "--protocol", "R", "read", "21",
                   QString::number(reg)});
    if (!process.waitForFinished(30000))
        return QStringLiteral("vantactl did not finish");
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())
        .trimmed();
}

TEST(MonitorCommandsOnSimulator, SetpointAndProgramCommandsReachTheInstrument)
{
    SimulatorProcess sim(Scenario);
    ASSERT_TRUE(sim.ready());
    {
        MonitorSide monitor(sim.link());
        ASSERT_TRUE(monitor.opened);
        ASSERT_EQ(monitor.rows.row(0).RowDivisor, 10);
        ASSERT_TRUE(monitor.rows.row(0).RampVisible);
        monitor.setpoints.txtSVText_Change(0, QStringLiteral("123.4"));
        EXPECT_TRUE(monitor.setpoints.txtSVText_Enter(0));
        EXPECT_EQ(monitor.rows.row(0).SVState, monitor::EditState::Sent);
        EXPECT_EQ(monitor.side.ui.titles(), QStringList{});
    }
    EXPECT_EQ(readBack(sim.link(), 258), QStringLiteral("1234"));

    struct Step
    {
        monitor::RampCommand command;
        const char *running;
        const char *held;
    };
    const Step steps[] = {{monitor::RampCommand::On, "1", "0"},
                          {monitor::RampCommand::Hold, "1", "1"},
                          {monitor::RampCommand::Off, "0", "0"}};
    for (const Step &step : steps) {
        SCOPED_TRACE(static_cast<int>(step.command));
        {
            MonitorSide monitor(sim.link());
            ASSERT_TRUE(monitor.opened);
            monitor.ramps.rowCommand(0, step.command);
            EXPECT_EQ(monitor.side.ui.titles(), QStringList{});
        }
        EXPECT_EQ(readBack(sim.link(), 786), QString::fromLatin1(step.running));
        EXPECT_EQ(readBack(sim.link(), 789), QString::fromLatin1(step.held));
    }
}

} // namespace
} // namespace vanta::test
