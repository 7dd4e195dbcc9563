// The instrument search over addresses 1..32 at one setting against vantasim at wire speed with
// no think time and three instruments present, against the time the line cannot avoid: every
// frame on the wire plus two reply time-outs per absent address. The ratio is the counter
// "ratio"; 1.05 or below is the target.
#include "bench/wire_time.h"
#include "comms/comm_port.h"
#include "comms/qt_serial_line.h"
#include "core/data_files.h"
#include "discovery/instrument_search.h"
#include "support/silent_interaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

namespace {

using namespace vanta;

constexpr int PollTimeoutMs = 100;
constexpr int Addresses = 32;
constexpr int Present = 3;
const QString Settings = QStringLiteral("9600,N,8,1");

const char *const Scenario = "[line]\n"
                             "[instrument a]\ngroup = 0\nprotocol = R\nmodel = HM\naddress = 5\n"
                             "settings = 9600,N,8,1\n"
                             "[instrument b]\ngroup = 0\nprotocol = R\nmodel = W4\naddress = 11\n"
                             "settings = 9600,N,8,1\n"
                             "[instrument c]\ngroup = 0\nprotocol = R\nmodel = Z9\naddress = 20\n"
                             "settings = 9600,N,8,1\n";

// vantasim serving the scenario on a pseudo-terminal linked at `link`; false when it fails.
bool startSimulator(QProcess &sim, const QTemporaryDir &dir, const QString &link)
{
    QFile file(dir.filePath(QStringLiteral("line.scn")));
    if (!file.open(QIODevice::WriteOnly) || file.write(Scenario) < 0)
        return false;
    file.close();
    sim.setProgram(QStringLiteral(VANTA_BIN_DIR "/vantasim"));
    sim.setArguments({"--link", link, "--scenario", file.fileName(), "--data", VANTA_BIN_DIR,
                      "--wire-speed", "--turnaround", "0"});
    sim.start();
    for (int i = 0; i < 250 && !QFileInfo(link).isSymLink(); ++i)
        QThread::msleep(20);
    return QFileInfo(link).isSymLink();
}

// The frames of the instruments present: a time-out of an absent address starts when its
// request is sent, so that request's line time is inside the time-out already.
std::vector<comms::TraceEvent> presentOnly(const std::vector<comms::TraceEvent> &events)
{
    std::vector<comms::TraceEvent> kept;
    for (const comms::TraceEvent &event : events) {
        if (event.address == 5 || event.address == 11 || event.address == 20)
            kept.push_back(event);
    }
    return kept;
}

void BM_SearchAddresses1To32(benchmark::State &state)
{
    QTemporaryDir dir;
    QProcess sim;
    const QString link = dir.filePath(QStringLiteral("line"));
    if (!startSimulator(sim, dir, link)) {
        state.SkipWithError("vantasim did not start");
        return;
    }
    core::SystemClock clock;
    test::SilentInteraction ui;
    core::AppState app{QStringLiteral(VANTA_BIN_DIR)};
    core::loadDataFiles(app, ui);
    app.Config.PollTimeout = PollTimeoutMs;
    app.Config.BaudRate = 9600;
    app.Config.Parity = QStringLiteral("None");
    app.Config.DataBits = 8;
    app.Config.StopBits = 1;
    comms::QtSerialLine line{QStringLiteral(VANTA_BIN_DIR)};
    line.setDevicePath(link);
    comms::CommLink commLink{app, line, clock, ui};
    comms::InitComm(commLink, Settings);
    core::LoopTracker loops;
    discovery::InstrumentSearch search(commLink, loops);
    const discovery::SearchChoices choices{0, 1, 1, Addresses, "9600", "None", "8", "1"};

    double ratio = 0;
    int found = 0;
    for (auto _ : state) {
        bench::TraceRecorder trace;
        commLink.trace = trace.hook();
        QElapsedTimer timer;
        timer.start();
        found = search.run(choices, {}).found;
        const double measured = timer.nsecsElapsed() / 1e9;
        state.SetIterationTime(measured);
        const double unavoidable = bench::wireSeconds(presentOnly(trace.events), Settings) +
                                   2.0 * PollTimeoutMs / 1000.0 * (Addresses - Present);
        ratio = measured / unavoidable;
    }
    state.counters["ratio"] = ratio;
    state.counters["found"] = found;
    sim.terminate();
    sim.waitForFinished(3000);
}
BENCHMARK(BM_SearchAddresses1To32)->UseManualTime()->Iterations(3)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
