// vantactl config-read and config-send against vantasim: one model of each group in each
// protocol it speaks is read into a file, sent to a second instrument and read back, and both
// files hold the same configuration except what a send never writes.
#include "config_files.h"
#include "sim_line.h"

namespace vanta::test {
namespace {

struct RoundTrip
{
    int group;
    const char *protocol;
    const char *model;
    const char *source; // addresses as the group writes them
    const char *target;
};

const RoundTrip RoundTrips[] = {
    {0, "L", "V5", "21", "22"}, {0, "R", "V5", "23", "24"}, {1, "R", "XK", "5", "6"},
    {1, "A", "XK", "7", "8"},   {2, "A", "XW", "9", "10"},
};

QByteArray scenario()
{
    QByteArray text = "[line]\n";
    int n = 0;
    for (const RoundTrip &t : RoundTrips) {
        for (const char *address : {t.source, t.target}) {
            text +=
                QStringLiteral("[instrument i%1]\ngroup = %2\nprotocol = %3\nmodel = %4\n"
                               "address = %5\nsettings = 9600,N,8,1\nnoise = 0\n")
                    .arg(n)
                    .arg(t.group)
                    .arg(QLatin1String(t.protocol), QLatin1String(t.model), QLatin1String(address))
                    .toLatin1();
            // The source differs from the factory settings the target starts with.
            if (address == t.source)
                text += "sp = 123.0\n";
            ++n;
        }
    }
    return text;
}

int vantactl(const QString &link, const RoundTrip &t, const QStringList &command)
{
    return runVantactl(link, t.group, t.protocol, command);
}

TEST(ConfigRoundTrip, ReadSendReadGivesTheSameFile)
{
    SimulatorProcess sim(scenario());
    ASSERT_TRUE(sim.ready());
    QTemporaryDir dir;
    for (const RoundTrip &t : RoundTrips) {
        SCOPED_TRACE(std::string(t.model) + " " + t.protocol);
        const QString first = dir.filePath(QStringLiteral("first.csv"));
        const QString again = dir.filePath(QStringLiteral("again.csv"));
        const QString factory = dir.filePath(QStringLiteral("factory.csv"));
        ASSERT_EQ(vantactl(sim.link(), t, {"config-read", t.source, first}), 0);
        ASSERT_EQ(vantactl(sim.link(), t, {"config-read", t.target, factory}), 0);
        EXPECT_NE(sentLines(factory), sentLines(first));
        ASSERT_EQ(vantactl(sim.link(), t, {"config-send", first, t.target}), 0);
        ASSERT_EQ(vantactl(sim.link(), t, {"config-read", t.target, again}), 0);
        const QStringList before = sentLines(first);
        EXPECT_GT(before.size(), 10);
        EXPECT_EQ(sentLines(again), before);
    }
}

} // namespace
} // namespace vanta::test
