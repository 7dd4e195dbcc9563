// VantaLnk3 started with a parameter file and addresses sends the file to each instrument of a
// vantasim line, ends by itself and tells by its exit status whether every send completed.
#include "config_files.h"
#include "sim_line.h"

namespace vanta::test {
namespace {

// Three V5 controllers at factory settings and a source at 09 that differs from them, all on
// Vanta Link at the delivered settings (group 0, 9600,N,8,1).
QByteArray line()
{
    QByteArray text = "[line]\n";
    for (const char *address : {"01", "02", "03", "09"}) {
        text += QByteArray("[instrument i") + address +
                "]\ngroup = 0\nprotocol = L\nmodel = V5\nsettings = 9600,N,8,1\nnoise = 0\n" +
                "address = " + address + "\n";
        if (QByteArray(address) == "09")
            text += "sp = 123.0\n";
    }
    return text;
}

// The program's exit status; -1 when it did not end by itself within two minutes.
int runProgram(const QString &home, const QStringList &arguments)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VANTA_HOME"), home);
    environment.insert(QStringLiteral("TMPDIR"), home); // its own single-copy lock
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("VANTA_UNATTENDED"), QStringLiteral("1"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(VANTA_BIN_DIR "/VantaLnk3"), arguments);
    if (!program.waitForFinished(120000)) {
        program.kill();
        program.waitForFinished(1000);
        return -1;
    }
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
}

TEST(AutoSendProcess, SendsOneFileToEveryAddressAndEndsWithItsStatus)
{
    SimulatorProcess sim(line());
    ASSERT_TRUE(sim.ready());
    QTemporaryDir home;
    ASSERT_TRUE(prepareProgramFolder(home.path(), sim.link()));
    const QString file = QDir(home.path()).filePath(QStringLiteral("furnace settings.csv"));
    ASSERT_EQ(runVantactl(sim.link(), 0, "L", {"config-read", "09", file}), 0);
    const QStringList sent = sentLines(file);
    ASSERT_GT(sent.size(), 10);
    const QString factory = QDir(home.path()).filePath(QStringLiteral("factory.csv"));
    ASSERT_EQ(runVantactl(sim.link(), 0, "L", {"config-read", "01", factory}), 0);
    ASSERT_NE(sentLines(factory), sent);

    EXPECT_EQ(runProgram(home.path(), {file, "01", "02", "03"}), 0);
    for (const char *address : {"01", "02", "03"}) {
        SCOPED_TRACE(address);
        const QString back = QDir(home.path()).filePath(QStringLiteral("back.csv"));
        ASSERT_EQ(runVantactl(sim.link(), 0, "L", {"config-read", address, back}), 0);
        EXPECT_EQ(sentLines(back), sent);
    }

    // 04 never answers: the program still ends, and says that not every send completed.
    EXPECT_EQ(runProgram(home.path(), {file, "01", "04"}), 1);
}

} // namespace
} // namespace vanta::test
