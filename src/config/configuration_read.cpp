// Reading a whole configuration: demo mode, model identification, decimal point and input
// type, the ramp/soak access probe and the pass over every parameter of the model.
#include "config/configuration_read.h"

#include "config/config_model.h"
#include "core/app_error.h"
#include "core/app_state.h"
#include "core/model_file.h"
#include "core/number_format.h"
#include "core/registers.h"

#include <cmath>
#include <optional>

namespace vanta::config {

namespace {

using core::MsgButtons;
using core::MsgIcon;
using core::MsgResult;

constexpr int DecimalPointRegister = 795;
constexpr int InputTypeRegister = 792;
constexpr int RampSoakProbeRegister = 800;
const QString CommsErrorTitle = QStringLiteral("Read Instrument Communications Error");

// Write-only acknowledge and reset commands: their boxes are cleared, never read.
bool isWriteOnlyCommand(int reg)
{
    return reg == 1028 || reg == 1029 || reg == 1031 || reg == 1032 || reg == 1035 || reg == 1036;
}

// Start Learning commands: the boxes follow the tuning types read.
bool isLearningCommand(int reg)
{
    return reg >= 1067 && reg <= 1074;
}

// A read that the user let pass (status 2, Yes) gives no value; a stop ends the read.
struct Fetched
{
    bool stop = false;
    std::optional<float> value;
};

class ConfigReader
{
public:
    ConfigReader(ConfigModel &model, comms::CommLink &link, const TransferHooks &hooks)
        : m_model(model), m_link(link), m_hooks(hooks), m_access(link, model)
    {}

    TransferResult run();
    int current() const { return m_current; }
    void clearProgress() { progress(QString()); }

private:
    bool identifyModel();
    bool askAboutUnknownModel(double value, const QString &id);
    bool readHeader();
    bool readDecimalPoint(int high);
    bool readInputType(int low, int high);
    bool outOfRange(const char *setting, const char *title, float value);
    void probeRampSoakAccess();
    bool readMainPass();
    bool readParameter(int reg);
    Fetched fetch(int reg, const QString &registerText);
    bool failed(int reg, const comms::Outcome &outcome);
    void progress(const QString &text);

    ConfigModel &m_model;
    comms::CommLink &m_link;
    const TransferHooks &m_hooks;
    InstrumentAccess m_access;
    int m_current = 0;
};

TransferResult ConfigReader::run()
{
    if (!leaveDemoMode(
            m_link, QStringLiteral(
                        "You are currently in DEMO MODE.  Do you want to exit DEMO MODE and read "
                        "from the controller ?")))
        return TransferResult::Stopped;
    bool completed = identifyModel() && readHeader();
    if (completed) {
        probeRampSoakAccess();
        completed = readMainPass();
    }
    // Also after a stop, so that what shows always matches the selected model.
    m_model.SetupFormFields();
    clearProgress();
    return completed ? TransferResult::Completed : TransferResult::Stopped;
}

bool ConfigReader::identifyModel()
{
    if (m_link.app.RSModel)
        return true;
    const Fetched read = fetch(core::ModelIdRegister, fixedRegisterText(core::ModelIdRegister));
    if (read.stop || !read.value)
        return !read.stop;
    QString id;
    QString type;
    QString name;
    int slot = 0;
    core::LookUpModel(m_link.app.Catalogue, m_model.group(), *read.value, id, type, slot, name);
    if (slot == 0)
        return askAboutUnknownModel(*read.value, id);
    const ConfigModel::SuppressEventsGuard quiet(m_model);
    m_model.selectModel(slot);
    return true;
}

bool ConfigReader::askAboutUnknownModel(double value, const QString &id)
{
    const QString text =
        unknownModelText(m_model, m_link.app.ModelFileName, value, id, QStringLiteral("read"));
    return m_link.ui.MsgBox(text, MsgButtons::YesNo, MsgIcon::Question,
                            QStringLiteral("Invalid Model ID"), MsgResult::Yes) == MsgResult::Yes;
}

bool ConfigReader::readHeader()
{
    m_model.ChangesPending = false;
    switch (m_model.group()) {
    case 0:
        return readDecimalPoint(3) && readInputType(1, 17);
    case 1:
        if (m_model.ModelId() == QLatin1String("QT")) {
            m_model.DecimalPointIndex = 1;
            return readInputType(0, 17);
        }
        return readDecimalPoint(1) && readInputType(0, 17);
    default:
        return readInputType(0, 18);
    }
}

bool ConfigReader::readDecimalPoint(int high)
{
    const Fetched read = fetch(DecimalPointRegister, fixedRegisterText(DecimalPointRegister));
    if (read.stop || !read.value)
        return !read.stop;
    if (!(*read.value >= 0 && *read.value <= high))
        return outOfRange("Decimal Point", "Invalid Decimal Point Parameter", *read.value);
    const ConfigModel::SuppressEventsGuard quiet(m_model);
    m_model.DecimalPointIndex = static_cast<qint16>(std::lround(*read.value));
    return true;
}

bool ConfigReader::readInputType(int low, int high)
{
    const Fetched read = fetch(InputTypeRegister, fixedRegisterText(InputTypeRegister));
    if (read.stop || !read.value)
        return !read.stop;
    if (!(*read.value >= low && *read.value <= high))
        return outOfRange("Input Type", "Invalid Input Type Parameter", *read.value);
    const ConfigModel::SuppressEventsGuard quiet(m_model);
    m_model.InputTypeIndex = static_cast<qint16>(std::lround(*read.value));
    return true;
}

bool ConfigReader::outOfRange(const char *setting, const char *title, float value)
{
    m_link.ui.MsgBox(QStringLiteral("The %1 setting >%2 from the instrument is invalid.  This "
                                    "instrument cannot be configured.")
                         .arg(QLatin1String(setting), QString::number(value)),
                     MsgButtons::Ok, MsgIcon::Critical, QString::fromLatin1(title), MsgResult::Ok);
    return false;
}

// Not reported: the answer only tells whether the ramp/soak pages may be edited.
void ConfigReader::probeRampSoakAccess()
{
    if (!m_link.app.RSModel)
        return;
    m_current = RampSoakProbeRegister;
    progress(m_model.GStr(RampSoakProbeRegister));
    m_model.RampSoakAccess = m_access.read(RampSoakProbeRegister).succeeded();
}

bool ConfigReader::readMainPass()
{
    const std::vector<int> regs = modelParameters(m_model);
    const int total = static_cast<int>(regs.size());
    for (int done = 0; done < total; ++done) {
        if (m_hooks.showCount)
            m_hooks.showCount(done, total);
        if (!readParameter(regs[static_cast<std::size_t>(done)]))
            return false;
    }
    if (m_hooks.showCount)
        m_hooks.showCount(total, total);
    return true;
}

bool ConfigReader::readParameter(int reg)
{
    m_current = reg;
    if (isWriteOnlyCommand(reg)) {
        m_model.setBoxChecked(reg, 0, false);
        return true;
    }
    if (isLearningCommand(reg))
        return true;
    const Fetched read = fetch(reg, m_model.GStr(reg));
    if (read.value) {
        const ConfigModel::SuppressEventsGuard quiet(m_model);
        m_model.setFromInstrument(reg, *read.value);
    }
    return !read.stop;
}

Fetched ConfigReader::fetch(int reg, const QString &registerText)
{
    m_current = reg;
    progress(registerText);
    const comms::ValueOutcome<float> read = m_access.read(reg);
    if (read.succeeded())
        return {false, read.value};
    return {!failed(reg, read), std::nullopt};
}

// True when the user chose to go on with the next parameter.
bool ConfigReader::failed(int reg, const comms::Outcome &outcome)
{
    const QString message = QStringLiteral("Communications Error >") + outcome.text +
                            QStringLiteral(". ") + failureLabel(m_model, reg);
    clearProgress();
    if (outcome.status != 2) {
        m_link.ui.MsgBox(message, MsgButtons::Ok, MsgIcon::Exclamation, CommsErrorTitle,
                         MsgResult::Ok);
        return false;
    }
    return m_link.ui.MsgBox(message + QStringLiteral(" This parameter is not available in the "
                                                     "instrument.  Do you want to continue and "
                                                     "try the next parameter ?"),
                            MsgButtons::YesNo, MsgIcon::Question, CommsErrorTitle,
                            MsgResult::No) == MsgResult::Yes;
}

void ConfigReader::progress(const QString &registerText)
{
    showTransferProgress(m_hooks, QStringLiteral("Reading"), registerText);
}

} // namespace

TransferResult ReadControllerParameters(ConfigModel &model, comms::CommLink &link,
                                        const TransferHooks &hooks)
{
    ConfigReader reader(model, link, hooks);
    try {
        return reader.run();
    } catch (const core::AppError &error) {
        core::reportAppError(link.ui, error,
                             QStringLiteral("frmConfig.ReadControllerParameters, Parameter >") +
                                 model.GStr(reader.current()));
        reader.clearProgress();
        return TransferResult::Stopped;
    }
}

} // namespace vanta::config
