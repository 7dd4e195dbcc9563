// One full monitor pass over 40 simulated instruments at 9600 baud, wire speed, no turnaround
// and no pacing file: the pass time against the line time of its requests and replies, per
// protocol, with the protocol trace recording every frame and a trace window taking its rows,
// and with one instrument silent, the option to poll it less often off and on.
#include "comms/comm_port.h"
#include "comms/trace_ring.h"
#include "core/address.h"
#include "core/clock.h"
#include "diagnostics/trace_view.h"
#include "integration/sim_line.h"
#include "monitor/monitor_pass.h"
#include "wire_time.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

using namespace vanta;

namespace {

constexpr int Instruments = 40;
const QString Settings = QStringLiteral("9600,N,8,1");

struct Kind
{
    const char *name;
    int group;
    const char *protocol;
    const char *model;
};

QString addressText(int group, int address)
{
    return core::FormatAddress(group, address);
}

QByteArray scenario(const Kind &kind)
{
    QByteArray text = "[line]\nturnaround = 0\n";
    for (int address = 1; address <= Instruments; ++address) {
        text += "\n[instrument i" + QByteArray::number(address) +
                "]\ngroup = " + QByteArray::number(kind.group) + "\nprotocol = " + kind.protocol +
                "\naddress = " + addressText(kind.group, address).toLatin1() +
                "\nmodel = " + kind.model +
                "\nsettings = 9600,N,8,1\nunits = C\npv = 21.0\nsp = 200.0\n";
    }
    return text;
}

struct PassResult
{
    double seconds = 0;
    double wire = 0;
};

// The trace as the open window sees it: every frame recorded into the ring, and the rows taken
// in batches as the window's timer does between the pass's steps.
struct OpenTraceWindow
{
    core::SystemClock clock;
    comms::TraceRing ring{clock};
    diagnostics::TraceView view{ring};
    int sinceBatch = 0;

    comms::FrameTrace hook(comms::FrameTrace inner)
    {
        comms::FrameTrace record = ring.hook();
        return [this, inner, record](const comms::TraceEvent &event) {
            inner(event);
            record(event);
            if (++sinceBatch >= 20) {
                sinceBatch = 0;
                view.takeBatch();
            }
        };
    }
};

// `silentAddress` (when not 0) is listed but missing from the line.
PassResult runPasses(const Kind &kind, int silentAddress, bool option, int passes,
                     bool traced = false)
{
    test::SimulatorProcess sim(scenario(kind), {"--wire-speed", "--turnaround", "0"});
    test::ApplicationSide side(sim.link(), 500);
    if (!sim.ready() || !side.open(Settings))
        return {-1, -1};
    for (int address = 1; address <= Instruments; ++address) {
        core::InstrumentRecord record;
        const int listed = address == silentAddress ? 200 : address; // nobody answers there
        record.InstAddress = addressText(kind.group, listed);
        record.InstName = QStringLiteral("Zone %1").arg(address);
        record.InstProtocol = QString::fromLatin1(kind.protocol);
        record.InstGroup = static_cast<qint16>(kind.group);
        side.app.Config.Instruments.push_back(record);
    }
    side.app.Config.TempPollRate = 1;
    side.app.Config.SPPollRate = 1;
    monitor::MonitorRows rows;
    rows.fill(side.app.Config.Instruments);
    rows.restore(monitor::entryTexts(side.app.Config.Instruments));
    core::LoopTracker loops;
    monitor::MonitorPass pass(side.link, rows, loops);
    pass.PollSilentLess = option;
    bench::TraceRecorder trace;
    OpenTraceWindow window;
    PassResult result;
    for (int run = 0; run < passes; ++run) {
        trace.events.clear();
        side.link.trace = traced ? window.hook(trace.hook()) : trace.hook();
        pass.forcePass();
        QElapsedTimer timer;
        timer.start();
        pass.tmrPoll_Timer();
        result.seconds = timer.nsecsElapsed() / 1e9;
        result.wire = bench::wireSeconds(trace.events, Settings);
    }
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const Kind kinds[] = {{"Vanta Link, group 0", 0, "L", "V5"},
                          {"Modbus RTU, group 1", 1, "R", "QT"},
                          {"Modbus ASCII, group 2", 2, "A", "XW"}};
    std::printf("%-24s %10s %10s %7s\n", "protocol", "pass s", "wire s", "ratio");
    for (const Kind &kind : kinds) {
        const PassResult r = runPasses(kind, 0, false, 2);
        std::printf("%-24s %10.3f %10.3f %7.3f\n", kind.name, r.seconds, r.wire,
                    r.wire > 0 ? r.seconds / r.wire : 0);
    }
    // The same passes with the protocol trace open.
    for (const Kind &kind : kinds) {
        const PassResult plain = runPasses(kind, 0, false, 2);
        const PassResult traced = runPasses(kind, 0, false, 2, true);
        std::printf("%-24s trace closed %8.3f s, open %8.3f s, growth %+6.2f%%\n", kind.name,
                    plain.seconds, traced.seconds,
                    plain.seconds > 0 ? 100.0 * (traced.seconds / plain.seconds - 1) : 0);
    }
    // One silent instrument, fourth pass (the option backs off after three failed passes).
    for (const bool option : {false, true}) {
        const PassResult r = runPasses(kinds[1], 7, option, 4);
        std::printf("one silent, option %-5s %10.3f %10.3f\n", option ? "on" : "off", r.seconds,
                    r.wire);
    }
    return 0;
}
