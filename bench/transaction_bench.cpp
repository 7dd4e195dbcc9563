// CPU cost of one transaction of each engine against an instant scripted instrument, and of the
// wait for a reply that never comes on a real (pseudo-terminal) line: the wait must sleep, so its
// CPU time stays far below its real time.
#include "comms/comm_link.h"
#include "comms/comm_port.h"
#include "comms/modbus_ascii.h"
#include "comms/modbus_rtu.h"
#include "comms/qt_serial_line.h"
#include "comms/vanta_link.h"
#include "core/app_state.h"
#include "core/clock.h"
#include "support/scripted_line.h"
#include "support/settable_clock.h"
#include "support/silent_interaction.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <pty.h>
#include <unistd.h>

namespace {

using namespace vanta;

struct ScriptedBench
{
    test::SettableClock clock;
    test::ScriptedLine line{clock};
    test::SilentInteraction ui;
    core::AppState app{QStringLiteral(".")};
    comms::CommLink link{app, line, clock, ui};

    explicit ScriptedBench(QByteArray reply)
    {
        app.Config.PollTimeout = 500;
        line.setPortOpen(true);
        app.setCommEnabled(true);
        line.responder = [reply](const QByteArray &) { return reply; };
    }
};

using ModbusRead = void (*)(comms::CommLink &, int, int, QString &, qint16 &, int, int, int, int,
                            QVector<float> &);

// One holding register read again and again from an instrument that answers `reply` at once.
void BM_ModbusRead(benchmark::State &state, ModbusRead read, const QByteArray &reply)
{
    ScriptedBench bench(reply);
    QVector<float> values;
    qint16 status = 0;
    QString text;
    for (auto _ : state) {
        read(bench.link, 1, 1794, text, status, 1, 0x2A0, comms::HoldingRegister, 1, values);
        benchmark::DoNotOptimize(values.data());
    }
    if (status != 0)
        state.SkipWithError("read failed");
}

QByteArray rtuReply()
{
    const QByteArray frame = QByteArray::fromHex("0103020005");
    return frame + comms::ModbusCRC(frame);
}

BENCHMARK_CAPTURE(BM_ModbusRead, rtu, &comms::ModbusRead_R, rtuReply());
BENCHMARK_CAPTURE(BM_ModbusRead, ascii, &comms::ModbusRead_A, QByteArray(":0103020005F5\r\n"));

void BM_VantaLinkRead(benchmark::State &state)
{
    const QString body = QStringLiteral("L010C110123");
    ScriptedBench bench((QChar(2) + body + comms::VantaLinkChecksum(body)).toLatin1() + '\x06');
    comms::VantaLinkValue value;
    qint16 status = 0;
    QString text;
    for (auto _ : state) {
        comms::VantaLinkRead(bench.link, text, status, 1, 0, value, 2);
        benchmark::DoNotOptimize(value.Value);
    }
    if (status != 0)
        state.SkipWithError("read failed");
}
BENCHMARK(BM_VantaLinkRead);

// Two attempts of 50 ms each with nobody on the other end of a pseudo-terminal.
void BM_SilentReplyWaitOnPseudoTerminal(benchmark::State &state)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    {
        core::SystemClock clock;
        test::SilentInteraction ui;
        core::AppState app{QStringLiteral(".")};
        comms::QtSerialLine line{QStringLiteral(".")};
        line.setDevicePath(QString::fromLocal8Bit(name));
        comms::CommLink link{app, line, clock, ui};
        app.Config.PollTimeout = 50;
        if (comms::InitComm(link, QStringLiteral("9600,N,8,1")) != 0) {
            state.SkipWithError("port did not open");
        } else {
            QVector<float> values;
            qint16 status = 0;
            QString text;
            for (auto _ : state)
                comms::ModbusRead_R(link, 1, 0, text, status, 1, 0x10, comms::HoldingRegister, 1,
                                    values);
        }
    }
    close(slave);
    close(master);
}
BENCHMARK(BM_SilentReplyWaitOnPseudoTerminal)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
