// The simulator's request framer on hostile input: a flood of request starts that never end,
// handed over in the chunks one read of the pseudo-terminal gives, then one good request.
// Throughput in bytes per second; the arguments are the flood's size and the chunk size.
#include "frames.h"

#include <benchmark/benchmark.h>

namespace {

using vanta::sim::RequestFramer;

void frameFlood(benchmark::State &state, const QByteArray &start, const QByteArray &request)
{
    const QByteArray flood = start.repeated(static_cast<qsizetype>(state.range(0)) / start.size());
    const auto chunk = static_cast<qsizetype>(state.range(1));
    for (auto _ : state) {
        RequestFramer framer;
        int frames = 0;
        for (qsizetype at = 0; at < flood.size(); at += chunk) {
            framer.append(flood.mid(at, chunk));
            while (framer.next())
                ++frames;
        }
        framer.append(request);
        while (framer.next())
            ++frames;
        benchmark::DoNotOptimize(frames);
    }
    state.SetBytesProcessed(state.iterations() * (flood.size() + request.size()));
}

void ModbusAsciiStarts(benchmark::State &state)
{
    frameFlood(state, ":", ":010310000001EB\r\n");
}

void VantaLinkStarts(benchmark::State &state)
{
    frameFlood(state, "\x02L", "\x02L0100C1\x03");
}

// One pseudo-terminal read of 4 KiB or 64 KiB (the simulator's most per read), and a quarter
// megabyte handed over at once.
void floodSizes(benchmark::internal::Benchmark *bench)
{
    bench->Args({1 << 20, 4096})->Args({1 << 20, 65536})->Args({1 << 18, 1 << 18});
}

} // namespace

BENCHMARK(ModbusAsciiStarts)->Apply(floodSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(VantaLinkStarts)->Apply(floodSizes)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
