// A configuration model over the delivered data files for one controller group and protocol,
// with a scripted user.
#pragma once

#include "config/config_model.h"
#include "core/app_state.h"
#include "core/data_files.h"
#include "core/model_file.h"
#include "support/scripted_interaction.h"

#include <gtest/gtest.h>
#include <memory>

namespace vanta::test {

// Selects the model with this id in the model's group and applies the field rules.
inline void selectModelById(config::ConfigModel &model, const core::AppState &app, const char *id)
{
    int slot = 0;
    QString name;
    core::FindModel(app.Catalogue, model.group(), QString::fromLatin1(id), slot, name);
    ASSERT_GT(slot, 0) << id;
    model.selectModel(slot);
    model.SetupFormFields();
}

class ConfigRig
{
public:
    explicit ConfigRig(int group, const char *protocol = "R") : app(QStringLiteral(VANTA_DATA_DIR))
    {
        app.Config.ControllerGroup = static_cast<qint16>(group);
        app.Config.ProtocolCode = QString::fromLatin1(protocol);
        core::loadDataFiles(app, ui);
        ui.boxes.clear();
        model = std::make_unique<config::ConfigModel>(app);
    }

    void select(const char *id) { selectModelById(*model, app, id); }

    core::AppState app;
    ScriptedInteraction ui;
    std::unique_ptr<config::ConfigModel> model;
};

} // namespace vanta::test
