// The configuration window on the offscreen platform: opening it (build, show, first paint)
// and a model change chosen in the header (field rules, copy into the controls, repaint), for
// the model with the most fields of groups 0 and 1, on the page with the most controls.
#include "config/frmConfig.h"
#include "core/data_files.h"
#include "no_line.h"
#include "support/settable_clock.h"
#include "support/silent_interaction.h"

#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <benchmark/benchmark.h>
#include <memory>

using namespace vanta;

namespace {

struct Program
{
    explicit Program(int group)
    {
        app.Config.ControllerGroup = static_cast<qint16>(group);
        app.Config.ProtocolCode = QStringLiteral("R");
        core::loadDataFiles(app, user);
    }

    core::AppState app{QStringLiteral(VANTA_DATA_DIR)};
    test::SettableClock clock;
    bench::NoLine line;
    test::SilentInteraction user;
    comms::CommLink link{app, line, clock, user};
    ui::Navigator navigator{app, link};
};

// The user's choice of entry `index` in a list of the window.
void choose(QWidget &window, const QString &list, int index)
{
    auto *combo = window.findChild<QComboBox *>(list);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

int modelIndex(const QWidget &window, int group, const char *id)
{
    const auto *combo = window.findChild<QComboBox *>(QStringLiteral("cbxModelID_%1").arg(group));
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).endsWith(QLatin1String(id)))
            return i;
    }
    return -1;
}

void OpenWindow(benchmark::State &state, int group)
{
    Program program(group);
    for (auto _ : state) {
        auto window = std::make_unique<config::frmConfig>(program.navigator.context());
        window->show();
        QApplication::processEvents();
        window->repaint();
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// Alternates between two models on the ramp/soak page shown.
void ChangeModel(benchmark::State &state, int group, const char *first, const char *second,
                 int page)
{
    Program program(group);
    config::frmConfig window(program.navigator.context());
    window.show();
    if (group == 1)
        choose(window, QStringLiteral("cbxParameter_4101"), 3); // ramp/soak pages available
    window.findChild<QTabWidget *>(QStringLiteral("tabConfig_%1").arg(group))
        ->setCurrentIndex(page);
    QApplication::processEvents();
    const int models[] = {modelIndex(window, group, first), modelIndex(window, group, second)};
    if (models[0] < 0 || models[1] < 0) {
        state.SkipWithError("model missing");
        return;
    }
    int turn = 0;
    for (auto _ : state) {
        choose(window, QStringLiteral("cbxModelID_%1").arg(group), models[turn ^= 1]);
        window.repaint();
    }
}

BENCHMARK_CAPTURE(OpenWindow, group0, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenWindow, group1, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenWindow, group2, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChangeModel, group0_HM_V5, 0, "HM", "V5", 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChangeModel, group1_QT_XK, 1, "QT", "XK", 2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
