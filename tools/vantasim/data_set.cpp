// Loading the catalogue and tables through the core loaders.
#include "data_set.h"

#include "core/app_state.h"
#include "core/interaction.h"
#include "core/model_file.h"
#include "core/table_files.h"

namespace vanta::sim {

namespace {

// Turns the loaders' message boxes into lines of a problem list.
class CollectingInteraction : public core::HeadlessInteraction
{
public:
    explicit CollectingInteraction(QStringList &problems) : m_problems(problems) {}

    core::MsgResult MsgBox(const QString &text, core::MsgButtons, core::MsgIcon,
                           const QString &title, core::MsgResult defaultButton) override
    {
        m_problems.append(title + QStringLiteral(": ") + QString(text).replace('\n', ' '));
        return defaultButton;
    }

private:
    QStringList &m_problems;
};

} // namespace

std::unique_ptr<DataSet> DataSet::load(const QString &folder, QStringList &problems)
{
    CollectingInteraction ui(problems);
    core::AppState app(folder);
    auto data = std::make_unique<DataSet>();
    // The loaders keep register lists for the current group only: read the catalogue once
    // per group.
    for (int group = 0; group < core::ControllerGroupCount; ++group) {
        app.Config.ControllerGroup = static_cast<qint16>(group);
        core::ReadModelFile(app, ui);
        const std::vector<core::ModelEntry> &entries = app.Catalogue.Models[group];
        for (size_t i = 0; i < entries.size(); ++i) {
            ModelInfo model;
            model.id = entries[i].ModelID.toUpper();
            model.name = entries[i].ModelName;
            model.type = entries[i].ModelType;
            model.group = group;
            const int slot = static_cast<int>(i) + 1;
            for (int reg = 1; reg <= core::MaxRegister; ++reg)
                model.registers[reg] = app.Catalogue.ModelRegisters(reg, slot);
            data->m_models.push_back(model);
        }
    }
    core::ReadCfgFieldFile(app, ui);
    core::ReadVantaXrefFile(app, ui);
    core::ReadxxKXrefFile(app, ui);
    core::ReadxxWXrefFile(app, ui);
    data->m_tables = app.Tables;
    return data;
}

const ModelInfo *DataSet::model(int group, const QString &id) const
{
    for (const ModelInfo &m : m_models) {
        if (m.group == group && m.id.compare(id, Qt::CaseInsensitive) == 0)
            return &m;
    }
    return nullptr;
}

} // namespace vanta::sim
