// Logging sessions: each configured instrument's process value sampled at its rate for its
// duration into a CSV file. The main window's 50 ms timer drives LoggingEngine; the logging
// window starts and stops sessions with StartLogSession and StopLogSession.
#pragma once

#include "comms/comm_link.h"
#include "core/app_error.h"
#include "core/system_config.h"
#include "logging/sample_schedule.h"

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

namespace vanta::logging {

// The session states live beside InstrumentRecord; logging code names them as its own.
namespace LogStates = core::LogStates;

// One reading of an instrument's process value: the scaled value, status 0 on success, and the
// failure text ("" on success).
struct ProcessReading
{
    float Value = 0;
    qint16 Status = 0;
    QString ResultText;
};
using ProcessValueReader = std::function<ProcessReading(const core::InstrumentRecord &)>;

// Reads register 2 of the instrument through ReadScaledValue, at the address its listed text
// names for its controller group.
ProcessValueReader scaledValueReader(comms::CommLink &link);

// Runs the sessions of every instrument of link.app's list.
//
// The owner calls tmrLogging_Timer every 50 ms while the port is open. A tick writes every due
// sample (while the port is lent, AppState::PortBorrowed, a due sample is skipped without a read
// or a line and the schedule moves on), finishes sessions whose time is up, sets
// AppState::LoggingActive (the main window's indicator follows its signal) and refreshes the main
// window's error line at most every 0.5 s while sessions run. A tick that starts while another is
// still running (inside its message box) returns at once.
class LoggingEngine
{
public:
    explicit LoggingEngine(comms::CommLink &link);
    LoggingEngine(comms::CommLink &link, ProcessValueReader reader);

    void tmrLogging_Timer();

private:
    // The health of one instrument's session, kept between ticks: the text of its latest failed
    // read or write ("" after a success), and whether its unexpected read or write error was
    // already reported (once, until a read or write succeeds again).
    struct SessionHealth
    {
        QString failure;
        quint64 failureOrder = 0;
        bool readErrorReported = false;
        bool writeErrorReported = false;
    };
    // A failure to report once the tick's loop is over; `file` is empty for a failed read.
    struct PendingReport
    {
        core::AppError error;
        QString file;
    };

    void runSession(int index, std::vector<PendingReport> &reports);
    void writeSample(int index, double scheduledSeconds, std::vector<PendingReport> &reports);
    ProcessReading read(int index, std::vector<PendingReport> &reports);
    void noteFailure(int index, const QString &text);
    void refreshErrorLine();
    QString latestFailure() const;

    comms::CommLink &m_link;
    ProcessValueReader m_read;
    std::vector<SessionHealth> m_health;
    quint64 m_failureCount = 0;
    Throttle m_errorLineRefresh{0.5}; // the main window's error line, LastStatusRefresh
    bool m_inTick = false;
};

// The file name a new session proposes: address text, "_", the date as yyyymmdd, ".csv"
// ("001_20090315.csv").
QString proposedLogFileName(const core::InstrumentRecord &instrument, const QDate &today);

// True when both paths name the same file (the same resolved file when both exist).
bool isSameLogFile(const QString &a, const QString &b);

// The index of a STARTED session other than `except` that writes `path`, or -1.
int activeSessionWriting(const core::SystemConfig &config, const QString &path, int except = -1);

// Starts a session for instrument `index`: asks for the log file (cancel changes nothing),
// refuses a file that another running session writes, empties an existing file and sets the
// session STARTED from now. Returns true when it started. Throws core::AppError when the old
// file cannot be removed; the session then stays as it was.
bool StartLogSession(core::AppState &app, const core::Clock &clock, core::Interaction &ui,
                     int index);

// Stops a STARTED session after the user confirms; returns true when it stopped. Any other
// state asks nothing and changes nothing.
bool StopLogSession(core::AppState &app, core::Interaction &ui, int index);

// Stops every STARTED session without asking; the other states stay. The next tick then clears
// LoggingActive.
void StopRunningSessions(core::SystemConfig &config);

// "Logging started " and the start time as the window shows it.
QString startTimeText(const core::InstrumentRecord &instrument);

} // namespace vanta::logging
