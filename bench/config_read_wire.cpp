// Reads the whole configuration of the largest group-0 model over Modbus RTU from vantasim
// emulating a 9600 baud line with no think time, and prints the time taken as a ratio to the
// line time of the frames exchanged (3.5-character gaps included). Target: 1.05 or less.
#include "config/config_model.h"
#include "config/configuration_read.h"
#include "integration/sim_line.h"
#include "wire_time.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    using namespace vanta;
    QCoreApplication application(argc, argv);
    const QString settings = QStringLiteral("9600,N,8,1");
    test::SimulatorProcess sim("[line]\n[instrument big]\ngroup = 0\nprotocol = R\nmodel = V5\n"
                               "address = 1\nsettings = 9600,N,8,1\nnoise = 0\n",
                               {"--wire-speed", "--turnaround", "0"});
    if (!sim.ready()) {
        std::fprintf(stderr, "vantasim did not start\n");
        return 1;
    }
    test::ApplicationSide side(sim.link(), 1000);
    side.app.Config.ControllerGroup = 0;
    side.app.Config.ProtocolCode = QStringLiteral("R");
    side.app.PacingEnabled = false;
    core::ReadModelFile(side.app, side.ui);
    if (!side.open(settings))
        return 1;
    config::ConfigModel model(side.app);
    int slot = 0;
    QString name;
    core::FindModel(side.app.Catalogue, 0, QStringLiteral("V5"), slot, name);
    model.selectModel(slot);
    model.AddressText = QStringLiteral("01");
    bench::TraceRecorder recorder;
    side.link.trace = recorder.hook();
    QElapsedTimer timer;
    timer.start();
    const auto result = config::ReadControllerParameters(model, side.link);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const double wire = bench::wireSeconds(recorder.events, settings);
    std::printf("whole V5 read, Modbus RTU 9600,N,8,1: %s, %zu frames, %.3f s, wire %.3f s, "
                "ratio %.3f (target <= 1.05)\n",
                result == config::TransferResult::Completed ? "completed" : "STOPPED",
                recorder.events.size(), seconds, wire, seconds / wire);
    return result == config::TransferResult::Completed ? 0 : 1;
}
