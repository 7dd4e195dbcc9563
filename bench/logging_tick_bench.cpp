// The logging tick with 40 running sessions: a tick in which every session writes a sample
// (open, append, close per line) and a tick in which none is due.
#include "comms/timing.h"
#include "logging/logging_sessions.h"
#include "no_line.h"
#include "support/settable_clock.h"
#include "support/silent_interaction.h"

#include <QTemporaryDir>
#include <QTimeZone>
#include <benchmark/benchmark.h>

using namespace vanta;

namespace {

struct Sessions
{
    QTemporaryDir folder;
    core::AppState app{folder.path()};
    test::SettableClock clock;
    bench::NoLine line;
    test::SilentInteraction user;
    comms::CommLink link{app, line, clock, user};
    logging::LoggingEngine engine{link, [](const core::InstrumentRecord &) {
                                      return logging::ProcessReading{21.5f, 0, {}};
                                  }};

    explicit Sessions(float rate)
    {
        // A clock in UTC, so the fake's own local-time conversions stay out of the timings.
        clock.setLocal(QDateTime(QDate(2009, 3, 15), QTime(10, 0), QTimeZone::utc()));
        for (int i = 0; i < 40; ++i) {
            core::InstrumentRecord instrument;
            instrument.InstAddress = QString::number(i + 1).rightJustified(3, QLatin1Char('0'));
            instrument.LogRate = rate;
            instrument.LogDuration = 28800;
            instrument.LogState = logging::LogStates::Started;
            instrument.LogStartSeconds = comms::SystemTimeNow(clock) * 86400;
            instrument.LogFile = folder.filePath(instrument.InstAddress + QStringLiteral(".csv"));
            app.Config.Instruments.push_back(instrument);
        }
    }
};

void TickWritingEverySession(benchmark::State &state)
{
    Sessions sessions(0.1f);
    for (auto _ : state) {
        sessions.clock.advance(0.1);
        sessions.engine.tmrLogging_Timer();
    }
    if (!sessions.app.LoggingActive())
        state.SkipWithError("the sessions ended");
    state.SetItemsProcessed(state.iterations() * 40);
}
BENCHMARK(TickWritingEverySession)->Unit(benchmark::kMicrosecond);

void TickWithNothingDue(benchmark::State &state)
{
    Sessions sessions(3600);
    sessions.engine.tmrLogging_Timer(); // the first samples
    for (auto _ : state)
        sessions.engine.tmrLogging_Timer();
    if (!sessions.app.LoggingActive())
        state.SkipWithError("the sessions ended");
}
BENCHMARK(TickWithNothingDue)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
