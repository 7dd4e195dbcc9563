// The configuration window's field rules on the model.
#include "config/field_rules.h"

#include "config/config_model.h"
#include "config/immediate_writes.h"
#include "core/app_state.h"
#include "core/number_format.h"

#include <utility>
#include <vector>

namespace vanta::config {

namespace {

using core::MsgButtons;
using core::MsgIcon;
using core::MsgResult;

constexpr int LastThermocoupleOrRtd = 14; // group 0 InputTypeIndex; above it analog inputs
constexpr int MaxHours = 15;
constexpr int MaxMinutes = 59;
constexpr int SystemAlarm = 4131;
constexpr int SystemAlarm3 = 3;
constexpr int ControlAction = 4102;

const QString DecimalPointTitle = QStringLiteral("Invalid Decimal Point Setting");
const QString InputTypeTitle =
    QStringLiteral("Invalid Input Type For Current Decimal Point Setting");
const QString Z9Title = QStringLiteral("Invalid Input Type For Model Z9KM");
const QString NoDecimalsForRsbc =
    QStringLiteral("A decimal point setting of 0.0, 0.00 ,0.000, or .0000 is not allowed for "
                   "thermocouple type R, S, B, or C inputs.");
const QString NoDecimalForRsb = QStringLiteral(
    "A decimal point setting of 0.0 is not allowed for thermocouple type R, S, or B inputs.");

bool isNumeric(ControlKind kind)
{
    return kind == ControlKind::TextField || kind == ControlKind::ResetValue;
}

bool isBetween(int value, int low, int high)
{
    return value >= low && value <= high;
}

// Limits a shown whole number to low..high; true when it had to change.
bool limitText(QString &text, int low, int high)
{
    const std::optional<double> number = core::parseNumberText(text);
    if (!number || (*number >= low && *number <= high))
        return false;
    text = core::formatNumber(*number < low ? low : high, QStringLiteral("00"));
    return true;
}

// Group 0 R, S, B and C thermocouples: input type list positions 6 to 9.
bool isRsbcPosition(int position)
{
    return isBetween(position, 6, 9);
}

} // namespace

FieldRules::FieldRules(ConfigModel &model, comms::CommLink &link, TransferHooks hooks,
                       std::function<void()> showFields)
    : m_model(model), m_link(link), m_hooks(std::move(hooks)), m_showFields(std::move(showFields))
{}

void FieldRules::showFields() const
{
    if (m_showFields)
        m_showFields();
}

void FieldRules::fieldEdited(int reg)
{
    m_model.ChangesPending = true;
    if (m_model.hasField(reg) && m_model.affectsFormFields(reg))
        setupKeepingText(reg);
}

// The field the user is typing into is formatted when it is left, not under the cursor.
void FieldRules::setupKeepingText(int reg)
{
    const FieldState typed = m_model.field(reg);
    m_model.SetupFormFields();
    FieldState &f = m_model.field(reg);
    f.Text = typed.Text;
    f.Hours = typed.Hours;
    f.Minutes = typed.Minutes;
}

void FieldRules::listChosen(int reg)
{
    if (!m_model.hasField(reg))
        return;
    const bool wasPending = m_model.ChangesPending;
    m_model.ChangesPending = true;
    FieldState &f = m_model.field(reg);
    // A heat/cool instrument uses alarm 3 for its second output.
    if (reg == SystemAlarm && f.ListIndex == SystemAlarm3 && m_model.hasField(ControlAction) &&
        m_model.field(ControlAction).ListIndex >= 2)
        f.ListIndex = 0;
    showFields();
    ImmediateWrites(m_model, m_link, m_hooks).offerList(reg, wasPending);
    if (m_model.affectsFormFields(reg))
        m_model.SetupFormFields();
}

void FieldRules::fieldLeft(int reg)
{
    if (!m_model.hasField(reg))
        return;
    const ControlKind kind = m_model.parameter(reg).kind;
    const bool limited = kind == ControlKind::HoursMinutes ? limitTime(reg) : limitNumber(reg);
    if (limited)
        m_link.ui.beep();
    m_model.formatShownNumber(reg);
    showFields();
    if (isNumeric(kind))
        ImmediateWrites(m_model, m_link, m_hooks).offerNumber(reg);
}

// The field table limits the instrument value; the field shows it divided by its divisor.
bool FieldRules::limitNumber(int reg)
{
    const core::DataTables &tables = m_model.app().Tables;
    if (!isNumeric(m_model.parameter(reg).kind) || tables.CfgField(reg, 1) != 1)
        return false;
    FieldState &f = m_model.field(reg);
    const std::optional<double> number = core::parseNumberText(f.Text);
    if (!number)
        return false;
    const double divisor = m_model.DecimalPointFormat(reg).divisor;
    const double low = tables.CfgField(reg, 2) / divisor;
    const double high = tables.CfgField(reg, 3) / divisor;
    if (*number >= low && *number <= high)
        return false;
    f.Text = QString::number(*number < low ? low : high, 'f', 4);
    return true;
}

bool FieldRules::limitTime(int reg)
{
    FieldState &f = m_model.field(reg);
    const bool hours = limitText(f.Hours, 0, MaxHours);
    const bool minutes = limitText(f.Minutes, 0, MaxMinutes);
    return hours || minutes;
}

void FieldRules::decimalPointChosen(int index)
{
    const QStringList &entries = optionEntries(decimalPointList(m_model.group()));
    if (index < 0 || index >= entries.size())
        return;
    if (!refuseDecimalPoint(index)) {
        m_model.ChangesPending = true;
        const auto choose = [this, index] {
            m_model.DecimalPointIndex = static_cast<qint16>(index);
        };
        if (m_model.group() == 0)
            rescaleAcross(choose);
        else
            choose();
    }
    m_model.SetupFormFields();
}

// The checks run in a fixed order and only the first refusal is shown.
bool FieldRules::refuseDecimalPoint(int index)
{
    const int type = m_model.InputTypeIndex;
    QString refusal;
    if (m_model.group() == 0) {
        if (type <= LastThermocoupleOrRtd && index >= 2)
            refusal = QStringLiteral("A decimal point setting of 0.00 ,0.000, or .0000 is not "
                                     "allowed for thermocouple and RTD type inputs.");
        else if (isRsbcPosition(type - 1) && index > 0)
            refusal = NoDecimalsForRsbc;
        else if (index == 4 && m_model.ModelId() != QLatin1String("N8"))
            refusal = QStringLiteral(
                "A decimal point setting of .0000 is not allowed for this Model ID.");
    } else if (m_model.group() == 1 && isBetween(type, 5, 7) && index > 0) {
        refusal = NoDecimalForRsb;
    }
    if (refusal.isEmpty())
        return false;
    warn(DecimalPointTitle, refusal);
    return true;
}

void FieldRules::inputTypeChosen(int position)
{
    const QStringList &entries = optionEntries(inputTypeList(m_model.group()));
    if (position < 0 || position >= entries.size())
        return;
    if (!refuseInputType(position)) {
        m_model.ChangesPending = true;
        const auto choose = [this, position] { m_model.setInputTypePosition(position); };
        if (m_model.group() == 0)
            rescaleAcross(choose);
        else
            choose();
    }
    m_model.SetupFormFields();
}

bool FieldRules::refuseInputType(int position)
{
    const int decimals = m_model.DecimalPointIndex;
    if (m_model.group() == 0) {
        if (isRsbcPosition(position) && decimals > 0) {
            warn(InputTypeTitle, NoDecimalsForRsbc);
            return true;
        }
        if (position < LastThermocoupleOrRtd && decimals >= 2) {
            warn(InputTypeTitle, QStringLiteral("A decimal point setting of 0.00 ,0.000, or .0000 "
                                                "is not allowed for thermocouple or RTD type "
                                                "inputs."));
            return true;
        }
        if (m_model.ModelId() == QLatin1String("Z9") && isBetween(position, 10, 12)) {
            warn(Z9Title,
                 QStringLiteral("Input types P392, N120, or P385 is not valid for Model Z9KM."));
            return true;
        }
        return false;
    }
    if (m_model.group() == 1 && isBetween(position, 5, 7) && decimals > 0) {
        warn(InputTypeTitle, NoDecimalForRsb);
        return true;
    }
    return false;
}

// A change of how fields are scaled keeps the instrument's values: each number is multiplied
// by its old divisor over its new one. Empty and non-numeric fields stay as they are.
void FieldRules::rescaleAcross(const std::function<void()> &change)
{
    std::vector<std::pair<int, double>> before;
    for (const Parameter &p : m_model.parameters()) {
        if (isNumeric(p.kind))
            before.emplace_back(p.reg, m_model.DecimalPointFormat(p.reg).divisor);
    }
    change();
    for (const auto &[reg, oldDivisor] : before) {
        const DisplayFormat now = m_model.DecimalPointFormat(reg);
        FieldState &f = m_model.field(reg);
        const std::optional<double> number = core::parseNumberText(f.Text);
        if (now.divisor == oldDivisor || !number)
            continue;
        f.Text = core::formatNumber(*number * oldDivisor / now.divisor, now.format);
    }
}

void FieldRules::modelChosen(int position)
{
    m_model.ChangesPending = true;
    m_model.selectModel(position);
    warnAboutModel();
    m_model.SetupFormFields();
}

// The choice stands; the user is told what must change before the configuration is used.
void FieldRules::warnAboutModel()
{
    const QString id = m_model.ModelId();
    const QString model = QStringLiteral("Model ") + m_model.ModelName();
    const bool groupZero = m_model.group() == 0;
    if (id == QLatin1String("RS"))
        warn(QStringLiteral("Invalid Model"),
             model + QStringLiteral(" cannot be selected.  It is used for ramp/soak configuration "
                                    "from the System Monitor screen only. Select a different "
                                    "model."));
    if (groupZero && m_link.app.Config.ProtocolCode == QLatin1String("L") &&
        (id == QLatin1String("N8") || id == QLatin1String("HM")))
        warn(QStringLiteral("Invalid Model for Vanta Link"),
             model + QStringLiteral(" does not support Vanta Link protocol. Select a different "
                                    "model."));
    if (groupZero && id != QLatin1String("N8") && m_model.DecimalPointIndex > 3)
        warn(DecimalPointTitle,
             QStringLiteral("A decimal point setting of .0000 is not allowed for this Model ID. "
                            "You must change the decimal point setting to 0 ,0.0, 0.00, or 0.000 "
                            "before saving the configuration."));
    if (groupZero && id == QLatin1String("Z9") && isBetween(m_model.InputTypeIndex, 11, 13))
        warn(Z9Title, QStringLiteral("Input types P392, N120, or P385 is not valid for Model Z9KM. "
                                     "You must change the input type before saving the "
                                     "configuration."));
}

void FieldRules::warn(const QString &title, const QString &text)
{
    m_link.ui.MsgBox(text, MsgButtons::Ok, MsgIcon::Exclamation, title, MsgResult::Ok);
}

} // namespace vanta::config
