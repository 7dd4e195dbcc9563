// The monitor's 40 rows as data: which instrument each row shows (its entry text), the values,
// alarm and ramp/soak state the last passes left, the learned divisor and alarm senses, and the
// row's communication health. The window copies these into its controls.
#pragma once

#include "core/system_config.h"

#include <QString>
#include <QStringList>
#include <array>

namespace vanta::monitor {

constexpr int MonitorRowCount = 40;

// The list entry of a row without an instrument: "00", six blanks, "[none]".
QString noneEntryText();
// An instrument's entry: its address text (first three characters, padded to three), a blank,
// the protocol code, the group digit, a blank and the name.
QString entryText(const core::InstrumentRecord &instrument);
// The row list's entries: one per listed instrument, in list order, then noneEntryText().
QStringList entryTexts(const std::vector<core::InstrumentRecord> &instruments);

// Whom a row's entry text names. Address 0 means no instrument; a text too short to hold the
// columns, or naming an address outside 1..255, gives address 0 too.
struct RowTarget
{
    QString protocol;
    int group = 0;
    int address = 0;
};
RowTarget decodeEntryText(const QString &text);

// shpPoll: button face when idle, green while the row is being read, red after a failed pass.
enum class PollLight
{
    ButtonFace,
    Polling,
    Failed
};
// shpRampSoak: button face when no program runs, green running, yellow held.
enum class RampLight
{
    Off,
    Running,
    Held
};

// What a setpoint field shows, carried by its background colour. The poll replaces every state
// but Typed with the instrument's value (white).
enum class EditState
{
    Shown,  // white: the instrument's value
    Typed,  // yellow: typed by the operator and not sent
    Sent,   // green: sent successfully
    Failed, // red: the send failed, or the field was typed and left without sending
};

// Values of Alarm1Sense / Alarm2Sense.
namespace AlarmSense {
constexpr qint16 Unknown = 0;
constexpr qint16 Inverted = 1;
constexpr qint16 Direct = 2;
} // namespace AlarmSense

// What the row's own reads say about the line to its instrument.
struct RowHealth
{
    int requests = 0;       // reads made
    int failures = 0;       // reads that failed (a register the instrument lacks is no failure)
    int lastReplyMs = -1;   // time of the last successful read; -1 before the first
    int failedPasses = 0;   // passes in a row that ended in a failure
    double lastAttempt = 0; // seconds since midnight of the last pass that read the row
    bool backedOff = false; // polled at most every few seconds until it answers

    // "Requests 12, failures 1, last reply 18 ms" (", silent: polled every 5 s" when backed off).
    QString text() const;
};

struct MonitorRow
{
    QString Text;                         // cbxControl's entry text
    QString TempText;                     // lblTempText
    QString SVText;                       // txtSVText
    EditState SVState = EditState::Shown; // txtSVText; the poll leaves a Typed text alone
    QString Alm1StatText;
    QString Alm2StatText;
    PollLight Poll = PollLight::ButtonFace;
    bool RampVisible = false; // the four ramp buttons and shpRampSoak
    RampLight Ramp = RampLight::Off;
    float RowDivisor = 0; // divisor of the last successful setpoint read; 0 before it
    qint16 Alarm1Sense = AlarmSense::Unknown;
    qint16 Alarm2Sense = AlarmSense::Unknown;
    RowHealth Health;
};

// The rows and the list each row chooses from.
class MonitorRows
{
public:
    MonitorRows();

    // Rebuilds the list from `instruments` and resets every row to "[none]" with nothing
    // learned (divisor, alarm senses and health included).
    void fill(const std::vector<core::InstrumentRecord> &instruments);
    // Row n takes lines[n] when that is one of the list's entries, else "[none]". Fewer lines
    // than rows leave the rest at "[none]".
    void restore(const QStringList &lines);
    // The row's new choice: the row is emptied and shows `text` when it is one of the entries
    // (else "[none]"). False for a row index outside 0..39.
    bool choose(int row, const QString &text);

    const QStringList &entries() const { return m_entries; }
    QStringList texts() const;
    // Row `row`; indices outside 0..39 are a programmer error.
    MonitorRow &row(int row) { return m_rows.at(static_cast<std::size_t>(row)); }
    const MonitorRow &row(int row) const { return m_rows.at(static_cast<std::size_t>(row)); }

    QString ChangeAllText; // txtChangeAll
    EditState ChangeAllState = EditState::Shown;

private:
    QString listed(const QString &text) const; // the entry equal to `text`, else "[none]"

    QStringList m_entries;
    std::array<MonitorRow, MonitorRowCount> m_rows;
};

} // namespace vanta::monitor
