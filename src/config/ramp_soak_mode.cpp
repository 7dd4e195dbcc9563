// Checks and selection of the ramp/soak-only edit.
#include "config/ramp_soak_mode.h"

#include "config/config_model.h"
#include "core/address.h"
#include "core/app_state.h"
#include "core/interaction.h"

namespace vanta::config {

namespace {

QString notEditable(const QString &what)
{
    return QStringLiteral("The ") + what +
           QStringLiteral(" of the selected instrument does not match your current "
                          "communications settings.  The ramp/soak settings cannot be editted.  "
                          "To fix this click on the Communications Menu Option at the top and "
                          "then Setup.");
}

bool warn(core::Interaction &ui, const QString &text, const QString &title)
{
    ui.MsgBox(text, core::MsgButtons::Ok, core::MsgIcon::Exclamation, title, core::MsgResult::Ok);
    return false;
}

} // namespace

bool RampSoakRequestFits(const ConfigModel &model, const core::AppState &app, core::Interaction &ui)
{
    if (app.RSProtocol != app.Config.ProtocolCode)
        return warn(ui, notEditable(QStringLiteral("protocol")),
                    QStringLiteral("Protocol Does Not Match"));
    if (app.RSGroup != app.Config.ControllerGroup)
        return warn(ui, notEditable(QStringLiteral("controller group")),
                    QStringLiteral("Controller Group Does Not Match"));
    if (model.RampSoakModelIndex() == 0)
        return warn(ui,
                    QStringLiteral("The model type file does not contain a RS type model that "
                                   "allows for ramp/soak only setup.  This function cannot be "
                                   "performed."),
                    QStringLiteral("No Ramp/Soak Model Type"));
    return true;
}

void SelectRampSoakModel(ConfigModel &model, const core::AppState &app)
{
    model.selectModel(model.RampSoakModelIndex());
    model.SetupFormFields();
    model.AddressText = core::FormatAddress(app.Config.ControllerGroup, app.RSAddress);
}

} // namespace vanta::config
