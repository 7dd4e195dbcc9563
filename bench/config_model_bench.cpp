// SetupFormFields over all parameter numbers of a group, with the delivered data files and the
// model that has the most fields, every numeric field holding a number to reformat.
#include "config/config_model.h"
#include "core/app_state.h"
#include "core/data_files.h"
#include "core/model_file.h"
#include "support/silent_interaction.h"

#include <benchmark/benchmark.h>
#include <memory>

using namespace vanta;

namespace {

struct Configuration
{
    Configuration(int group, const char *modelId)
    {
        app.Config.ControllerGroup = static_cast<qint16>(group);
        app.Config.ProtocolCode = QStringLiteral("R");
        core::loadDataFiles(app, user);
        model = std::make_unique<config::ConfigModel>(app);
        int slot = 0;
        QString name;
        core::FindModel(app.Catalogue, group, QString::fromLatin1(modelId), slot, name);
        model->selectModel(slot);
        for (const config::Parameter &p : model->parameters()) {
            model->field(p.reg).Text = QStringLiteral("1234.5");
            model->field(p.reg).Hours = QStringLiteral("3");
            model->field(p.reg).Minutes = QStringLiteral("7");
        }
    }

    core::AppState app{QStringLiteral(VANTA_DATA_DIR)};
    test::SilentInteraction user;
    std::unique_ptr<config::ConfigModel> model;
};

void SetupFormFields(benchmark::State &state, int group, const char *modelId)
{
    Configuration configuration(group, modelId);
    for (auto _ : state)
        configuration.model->SetupFormFields();
}

BENCHMARK_CAPTURE(SetupFormFields, group0_V5, 0, "V5")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SetupFormFields, group1_XK, 1, "XK")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SetupFormFields, group2_XW, 2, "XW")->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
