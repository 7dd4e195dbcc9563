// vantactl config-read, config-send and config-diff against vantasim: every model of the
// catalogue, in each protocol its group speaks, is read into a file, sent to a second
// instrument at factory settings, and compared with what that instrument then holds, directly
// and through a file read back from it.
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

struct ToolRun
{
    int exitCode = -1;
    QString out;
};

ToolRun vantactl(const QString &link, const RoundTrip &t, const QStringList &command)
{
    QProcess process;
    process.setProgram(QStringLiteral(VANTA_BIN_DIR "/vantactl"));
    process.setArguments(QStringList{"--folder", VANTA_BIN_DIR, "--device", link, "--settings",
                                     "9600,N,8,1", "--timeout", "300", "--group",
                                     QString::number(t.group), "--protocol",
                                     QLatin1String(t.protocol)} +
                         command);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
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
        const QString first = file(i, "first");
        const QString again = file(i, "again");
        ASSERT_EQ(run(i, {"config-read", source(i), first}).exitCode, 0);
        const ToolRun factory = run(i, {"config-diff", first, target(i)});
        EXPECT_EQ(factory.exitCode, 1);
        EXPECT_TRUE(factory.out.contains(QStringLiteral("Alarm 1 Low")))
            << factory.out.toStdString();
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
