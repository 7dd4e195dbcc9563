// Looking at log files: a snapshot of a session's current log, and any log file in the external
// viewer program unless a running session still writes it.
#pragma once

#include "core/app_state.h"
#include "core/interaction.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace vanta::logging {

// A log file's lines as "View Current" read them; the logging window fills it and the snapshot
// window shows it.
struct LogSnapshot
{
    QString path;
    QStringList lines;
};

// The lines of a log file read as Latin-1 (CR LF or LF), or nothing when the file does not
// exist. Throws core::AppError 75 when it exists but cannot be read.
std::optional<LogSnapshot> readLogSnapshot(const QString &path);

// "View Current Log (Snapshot) - " and the file's path.
QString snapshotCaption(const QString &path);

// Starts a program on its own, with its arguments as they are (no shell, no joined command
// text); false when it cannot be started.
using ProgramLauncher = std::function<bool(const QString &program, const QStringList &arguments)>;
bool startDetachedProgram(const QString &program, const QStringList &arguments);

// "View Hist...": asks for a log file (cancel does nothing), warns instead when a STARTED
// session writes it, and otherwise starts the configured viewer program with the file. A viewer
// that cannot be started is reported as an application error of cmdViewHist_Click.
void ViewHistoricalLog(const core::AppState &app, core::Interaction &ui,
                       const ProgramLauncher &launch = startDetachedProgram);

} // namespace vanta::logging
