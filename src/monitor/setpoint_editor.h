// The setpoint editor without its window: the configured instruments to choose from, the
// setpoint and alarm setpoints of the chosen one read in engineering units, edits checked as
// they are left, and Update writing the non-empty fields back.
#pragma once

#include "comms/comm_link.h"

#include <QString>
#include <QStringList>
#include <array>

namespace vanta::monitor {

constexpr int SetpointFieldCount = 7;
// The registers of txtSV(0..6): setpoint, alarm 1 low and high, alarm 2 low and high, and, for
// the group-1 model with a third alarm, alarm 3 high and low.
constexpr std::array<int, SetpointFieldCount> SetpointRegisters = {258, 263,  264, 265,
                                                                   266, 4137, 4136};

struct SetpointField
{
    QString Text;     // txtSV
    QString UnitText; // lblUnits
    bool Enabled = false;
};

// What frmSetpoints shows.
struct SetpointFields
{
    QString AddressText; // lblAddressText
    QString NameText;    // lblNameText
    std::array<SetpointField, SetpointFieldCount> SV;
    bool Alarm3Visible = false; // fields 5 and 6 with their captions
    bool UpdateEnabled = false;
};

class SetpointEditor
{
public:
    explicit SetpointEditor(comms::CommLink &link);

    // Form_Load: nothing chosen, every field empty and disabled.
    void Form_Load();
    // lstControls: one line per configured instrument, the address text, five blanks and the
    // first 16 characters of the name. Nothing can be chosen while the port is closed.
    QStringList listLines() const;
    bool listEnabled() const;
    // lstControls_Click with the list index (-1: none): pending changes are given up only when
    // the operator agrees (false: kept, nothing read); then the instrument's fields are read.
    bool lstControls_Click(int index);
    // txtSV_Change by the operator: the window holds changes.
    void txtSV_Change(int field, const QString &text);
    // txtSV_LostFocus: a number is rounded to four decimals, kept inside -9999..9999 and shown
    // in the instrument's format; an emptied field stays empty; anything else gets its previous
    // text back, with a beep. Fields outside 0..6 are ignored.
    void txtSV_LostFocus(int field, const QString &text);
    // cmdUpdate_Click: each non-empty field in use is written, in order, up to the first
    // failure. The changes stay pending after a failure.
    void cmdUpdate_Click();
    // Form_Unload: true when the window may close (no changes, or the operator gives them up).
    bool allowClose();

    const SetpointFields &fields() const { return m_fields; }
    bool SetpointsChanged = false;
    bool SuppressEvents = false;
    int SelectedInstrument = -1;

private:
    void clearFields();
    const core::InstrumentRecord *selected() const;
    bool askCancelChanges();
    // The fields the chosen instrument has (5, or 7 for the model with a third alarm); 0 when
    // its model could not be read.
    int fieldsInUse(const core::InstrumentRecord &instrument, QString &errorText);
    void readFields(const core::InstrumentRecord &instrument, int count, QString &errorText);

    comms::CommLink &m_link;
    SetpointFields m_fields;
    // The number format and divisor of the last successful read, shared by all seven fields.
    QString m_format;
    float m_divisor = 1;
    std::array<QString, SetpointFieldCount> m_previous; // the last text each field accepted
};

} // namespace vanta::monitor
