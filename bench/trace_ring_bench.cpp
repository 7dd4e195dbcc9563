// What the trace costs per frame: recording into the ring on the poll's path (copy and time
// stamp, no decoding), and the trace window's batch, which decodes and formats each row.
#include "comms/trace_ring.h"
#include "core/clock.h"
#include "diagnostics/trace_view.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vanta;

comms::TraceEvent request()
{
    return {comms::TraceDirection::Sent,
            QByteArray::fromHex("010307010001d4be"),
            comms::Protocol::ModbusRtu,
            1,
            1,
            0,
            QString()};
}

comms::TraceEvent reply()
{
    return {comms::TraceDirection::Received,
            QByteArray::fromHex("01030204d23ad9"),
            comms::Protocol::ModbusRtu,
            1,
            1,
            0,
            QString()};
}

// One frame recorded, the ring full, as it is on a line that has been busy for a while.
void BM_RecordFrame(benchmark::State &state)
{
    core::SystemClock clock;
    comms::TraceRing ring(clock);
    const comms::FrameTrace hook = ring.hook();
    const comms::TraceEvent events[] = {request(), reply()};
    for (int i = 0; i < comms::TraceCapacity; ++i)
        hook(events[i % 2]);
    int i = 0;
    for (auto _ : state)
        hook(events[++i % 2]);
}
BENCHMARK(BM_RecordFrame);

// One frame decoded into a window row: a batch of TraceBatchRows, timed per row.
void BM_BatchRow(benchmark::State &state)
{
    core::SystemClock clock;
    comms::TraceRing ring(clock);
    const comms::TraceEvent events[] = {request(), reply()};
    for (int i = 0; i < diagnostics::TraceBatchRows; ++i)
        ring.record(events[i % 2]);
    for (auto _ : state) {
        diagnostics::TraceView view(ring);
        benchmark::DoNotOptimize(view.takeBatch());
    }
    state.SetItemsProcessed(state.iterations() * diagnostics::TraceBatchRows);
}
BENCHMARK(BM_BatchRow);

} // namespace

BENCHMARK_MAIN();
