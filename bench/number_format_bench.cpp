// Cost of the number texts the windows build in bulk (a configuration page reformats every
// numeric field) and of a full settings file round trip with the largest instrument list.
#include "core/app_state.h"
#include "core/interaction.h"
#include "core/number_format.h"
#include "core/system_config_file.h"
#include "support/silent_interaction.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void FormatNumberWithGrouping(benchmark::State &state)
{
    const QString pattern = QStringLiteral("#,###,###,##0.0");
    float value = -1234.5f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vanta::core::formatNumber(value, pattern));
        value += 0.1f;
    }
}
BENCHMARK(FormatNumberWithGrouping);

void NumberText(benchmark::State &state)
{
    float value = 0.001f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vanta::core::numberText(value));
        value = value > 1e9f ? 0.001f : value * 1.01f;
    }
}
BENCHMARK(NumberText);

void SaveAndReadSettingsWith255Instruments(benchmark::State &state)
{
    QTemporaryDir dir;
    vanta::test::SilentInteraction ui;
    vanta::core::AppState app(dir.path());
    app.Config.Instruments.resize(255);
    for (int i = 0; i < 255; ++i)
        app.Config.Instruments[i].InstName = QStringLiteral("Oven %1").arg(i);
    for (auto _ : state) {
        vanta::core::SaveSystemConfig(app, ui);
        vanta::core::ReadSystemConfig(app, ui);
    }
}
BENCHMARK(SaveAndReadSettingsWith255Instruments)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
