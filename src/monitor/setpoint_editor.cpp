// Reading, checking and writing the setpoints of one configured instrument.
#include "monitor/setpoint_editor.h"

#include "comms/register_access.h"
#include "core/address.h"
#include "core/model_file.h"
#include "core/number_format.h"
#include "core/registers.h"
#include "monitor/monitor_pass.h"

#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>

namespace vanta::monitor {

namespace {

constexpr int BasicFieldCount = 5;
constexpr int NameCharacters = 16;
constexpr double FieldLimit = 9999;
constexpr qint16 NotAvailable = 2;

// The group-1 model with a third alarm.
const QString ThirdAlarmModel = QStringLiteral("XK");

bool isField(int field)
{
    return field >= 0 && field < SetpointFieldCount;
}

// Four decimals at most, inside the range the instruments show.
double fieldValue(double value)
{
    const double rounded = std::round(value * 10000.0) / 10000.0;
    return std::clamp(rounded, -FieldLimit, FieldLimit);
}

} // namespace

SetpointEditor::SetpointEditor(comms::CommLink &link) : m_link(link)
{}

void SetpointEditor::Form_Load()
{
    const QScopedValueRollback suppress(SuppressEvents, true);
    clearFields();
    m_fields.UpdateEnabled = false;
    SelectedInstrument = -1;
    SetpointsChanged = false;
}

void SetpointEditor::clearFields()
{
    m_fields.AddressText.clear();
    m_fields.NameText.clear();
    m_fields.SV = {};
    m_fields.Alarm3Visible = false;
    m_previous = {};
}

QStringList SetpointEditor::listLines() const
{
    QStringList lines;
    if (!listEnabled())
        return lines;
    for (const core::InstrumentRecord &instrument : m_link.app.Config.Instruments)
        lines << instrument.InstAddress + QStringLiteral("     ") +
                     instrument.InstName.left(NameCharacters);
    return lines;
}

bool SetpointEditor::listEnabled() const
{
    return m_link.app.CommEnabled();
}

const core::InstrumentRecord *SetpointEditor::selected() const
{
    const std::vector<core::InstrumentRecord> &instruments = m_link.app.Config.Instruments;
    if (SelectedInstrument < 0 || SelectedInstrument >= static_cast<int>(instruments.size()))
        return nullptr;
    return &instruments[static_cast<std::size_t>(SelectedInstrument)];
}

bool SetpointEditor::askCancelChanges()
{
    return m_link.ui.MsgBox(
               QStringLiteral("Are sure you wish to cancel your current Setpoint changes?"),
               core::MsgButtons::YesNo, core::MsgIcon::Question, QStringLiteral("Cancel Changes?"),
               core::MsgResult::No) == core::MsgResult::Yes;
}

bool SetpointEditor::lstControls_Click(int index)
{
    if (SuppressEvents || !listEnabled())
        return false;
    if (SetpointsChanged && !askCancelChanges())
        return false;
    SetpointsChanged = false;
    const core::BusyPointer busy(m_link.ui);
    const QScopedValueRollback suppress(SuppressEvents, true);
    clearFields();
    // Nothing chosen, nothing to update.
    m_fields.UpdateEnabled = false;
    SelectedInstrument = index;
    QString errorText;
    if (const core::InstrumentRecord *instrument = selected()) {
        m_fields.AddressText = instrument->InstAddress;
        m_fields.NameText = instrument->InstName;
        readFields(*instrument, fieldsInUse(*instrument, errorText), errorText);
    } else {
        SelectedInstrument = -1;
    }
    showErrorLine(m_link, errorText);
    return true;
}

int SetpointEditor::fieldsInUse(const core::InstrumentRecord &instrument, QString &errorText)
{
    if (instrument.InstGroup != 1)
        return BasicFieldCount;
    const int address = core::ParseAddress(instrument.InstGroup, instrument.InstAddress);
    qint16 status = 0;
    float modelValue = 0;
    comms::ReadRegister(m_link, instrument.InstGroup, instrument.InstProtocol, errorText, status,
                        address, core::ModelIdRegister, modelValue);
    if (status != 0)
        return 0;
    QString modelId;
    QString modelType;
    QString modelName;
    int slot = 0;
    core::LookUpModel(m_link.app.Catalogue, instrument.InstGroup, modelValue, modelId, modelType,
                      slot, modelName);
    m_fields.Alarm3Visible = modelId == ThirdAlarmModel;
    return m_fields.Alarm3Visible ? SetpointFieldCount : BasicFieldCount;
}

void SetpointEditor::readFields(const core::InstrumentRecord &instrument, int count,
                                QString &errorText)
{
    const int address = core::ParseAddress(instrument.InstGroup, instrument.InstAddress);
    for (int field = 0; field < count; ++field) {
        comms::ScaledValue value;
        qint16 status = 0;
        comms::ReadScaledValue(m_link, instrument.InstGroup, instrument.InstProtocol, errorText,
                               status, address, SetpointRegisters[field], value);
        if (status == NotAvailable) {
            // The instrument lacks this one: the fields read so far can still be updated.
            errorText.clear();
            m_fields.UpdateEnabled = true;
            return;
        }
        if (status != 0)
            return;
        SetpointField &shown = m_fields.SV[static_cast<std::size_t>(field)];
        shown.Text = value.ValueText;
        shown.UnitText = value.UnitText;
        shown.Enabled = true;
        m_previous[static_cast<std::size_t>(field)] = value.ValueText;
        m_format = value.FormatText;
        m_divisor = value.Divisor;
    }
    m_fields.UpdateEnabled = count > 0;
}

void SetpointEditor::txtSV_Change(int field, const QString &text)
{
    if (SuppressEvents || !isField(field))
        return;
    m_fields.SV[static_cast<std::size_t>(field)].Text = text;
    SetpointsChanged = true;
}

void SetpointEditor::txtSV_LostFocus(int field, const QString &text)
{
    if (SuppressEvents || !isField(field))
        return;
    const auto index = static_cast<std::size_t>(field);
    SetpointField &shown = m_fields.SV[index];
    // An emptied field is left out of the next update, so it stays empty.
    if (text.trimmed().isEmpty()) {
        shown.Text.clear();
        return;
    }
    const std::optional<double> number = core::parseNumberText(text);
    if (!number) {
        shown.Text = m_previous[index];
        m_link.ui.beep();
        return;
    }
    const double value = fieldValue(*number);
    shown.Text = m_format.isEmpty() ? core::numberText(value) : core::formatNumber(value, m_format);
    m_previous[index] = shown.Text;
}

void SetpointEditor::cmdUpdate_Click()
{
    const core::InstrumentRecord *instrument = selected();
    if (instrument == nullptr || !m_fields.UpdateEnabled)
        return;
    const core::BusyPointer busy(m_link.ui);
    const int address = core::ParseAddress(instrument->InstGroup, instrument->InstAddress);
    QString errorText;
    qint16 status = 0;
    for (int field = 0; field < SetpointFieldCount && status == 0; ++field) {
        const SetpointField &shown = m_fields.SV[static_cast<std::size_t>(field)];
        // Empty fields, and any text that is no number, are never written as 0.
        const std::optional<double> number = core::parseNumberText(shown.Text);
        if (!shown.Enabled || !number)
            continue;
        comms::WriteRegister(m_link, instrument->InstGroup, instrument->InstProtocol, errorText,
                             status, address, SetpointRegisters[static_cast<std::size_t>(field)],
                             static_cast<float>(*number * m_divisor));
    }
    showErrorLine(m_link, errorText);
    // After a failed write the edits are still not all on the instrument.
    if (status == 0)
        SetpointsChanged = false;
}

bool SetpointEditor::allowClose()
{
    if (!SetpointsChanged)
        return true;
    if (!askCancelChanges())
        return false;
    SetpointsChanged = false;
    return true;
}

} // namespace vanta::monitor
