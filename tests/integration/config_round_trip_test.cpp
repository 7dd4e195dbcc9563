// vantactl config-read, config-send and config-diff against vantasim: every model of the
// catalogue, in each protocol its group speaks, is set away from its factory settings, read
// into a file, sent to a second instrument at factory settings, and compared with what that
// instrument then holds, directly and through a file read back from it.
#include "config/config_model.h"
#include "config/parameter_file.h"
#include "config/send_rules.h"
#include "config_files.h"
#include "sim_line.h"

namespace vanta::test {
namespace {

struct RoundTrip
{
    int group;
    const char *protocol;
    const char *model;
};

const RoundTrip RoundTrips[] = {
    {0, "R", "HM"}, {0, "R", "N8"}, {0, "L", "W4"}, {0, "R", "W4"}, {0, "L", "V5"},
    {0, "R", "V5"}, {0, "L", "Z9"}, {0, "R", "Z9"}, {0, "L", "T6"}, {0, "R", "T6"},
    {1, "R", "QT"}, {1, "A", "QT"}, {1, "R", "XK"}, {1, "A", "XK"}, {2, "A", "XW"},
};

// Round trip i uses addresses 2i + 1 (the source) and 2i + 2 (the target): no two
// instruments on the line answer the same requests.
QString addressText(int group, int address)
{
    return group == 0 ? QStringLiteral("%1").arg(address, 2, 16, QLatin1Char('0')).toUpper()
                      : QString::number(address);
}
QString source(std::size_t i)
{
    return addressText(RoundTrips[i].group, int(2 * i + 1));
}
QString target(std::size_t i)
{
    return addressText(RoundTrips[i].group, int(2 * i + 2));
}

// The first alarm's low limit, which every model of the group has.
int alarmLowRegister(int group)
{
    return group == 0 ? 263 : group == 1 ? 4132 : 18178;
}

QByteArray instrumentSection(const RoundTrip &t, const QString &name, const QString &address)
{
    return QStringLiteral("[instrument %1]\ngroup = %2\nprotocol = %3\nmodel = %4\n"
                          "address = %5\nsettings = 9600,N,8,1\nnoise = 0\n")
        .arg(name)
        .arg(t.group)
        .arg(QLatin1String(t.protocol), QLatin1String(t.model), address)
        .toLatin1();
}

// Each source differs from the factory settings its target starts with.
QByteArray scenario()
{
    QByteArray text = "[line]\n";
    for (std::size_t i = 0; i < std::size(RoundTrips); ++i) {
        const RoundTrip &t = RoundTrips[i];
        text += instrumentSection(t, QStringLiteral("s%1").arg(i), source(i));
        text += QStringLiteral("sp = 123.0\nregister %1 = 77\n")
                    .arg(alarmLowRegister(t.group))
                    .toLatin1();
        text += instrumentSection(t, QStringLiteral("t%1").arg(i), target(i));
    }
    return text;
}

using ToolRun = VantactlRun;

ToolRun vantactl(const QString &link, const RoundTrip &t, const QStringList &command)
{
    return runVantactlFor(link, t.group, t.protocol, command);
}

// The live state of a running instrument (a ramp/soak program, auto-tuning, run/stop) and
// what opens the instrument for the send itself (remote changes, EEPROM) stay as they are.
bool keepsItsValue(int reg)
{
    static const int Kept[] = {786, 789, 805, 813, 2064, 2067, 18201, 18202, 18211, 18217};
    return std::find(std::begin(Kept), std::end(Kept), reg) != std::end(Kept);
}

// A list moves to its next allowed position, a number to another value of its raw range, and
// every box shown flips: each setting the send writes is then unlike the factory's.
void moveList(config::ConfigModel &m, int reg)
{
    const config::Parameter &p = m.parameter(reg);
    const int last = static_cast<int>(config::optionEntries(p.list).size()) - 1;
    const int low = std::max(0, m.app().Tables.CfgField(reg, 2));
    const int high = std::min(last, m.app().Tables.CfgField(reg, 3));
    if (high > low)
        m.field(reg).ListIndex = m.field(reg).ListIndex >= high ? low : m.field(reg).ListIndex + 1;
}

void moveValue(config::ConfigModel &m, int reg)
{
    const config::Parameter &p = m.parameter(reg);
    if (p.kind == config::ControlKind::BitBoxes) {
        for (const config::BitBox &box : p.boxes) {
            if (m.isBoxVisible(reg, box.bit))
                m.setBoxChecked(reg, box.bit, !m.isBoxChecked(reg, box.bit));
        }
        return;
    }
    const int low = m.app().Tables.CfgField(reg, 2);
    const int high = m.app().Tables.CfgField(reg, 3);
    const int now = static_cast<int>(m.instrumentValue(reg).value_or(low));
    const int moved = low + (high - low) * 3 / 7;
    m.setFromInstrument(reg, moved != now ? moved : low + (high - low) * 5 / 7);
}

// Loads `path`, moves every setting a send writes, and saves the result to `changed`.
bool moveAwayFromFactory(const RoundTrip &t, const QString &path, const QString &changed)
{
    ScriptedInteraction ui;
    core::AppState app{QStringLiteral(VANTA_BIN_DIR)};
    app.Config.ControllerGroup = static_cast<qint16>(t.group);
    app.Config.ProtocolCode = QLatin1String(t.protocol);
    core::loadDataFiles(app, ui);
    config::ConfigModel m(app);
    if (!config::ReadParameterFile(m, ui, path))
        return false;
    // The header too: another decimal point where the model has a choice, an analog input.
    const int decimals = m.group() == 0 ? 4 : m.group() == 1 && m.ModelId() == "XK" ? 2 : 1;
    m.DecimalPointIndex = static_cast<qint16>((m.DecimalPointIndex + 1) % decimals);
    m.setInputTypePosition(m.group() == 2 ? 3 : 14);
    m.SetupFormFields();
    auto movable = [&m](int reg) {
        return m.modelHas(reg) && !keepsItsValue(reg) && config::plannedWrite(m, reg);
    };
    for (const config::Parameter &p : m.parameters()) {
        if (p.kind == config::ControlKind::List && movable(p.reg))
            moveList(m, p.reg);
    }
    m.SetupFormFields(); // the lists decide which numbers and boxes a send writes
    for (const config::Parameter &p : m.parameters()) {
        if (p.kind != config::ControlKind::List && movable(p.reg))
            moveValue(m, p.reg);
    }
    m.SetupFormFields();
    return config::SaveParameterFile(m, ui, changed);
}

class ConfigRoundTrip : public ::testing::Test
{
protected:
    ToolRun run(std::size_t i, const QStringList &command)
    {
        return vantactl(sim.link(), RoundTrips[i], command);
    }
    QString file(std::size_t i, const char *name) const
    {
        return dir.filePath(QStringLiteral("%1-%2.csv").arg(i).arg(QLatin1String(name)));
    }

    SimulatorProcess sim{scenario()};
    QTemporaryDir dir;
};

TEST_F(ConfigRoundTrip, EveryModelReadsSendsAndComparesEqual)
{
    ASSERT_TRUE(sim.ready());
    for (std::size_t i = 0; i < std::size(RoundTrips); ++i) {
        const RoundTrip &t = RoundTrips[i];
        SCOPED_TRACE(std::string(t.model) + " " + t.protocol);
        const QString factory = file(i, "factory");
        const QString changed = file(i, "changed");
        const QString first = file(i, "first");
        const QString again = file(i, "again");
        // The source is set away from the factory settings, and holds all of it.
        ASSERT_EQ(run(i, {"config-read", source(i), factory}).exitCode, 0);
        ASSERT_TRUE(moveAwayFromFactory(t, factory, changed));
        EXPECT_GE(run(i, {"config-diff", factory, changed}).out.count(QLatin1Char('\n')), 15);
        ASSERT_EQ(run(i, {"config-send", changed, source(i)}).exitCode, 0);
        ASSERT_EQ(run(i, {"config-read", source(i), first}).exitCode, 0);
        EXPECT_EQ(run(i, {"config-diff", changed, first}).exitCode, 0);
        // What is read from it goes to a second instrument and is all found there.
        const ToolRun before = run(i, {"config-diff", first, target(i)});
        EXPECT_EQ(before.exitCode, 1);
        EXPECT_TRUE(before.out.contains(QStringLiteral("Alarm 1 Low"))) << before.out.toStdString();
        ASSERT_EQ(run(i, {"config-send", first, target(i)}).exitCode, 0);
        const ToolRun sent = run(i, {"config-diff", first, target(i)});
        EXPECT_EQ(sent.exitCode, 0);
        EXPECT_EQ(sent.out, QString());
        ASSERT_EQ(run(i, {"config-read", target(i), again}).exitCode, 0);
        const ToolRun files = run(i, {"config-diff", first, again});
        EXPECT_EQ(files.exitCode, 0);
        EXPECT_EQ(files.out, QString());
    }
}

TEST_F(ConfigRoundTrip, ChangeBehindTheProgramsBackIsReportedWithItsCaption)
{
    ASSERT_TRUE(sim.ready());
    const std::size_t v5 = 4; // V5 on Vanta Link
    const QString first = file(v5, "first");
    ASSERT_EQ(run(v5, {"config-read", source(v5), first}).exitCode, 0);
    ASSERT_EQ(run(v5, {"write", source(v5), "264", "321"}).exitCode, 0);
    const ToolRun changed = run(v5, {"config-diff", first, source(v5)});
    EXPECT_EQ(changed.exitCode, 1);
    const QStringList lines = changed.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1) << changed.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("264\tAlarm 1 High (AL1H)\t")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("\t32.1"))) // the factory's one decimal
        << lines[0].toStdString();
}

} // namespace
} // namespace vanta::test
