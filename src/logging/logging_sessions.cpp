// Logging sessions: the tick that samples due instruments, and starting and stopping a session.
#include "logging/logging_sessions.h"

#include "comms/register_access.h"
#include "comms/timing.h"
#include "core/address.h"
#include "core/app_error.h"
#include "core/number_format.h"
#include "core/program_folder.h"
#include "core/registers.h"
#include "logging/log_line.h"
#include "logging/log_settings.h"
#include "logging/sample_schedule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

namespace vanta::logging {
namespace {

const QString TickRoutine = QStringLiteral("frmMain.tmrLogging_Timer");

} // namespace

ProcessValueReader scaledValueReader(comms::CommLink &link)
{
    return [&link](const core::InstrumentRecord &instrument) {
        ProcessReading reading;
        comms::ScaledValue scaled;
        const int address = core::ParseAddress(instrument.InstGroup, instrument.InstAddress);
        comms::ReadScaledValue(link, instrument.InstGroup, instrument.InstProtocol,
                               reading.ResultText, reading.Status, address,
                               core::ProcessValueRegister, scaled);
        reading.Value = scaled.Value;
        return reading;
    };
}

LoggingEngine::LoggingEngine(comms::CommLink &link) : LoggingEngine(link, scaledValueReader(link))
{}

LoggingEngine::LoggingEngine(comms::CommLink &link, ProcessValueReader reader)
    : m_link(link), m_read(std::move(reader))
{}

void LoggingEngine::tmrLogging_Timer()
{
    if (m_inTick)
        return;
    m_inTick = true;
    const auto leaveTick = qScopeGuard([this] { m_inTick = false; });
    std::vector<PendingReport> reports;
    std::vector<core::InstrumentRecord> &instruments = m_link.app.Config.Instruments;
    m_health.resize(instruments.size());
    bool active = false;
    for (size_t i = 0; i < instruments.size(); ++i) {
        if (instruments[i].LogState != LogStates::Started) {
            m_health[i] = SessionHealth{};
            continue;
        }
        active = true;
        runSession(static_cast<int>(i), reports);
    }
    m_link.app.setLoggingActive(active);
    if (active)
        refreshErrorLine();
    // Shown once the loop is over, so a box never leaves a sample half done; the caller's guard
    // keeps further ticks out while it is open.
    for (const PendingReport &report : reports) {
        if (report.file.isEmpty())
            core::reportAppError(m_link.ui, report.error, TickRoutine);
        else
            core::reportFileWriteError(m_link.ui, report.error, report.file, TickRoutine);
    }
}

void LoggingEngine::runSession(int index, std::vector<PendingReport> &reports)
{
    core::InstrumentRecord &instrument = m_link.app.Config.Instruments[index];
    const double rate = scheduledRate(instrument.LogRate);
    const double sinceStart = comms::SecondsSince(m_link.clock, instrument.LogStartSeconds);
    if (sinceStart >= instrument.LogNextOffset) {
        // Stamped with the time the sample was due, not the time of the read.
        const double scheduled = instrument.LogNextOffset + instrument.LogStartSeconds;
        instrument.LogNextOffset = nextOffsetAfter(instrument.LogNextOffset, sinceStart, rate);
        // While another window holds the port the sample is missed, as after a stall.
        if (!m_link.app.PortBorrowed())
            writeSample(index, scheduled, reports);
    }
    // Checked after the sample, so the sample of the tick in which the time is up is written.
    if (instrument.LogDuration * 60.0 <=
        comms::SecondsSince(m_link.clock, instrument.LogStartSeconds))
        instrument.LogState = LogStates::Finished;
}

void LoggingEngine::writeSample(int index, double scheduledSeconds,
                                std::vector<PendingReport> &reports)
{
    const core::InstrumentRecord &instrument = m_link.app.Config.Instruments[index];
    SessionHealth &health = m_health[index];
    const ProcessReading reading = read(index, reports);
    const float value = loggedValue(reading.Value, reading.Status);
    const double rate = scheduledRate(instrument.LogRate);
    try {
        appendLogLine(instrument.LogFile,
                      logLine(scheduledSeconds, rate, value, m_link.clock.localNow()));
        health.writeErrorReported = false;
    } catch (const core::AppError &error) {
        // Reported once; while the file stays unwritable only the error line tells.
        noteFailure(index, QStringLiteral("Address ") + instrument.InstAddress +
                               QStringLiteral(":Cannot write log file ") + instrument.LogFile);
        if (!health.writeErrorReported)
            reports.push_back({error, instrument.LogFile});
        health.writeErrorReported = true;
    }
}

ProcessReading LoggingEngine::read(int index, std::vector<PendingReport> &reports)
{
    SessionHealth &health = m_health[index];
    ProcessReading reading;
    try {
        reading = m_read(m_link.app.Config.Instruments[index]);
        health.readErrorReported = false;
    } catch (const core::AppError &error) {
        // An unexpected failure, not an instrument's answer: logged as a failed read.
        reading.Status = -1;
        reading.ResultText = error.description;
        if (!health.readErrorReported)
            reports.push_back({error, QString()});
        health.readErrorReported = true;
    }
    noteFailure(index, reading.Status != 0 ? reading.ResultText : QString());
    return reading;
}

void LoggingEngine::noteFailure(int index, const QString &text)
{
    SessionHealth &health = m_health[index];
    health.failure = text;
    if (!text.isEmpty())
        health.failureOrder = ++m_failureCount;
}

QString LoggingEngine::latestFailure() const
{
    const SessionHealth *latest = nullptr;
    for (const SessionHealth &health : m_health) {
        if (!health.failure.isEmpty() && (!latest || health.failureOrder > latest->failureOrder))
            latest = &health;
    }
    return latest ? latest->failure : QString();
}

void LoggingEngine::refreshErrorLine()
{
    if (!m_errorLineRefresh.pass(comms::ClockSeconds(m_link.clock)))
        return;
    const QString failure = latestFailure();
    m_link.app.setErrorLine(failure.isEmpty() ? QString()
                                              : dateTimeText(m_link.clock.localNow()) +
                                                    QStringLiteral(" - ") + failure);
}

QString proposedLogFileName(const core::InstrumentRecord &instrument, const QDate &today)
{
    return instrument.InstAddress + QLatin1Char('_') +
           core::formatDateTime(QDateTime(today, QTime(0, 0)), QStringLiteral("yyyymmdd")) +
           QStringLiteral(".csv");
}

bool isSameLogFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo first(a), second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return QDir::cleanPath(first.absoluteFilePath()) == QDir::cleanPath(second.absoluteFilePath());
}

int activeSessionWriting(const core::SystemConfig &config, const QString &path, int except)
{
    for (int i = 0; i < config.InstCount(); ++i) {
        const core::InstrumentRecord &instrument = config.Instruments[i];
        if (i != except && instrument.LogState == LogStates::Started &&
            isSameLogFile(instrument.LogFile, path))
            return i;
    }
    return -1;
}

bool StartLogSession(core::AppState &app, const core::Clock &clock, core::Interaction &ui,
                     int index)
{
    if (index < 0 || index >= app.Config.InstCount())
        return false;
    core::FileDialogRequest request;
    request.title = QStringLiteral("Start Log File");
    request.filter = QStringLiteral("CSV Files|*.csv");
    request.initialFolder = core::LogFolder(app);
    request.fileName = proposedLogFileName(app.Config.Instruments[index], clock.localNow().date());
    request.confirmOverwrite = true;
    const std::optional<QString> chosen = ui.saveFileDialog(request);
    // The dialog lets events run: look the instrument up again afterwards.
    if (!chosen || chosen->isEmpty() || index >= app.Config.InstCount())
        return false;
    const QString path = *chosen;
    if (activeSessionWriting(app.Config, path, index) >= 0) {
        // Starting here would delete the running session's data.
        ui.MsgBox(path + QLatin1Char('\r') +
                      QStringLiteral("This file is currently being logged to and cannot be "
                                     "used for another logging session."),
                  core::MsgButtons::Ok, core::MsgIcon::Exclamation,
                  QStringLiteral("File Currently Active"), core::MsgResult::Ok);
        return false;
    }
    // The new session begins with an empty file; the first sample creates it again.
    if (QFile::exists(path) && !QFile::remove(path))
        throw fileAccessError();
    core::InstrumentRecord &instrument = app.Config.Instruments[index];
    instrument.LogFile = path;
    instrument.LogStartDate = dayNumberOf(clock.localNow());
    instrument.LogStartSeconds = comms::SystemTimeNow(clock) * 86400;
    instrument.LogNextOffset = 0;
    instrument.LogState = LogStates::Started;
    return true;
}

bool StopLogSession(core::AppState &app, core::Interaction &ui, int index)
{
    if (index < 0 || index >= app.Config.InstCount() ||
        app.Config.Instruments[index].LogState != LogStates::Started)
        return false;
    const core::MsgResult answer =
        ui.MsgBox(QStringLiteral("Are sure you wish to stop the current logging session?"),
                  core::MsgButtons::YesNo, core::MsgIcon::Question, QStringLiteral("Stop Logging?"),
                  core::MsgResult::No);
    if (answer != core::MsgResult::Yes || index >= app.Config.InstCount())
        return false;
    app.Config.Instruments[index].LogState = LogStates::Stopped;
    return true;
}

void StopRunningSessions(core::SystemConfig &config)
{
    for (core::InstrumentRecord &instrument : config.Instruments) {
        if (instrument.LogState == LogStates::Started)
            instrument.LogState = LogStates::Stopped;
    }
}

QString startTimeText(const core::InstrumentRecord &instrument)
{
    return QStringLiteral("Logging started ") +
           dateTimeText(dateTimeOfDayNumber(instrument.LogStartDate));
}

} // namespace vanta::logging
