// Sending a whole configuration: demo mode, the model and output checks, opening the
// instrument for remote changes, the leading writes, the main pass and the closing write.
#include "config/configuration_send.h"

#include "config/config_model.h"
#include "config/send_rules.h"
#include "core/app_error.h"
#include "core/app_state.h"
#include "core/model_file.h"
#include "core/registers.h"

#include <cmath>
#include <optional>

namespace vanta::config {

namespace {

using core::MsgButtons;
using core::MsgIcon;
using core::MsgResult;

const QString CommsErrorTitle = QStringLiteral("Send to Instrument Communications Error");
const QString NotSaved = QStringLiteral(" This parameter was not saved in the instrument.  Do you "
                                        "want to continue and try the next parameter ?");

class ConfigSender
{
public:
    ConfigSender(ConfigModel &model, comms::CommLink &link, SendMode mode,
                 const TransferHooks &hooks)
        : m_model(model), m_link(link), m_mode(mode), m_hooks(hooks), m_access(link, model),
          m_remote(remoteChangeRegister(model.group()))
    {}

    TransferResult run();
    int current() const { return m_current; }
    void endEarly();

private:
    bool checkModel();
    bool checkOutputs();
    bool checkOutput(int reg, int output);
    bool open();
    bool askToEnableRemoteChanges();
    bool readPreviousRemoteValue();
    bool writeEepromChoice();
    bool writeLeading();
    bool writeMainPass();
    bool close();
    bool sendHeader(int reg, qint16 value);
    bool send(int reg);
    bool write(int reg, int wireReg, double value);
    bool ask(const QString &title, const QString &text);
    bool failed(int reg, const comms::Outcome &outcome);
    bool remoteChangeShown() const;
    double remoteChangeOnScreen() const;
    void progress(const QString &registerText);

    ConfigModel &m_model;
    comms::CommLink &m_link;
    SendMode m_mode;
    const TransferHooks &m_hooks;
    InstrumentAccess m_access;
    int m_remote;
    int m_current = 0;
    bool m_leadingWritten = false;
    bool m_opened = false;
    std::optional<float> m_previousRemote;
    int m_done = 0;
    int m_total = 0;
};

TransferResult ConfigSender::run()
{
    if (!leaveDemoMode(
            m_link, QStringLiteral(
                        "You are currently in DEMO MODE.  Do you want to exit DEMO MODE and send "
                        "the setup to the instrument ?")))
        return TransferResult::Stopped;
    m_total = static_cast<int>(modelParameters(m_model).size());
    const bool completed =
        checkModel() && checkOutputs() && open() && writeLeading() && writeMainPass() && close();
    if (!completed) {
        endEarly();
        return TransferResult::Stopped;
    }
    m_model.SetupFormFields();
    progress(QString());
    return TransferResult::Completed;
}

// The instrument stays as open for changes as it was before the send began.
void ConfigSender::endEarly()
{
    if (m_opened && m_previousRemote)
        (void)m_access.write(m_remote, *m_previousRemote);
    m_opened = false;
    progress(QString());
}

bool ConfigSender::checkModel()
{
    if (m_link.app.RSModel) {
        const QString id = m_model.ModelId();
        if (m_link.app.Config.ProtocolCode != QLatin1String("L") ||
            (id != QLatin1String("HM") && id != QLatin1String("N8")))
            return true;
        m_link.ui.MsgBox(QStringLiteral("Model ") + m_model.ModelName() +
                             QStringLiteral(" does not support Vanta Link protocol. Select a "
                                            "different model."),
                         MsgButtons::Ok, MsgIcon::Exclamation,
                         QStringLiteral("Invalid Model for Vanta Link"), MsgResult::Ok);
        return false;
    }
    m_current = core::ModelIdRegister;
    progress(fixedRegisterText(core::ModelIdRegister));
    const comms::ValueOutcome<float> read = m_access.read(core::ModelIdRegister);
    if (!read.succeeded())
        return failed(core::ModelIdRegister, read);
    QString id;
    QString type;
    QString name;
    int slot = 0;
    core::LookUpModel(m_link.app.Catalogue, m_model.group(), read.value, id, type, slot, name);
    if (slot == 0)
        return ask(QStringLiteral("Invalid Model ID"),
                   unknownModelText(m_model, m_link.app.ModelFileName, read.value, id,
                                    QStringLiteral("write")));
    if (slot == m_model.SelectedModel())
        return true;
    m_link.ui.MsgBox(QStringLiteral("The Model Name >") + name +
                         QStringLiteral(" in the instrument does not match the one on the "
                                        "screen >") +
                         m_model.ModelName() +
                         QStringLiteral(".  Change the model or the address on the screen and "
                                        "try again."),
                     MsgButtons::Ok, MsgIcon::Exclamation,
                     QStringLiteral("Model Names Are Not The Same"), MsgResult::Ok);
    return false;
}

bool ConfigSender::checkOutputs()
{
    return checkOutput(OutputHardwareRegisters[0], 1) && checkOutput(OutputHardwareRegisters[1], 2);
}

// The instrument's output hardware against the output's list: a current or voltage output
// (code 6) must be "Current or Voltage" (position 1), any other output cannot be.
bool ConfigSender::checkOutput(int reg, int output)
{
    if (!m_model.modelHas(reg) || !m_model.field(reg).Visible)
        return true;
    m_current = reg;
    progress(fixedRegisterText(reg));
    const comms::ValueOutcome<float> read = m_access.read(reg);
    if (!read.succeeded())
        return failed(reg, read);
    const bool analogOutput = read.value == 6;
    const bool analogChosen = m_model.field(reg).ListIndex == 1;
    if (analogOutput == analogChosen)
        return true;
    const QString n = QString::number(output);
    return ask(QStringLiteral("Output %1 Control Setting is Invalid").arg(n),
               QStringLiteral("Because of the hardware in your instrument, the selection for "
                              "'Output %1 Control (Out%1)' on the 'Output Setup' tab %2 be "
                              "'Current or Voltage'.  Do you want to continue with the send to "
                              "the instrument? (If you select yes then your selection for "
                              "'Output %1 Control' will be ignored by the instrument.)")
                   .arg(n, analogOutput ? QStringLiteral("must") : QStringLiteral("cannot")));
}

// The ramp/soak-only edit has no remote-change field: the instrument is opened whatever it
// was and gets its own value back at the end.
bool ConfigSender::open()
{
    const bool rampSoakOnly = m_link.app.RSModel;
    if (!rampSoakOnly && !remoteChangeShown())
        return writeEepromChoice();
    if (!rampSoakOnly && remoteChangeOnScreen() == 0 && !askToEnableRemoteChanges())
        return false;
    if (!readPreviousRemoteValue())
        return false;
    m_current = m_remote;
    progress(m_model.GStr(m_remote));
    const comms::Outcome opened = m_access.write(m_remote, 1);
    if (!opened.succeeded() && !failed(m_remote, opened))
        return false;
    m_opened = opened.succeeded();
    return writeEepromChoice();
}

bool ConfigSender::askToEnableRemoteChanges()
{
    return ask(QStringLiteral("Remote Change via Communications is Disabled"),
               QStringLiteral("You have selected to disable 'Remote Changes via "
                              "Communications'. Do you want to temporarily enable Remote Changes "
                              "and send the parameters to the instrument?"));
}

bool ConfigSender::readPreviousRemoteValue()
{
    m_current = m_remote;
    progress(fixedRegisterText(m_remote));
    const comms::ValueOutcome<float> read = m_access.read(m_remote);
    if (read.succeeded()) {
        m_previousRemote = read.value;
        return true;
    }
    return failed(m_remote, read);
}

bool ConfigSender::writeEepromChoice()
{
    if (m_model.group() != 0 || !m_model.isBoxVisible(EepromRegister, 0))
        return true;
    const bool store = m_model.isBoxChecked(EepromRegister, 0);
    if (!store && m_mode == SendMode::Interactive &&
        !ask(QStringLiteral("Save To EEPROM Memory not Selected"),
             QStringLiteral("Warning- You have selected that parameters are NOT to be stored in "
                            "EEPROM memory.  This will cause these parameter changes to be lost "
                            "if the instrument's power is turned off. Do you want to continue "
                            "and store the parameters in temporary RAM memory?")))
        return false;
    return write(EepromRegister, EepromRegister, store ? 1 : 0);
}

bool ConfigSender::writeLeading()
{
    if (m_link.app.RSModel)
        return true;
    m_leadingWritten = true;
    for (const int reg : leadingRegisters(m_model.group())) {
        const bool ok =
            reg == InputTypeRegister ? sendHeader(reg, m_model.InputTypeIndex)
            : reg == DecimalPointRegister
                ? !sendsDecimalPoint(m_model) || sendHeader(reg, m_model.DecimalPointIndex)
                : send(reg);
        if (!ok)
            return false;
    }
    return true;
}

bool ConfigSender::writeMainPass()
{
    for (const int reg : modelParameters(m_model)) {
        if (isLeftOutOfMainPass(m_model.group(), reg, m_leadingWritten))
            continue;
        if (!send(reg))
            return false;
    }
    return true;
}

bool ConfigSender::close()
{
    const bool hadPrevious = m_previousRemote.has_value();
    m_opened = false; // from here on a failure leaves what the closing write did
    if (m_link.app.RSModel && hadPrevious &&
        !write(m_remote, m_remote, static_cast<double>(*m_previousRemote)))
        return false;
    if (!m_link.app.RSModel && remoteChangeShown() &&
        !write(m_remote, m_remote, remoteChangeOnScreen()))
        return false;
    if (m_hooks.showCount)
        m_hooks.showCount(m_total, m_total);
    return true;
}

// Input type and decimal point are header settings, sent when the model has the register.
bool ConfigSender::sendHeader(int reg, qint16 value)
{
    if (!m_link.app.Catalogue.ModelRegisters(reg, m_model.SelectedModel()))
        return true;
    return write(reg, reg, value);
}

bool ConfigSender::send(int reg)
{
    if (!m_model.modelHas(reg))
        return true;
    if (m_hooks.showCount)
        m_hooks.showCount(m_done++, m_total);
    const std::optional<ParameterWrite> planned = plannedWrite(m_model, reg);
    if (!planned)
        return true;
    if (!planned->value) {
        m_current = reg;
        return ask(CommsErrorTitle, QStringLiteral("Communications Error >:No value entered. ") +
                                        failureLabel(m_model, reg) + NotSaved);
    }
    return write(reg, planned->wireRegister, *planned->value);
}

bool ConfigSender::write(int reg, int wireReg, double value)
{
    m_current = reg;
    progress(m_model.GStr(wireReg));
    const comms::Outcome outcome = m_access.write(wireReg, value);
    return outcome.succeeded() || failed(reg, outcome);
}

bool ConfigSender::ask(const QString &title, const QString &text)
{
    return m_link.ui.MsgBox(text, MsgButtons::YesNo, MsgIcon::Question, title, MsgResult::Yes) ==
           MsgResult::Yes;
}

// True when the user chose to go on with the next parameter.
bool ConfigSender::failed(int reg, const comms::Outcome &outcome)
{
    const QString message = QStringLiteral("Communications Error >") + outcome.text +
                            QStringLiteral(". ") + failureLabel(m_model, reg);
    progress(QString());
    if (outcome.status != 2 && outcome.status != 3) {
        m_link.ui.MsgBox(message, MsgButtons::Ok, MsgIcon::Exclamation, CommsErrorTitle,
                         MsgResult::Ok);
        return false;
    }
    return m_link.ui.MsgBox(message + NotSaved, MsgButtons::YesNo, MsgIcon::Question,
                            CommsErrorTitle, MsgResult::No) == MsgResult::Yes;
}

bool ConfigSender::remoteChangeShown() const
{
    if (!m_model.hasField(m_remote))
        return false;
    return m_model.group() == 0 ? m_model.isBoxVisible(m_remote, 0)
                                : m_model.field(m_remote).Visible;
}

double ConfigSender::remoteChangeOnScreen() const
{
    if (m_model.group() == 0)
        return m_model.isBoxChecked(m_remote, 0) ? 1 : 0;
    return m_model.field(m_remote).ListIndex;
}

void ConfigSender::progress(const QString &registerText)
{
    showTransferProgress(m_hooks, QStringLiteral("Sending"), registerText);
}

} // namespace

TransferResult SendControllerParameters(ConfigModel &model, comms::CommLink &link, bool &SendFailed,
                                        SendMode mode, const TransferHooks &hooks)
{
    SendFailed = true;
    ConfigSender sender(model, link, mode, hooks);
    try {
        const TransferResult result = sender.run();
        SendFailed = result != TransferResult::Completed;
        return result;
    } catch (const core::AppError &error) {
        core::reportAppError(link.ui, error,
                             QStringLiteral("frmConfig.SendControllerParameters, Parameter >") +
                                 model.GStr(sender.current()));
        sender.endEarly();
        return TransferResult::Stopped;
    }
}

} // namespace vanta::config
