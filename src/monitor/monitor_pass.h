// The monitor's poll: the 50 ms tick decides whether a process-value or setpoint pass is due,
// and a pass reads every row's instrument in order, letting window events run between rows.
#pragma once

#include "comms/comm_link.h"
#include "comms/scaled_value.h"
#include "core/reentry_guard.h"
#include "monitor/monitor_rows.h"

#include <functional>

namespace vanta::monitor {

// A stored poll time that makes the next tick run both passes.
constexpr double ForcePass = -99999;

// A pass of `rate` seconds is due when the rate is above 0 (0 means never) and at least `rate`
// seconds have passed since `last` (seconds since midnight; across midnight a day is added,
// under 0.02 s counts as none).
bool isPassDue(const core::Clock &clock, float rate, double last);

struct DuePasses
{
    bool processValues = false;
    bool setpoints = false;
    bool any() const { return processValues || setpoints; }
};

class MonitorPass
{
public:
    // Silent rows with the back-off option on: after this many failed passes in a row the row
    // is read at most every BackOffSeconds until it answers.
    static constexpr int BackOffAfterPasses = 3;
    static constexpr double BackOffSeconds = 5;

    MonitorPass(comms::CommLink &link, MonitorRows &rows, core::LoopTracker &loops);

    // One tick. Returns at once when a pass is already running (the tick came from inside the
    // events a pass lets run), when no pass is due, or, with the pass consumed, while the port is
    // lent. Otherwise stamps the due passes with the time now and reads rows 0..39; stops after
    // a row once MonitorStop is set. Row failures are statuses and texts, never thrown.
    void tmrPoll_Timer();
    // The next tick runs both passes.
    void forcePass() { LastPvPollTime = LastSvPollTime = ForcePass; }

    double LastPvPollTime = ForcePass;
    double LastSvPollTime = ForcePass;
    bool MonitorBusy = false;    // rows being filled, or the poll writing setpoint texts
    bool MonitorStop = false;    // the frame was left: the pass ends after the current row
    bool PollSilentLess = false; // the back-off option

    // Told when a row starts being read (its light turned green) and when it is done; the
    // window repaints the row and, after a row, lets pending events run.
    std::function<void(int row)> rowStarted;
    std::function<void(int row)> rowFinished;

    bool passRunning() const { return m_inPass; }
    // Duration of the last complete pass in seconds; -1 before the first.
    double lastPassSeconds() const { return m_lastPassSeconds; }
    // "Rows 12, silent 1, requests 3400, failures 12, last pass 1.25 s"
    QString summaryText() const;

private:
    DuePasses takeDuePasses();
    void runPass(DuePasses due);
    bool skipsSilentRow(const MonitorRow &row) const;
    void pollRow(int index, DuePasses due);
    qint16 readRow(int index, const RowTarget &target, DuePasses due);
    bool readScaled(MonitorRow &row, const RowTarget &target, int reg, comms::ScaledValue &value,
                    qint16 &status);
    bool readValue(MonitorRow &row, const RowTarget &target, int reg, float &value, qint16 &status);
    void count(MonitorRow &row, qint16 status, qint64 startedMs);
    qint16 readProcessValue(MonitorRow &row, const RowTarget &target);
    qint16 readSetpoint(MonitorRow &row, int index, const RowTarget &target);
    qint16 learnAlarmSenses(MonitorRow &row, const RowTarget &target);
    qint16 learnGroup0Sense(MonitorRow &row, const RowTarget &target, int reg, qint16 &sense);
    qint16 readRampSoak(MonitorRow &row, const RowTarget &target);
    void finishRow(MonitorRow &row, bool hasAddress, qint16 status);
    void showErrorLine();

    comms::CommLink &m_link;
    MonitorRows &m_rows;
    core::LoopTracker &m_loops;
    QString m_errorText; // of the last read made, carried from row to row for the error line
    bool m_inPass = false;
    double m_lastPassSeconds = -1;
};

// The main window's error line: the date and time, " - " and `errorText`, or empty when the text
// is empty.
void showErrorLine(comms::CommLink &link, const QString &errorText);

// The alarm text a process-value read shows: "ON" or "OFF" by the flag and the learned sense
// (inverted: set means off), empty while the sense is unknown.
QString alarmText(bool flag, qint16 sense);

} // namespace vanta::monitor
