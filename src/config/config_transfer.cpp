// The instrument access, parameter order and failure labels of whole-configuration transfers.
#include "config/config_transfer.h"

#include "comms/register_access.h"
#include "config/config_model.h"
#include "core/address.h"
#include "core/app_state.h"

#include <algorithm>

namespace vanta::config {

namespace {

bool isRampSoakPatternField(int reg)
{
    return (reg >= 4160 && reg <= 4199) || (reg >= 8192 && reg <= 8383);
}

} // namespace

bool leaveDemoMode(comms::CommLink &link, const QString &question)
{
    if (!link.app.DemoMode())
        return true;
    const core::MsgResult answer =
        link.ui.MsgBox(question, core::MsgButtons::YesNo, core::MsgIcon::Question,
                       QStringLiteral("Switch out of Demo Mode"), core::MsgResult::No);
    if (answer != core::MsgResult::Yes)
        return false;
    link.app.setDemoMode(false);
    return true;
}

InstrumentAccess::InstrumentAccess(comms::CommLink &link, const ConfigModel &model)
    : m_link(link), m_group(model.group()), m_protocol(link.app.Config.ProtocolCode),
      m_address(core::ParseAddress(model.group(), model.AddressText))
{}

comms::ValueOutcome<float> InstrumentAccess::read(int reg)
{
    comms::ValueOutcome<float> result;
    comms::ReadRegister(m_link, m_group, m_protocol, result.text, result.status, m_address, reg,
                        result.value);
    return result;
}

comms::Outcome InstrumentAccess::write(int reg, double value)
{
    comms::Outcome result;
    comms::WriteRegister(m_link, m_group, m_protocol, result.text, result.status, m_address, reg,
                         static_cast<float>(value));
    return result;
}

void showTransferProgress(const TransferHooks &hooks, const QString &action,
                          const QString &registerText)
{
    if (!hooks.showProgress)
        return;
    hooks.showProgress(
        registerText.isEmpty() ? QString() : action + QStringLiteral(" Parameter") + registerText);
    if (hooks.letEventsRun)
        hooks.letEventsRun();
}

std::vector<int> modelParameters(const ConfigModel &model)
{
    std::vector<int> regs;
    for (const Parameter &p : model.parameters()) {
        if (model.modelHas(p.reg))
            regs.push_back(p.reg);
    }
    std::sort(regs.begin(), regs.end());
    return regs;
}

QString failureLabel(const ConfigModel &model, int reg)
{
    if (!model.hasField(reg) || model.parameter(reg).kind == ControlKind::BitBoxes)
        return {};
    if (isRampSoakPatternField(reg))
        return QStringLiteral("(Ramp/Soak)");
    return QLatin1Char('(') + model.parameter(reg).caption + QLatin1Char(')');
}

QString unknownModelText(const ConfigModel &model, const QString &modelFileName, double value,
                         const QString &id, const QString &verb)
{
    return QStringLiteral("The Model ID >") + id + QStringLiteral(" (Code=") +
           QString::number(value) +
           QStringLiteral(") does not exist as a valid model ID in file ") + modelFileName +
           QStringLiteral(".  If the model you communicating to is not a model ") +
           model.ModelName() +
           QStringLiteral(" then you must manually select the Model ID in order to properly %1 "
                          "the instrument parameters.  Do you want to continue with the %2 of "
                          "the instrument parameters?")
               .arg(verb, verb == QLatin1String("read") ? QStringLiteral("reading")
                                                        : QStringLiteral("writing"));
}

QString fixedRegisterText(int reg)
{
    return QLatin1Char(' ') + QString::number(reg);
}

} // namespace vanta::config
