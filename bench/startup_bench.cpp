// Start-up time of the application: from launching VantaLnk3 to its main window being shown,
// on the offscreen platform, with the delivered data files in a fresh program folder and a
// pseudo-terminal as COM1 (so the port opens as on a real line).
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <pty.h>
#include <unistd.h>

namespace {

// A pseudo-terminal held open for the benchmark's whole run.
class HeldPty
{
public:
    HeldPty()
    {
        char name[256] = {};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0)
            m_path = QString::fromLocal8Bit(name);
    }
    ~HeldPty()
    {
        if (m_master >= 0)
            close(m_master);
        if (m_slave >= 0)
            close(m_slave);
    }
    const QString &path() const { return m_path; }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};

bool prepareProgramFolder(const QTemporaryDir &home, const QString &device)
{
    const QDir data(QStringLiteral(VANTA_DATA_DIR));
    const QStringList files =
        data.entryList({"*.txt", "*.TXT", "*.bmp", "*.cfg", "*.val"}, QDir::Files);
    for (const QString &name : files) {
        if (name != QLatin1String("CMakeLists.txt"))
            QFile::copy(data.filePath(name), QDir(home.path()).filePath(name));
    }
    QFile ports(QDir(home.path()).filePath(QStringLiteral("CommPorts.txt")));
    if (!ports.open(QIODevice::WriteOnly))
        return false;
    ports.write("Port map for the start-up benchmark\r\n\r\n\r\n\r\n\r\n");
    ports.write("1," + device.toLocal8Bit() + "\r\n");
    return true;
}

// Launch to "main window shown" on standard output; negative when it never came.
double secondsToMainWindow(const QString &home)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VANTA_HOME"), home);
    environment.insert(QStringLiteral("VANTA_STARTUP_PROBE"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::SeparateChannels);

    QElapsedTimer timer;
    timer.start();
    program.start(QStringLiteral(VANTALNK3_PATH), {});
    QByteArray output;
    while (!output.contains("main window shown")) {
        if (!program.waitForReadyRead(5000))
            return -1;
        output += program.readAllStandardOutput();
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    program.waitForFinished(5000);
    return seconds;
}

void BM_LaunchToMainWindow(benchmark::State &state)
{
    HeldPty pty;
    QTemporaryDir home;
    if (pty.path().isEmpty() || !home.isValid() || !prepareProgramFolder(home, pty.path())) {
        state.SkipWithError("no pseudo-terminal or program folder");
        return;
    }
    for (auto _ : state) {
        const double seconds = secondsToMainWindow(home.path());
        if (seconds < 0) {
            state.SkipWithError("the main window was never shown");
            return;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_LaunchToMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
