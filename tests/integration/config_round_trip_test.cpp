// vantactl config-read and config-send against vantasim: one model of each group in each
// protocol it speaks is read into a file, sent to a second instrument and read back, and both
// files hold the same configuration except what a send never writes.
#include "sim_line.h"

#include <QRegularExpression>

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
        return -1;
    return process.exitCode();
}

// The parameter lines of a file, without those a send never writes: the output hardware, the
// communication settings, the command boxes and the live status word.
QStringList sentLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("cannot open ") + path};
    static const QRegularExpression neverSent(
        QStringLiteral("^(3|769|772|102[89]|103[1256]|106[7-9]|107[0-4]|107[1-6]H),"));
    QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    lines.removeFirst(); // the address
    QStringList kept;
    for (const QString &line : lines) {
        if (!neverSent.match(line).hasMatch())
            kept << line;
    }
    return kept;
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
