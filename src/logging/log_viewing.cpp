// Log viewing: the current log's snapshot text and the external viewer for historical logs.
#include "logging/log_viewing.h"

#include "core/app_error.h"
#include "core/program_folder.h"
#include "core/regular_file.h"
#include "logging/log_line.h"
#include "logging/logging_sessions.h"

#include <QFileInfo>
#include <QProcess>

namespace vanta::logging {

std::optional<LogSnapshot> readLogSnapshot(const QString &path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return std::nullopt;
    // A log of weeks at a fast rate is large but never this large; a fifo or a device put in
    // place of the log is refused instead of blocking the window.
    constexpr qint64 MaxLogBytes = 256 * 1024 * 1024;
    QByteArray content;
    try {
        content = core::readRegularFile(path, MaxLogBytes);
    } catch (const core::AppError &) {
        throw fileAccessError();
    }
    LogSnapshot snapshot{path, {}};
    if (content.isEmpty())
        return snapshot;
    for (QByteArray line : content.split('\n')) {
        while (line.endsWith('\r'))
            line.chop(1);
        snapshot.lines << QString::fromLatin1(line);
    }
    if (content.endsWith('\n'))
        snapshot.lines.removeLast(); // the empty piece after the last line end
    return snapshot;
}

QString snapshotCaption(const QString &path)
{
    return QStringLiteral("View Current Log (Snapshot) - ") + path;
}

bool startDetachedProgram(const QString &program, const QStringList &arguments)
{
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

void ViewHistoricalLog(const core::AppState &app, core::Interaction &ui,
                       const ProgramLauncher &launch)
{
    core::FileDialogRequest request;
    request.title = QStringLiteral("View Historical Log");
    request.filter = QStringLiteral("CSV Files|*.csv");
    request.initialFolder = core::LogFolder(app);
    request.fileMustExist = true;
    const std::optional<QString> chosen = ui.openFileDialog(request);
    if (!chosen || chosen->isEmpty())
        return;
    if (activeSessionWriting(app.Config, *chosen) >= 0) {
        ui.MsgBox(*chosen + QLatin1Char('\r') +
                      QStringLiteral("This file is currently being logged to and cannot be "
                                     "viewed Historically."),
                  core::MsgButtons::Ok, core::MsgIcon::Exclamation,
                  QStringLiteral("File Currently Active"), core::MsgResult::Ok);
        return;
    }
    if (!launch(app.Config.ViewerProgram, {*chosen}))
        core::reportAppError(
            ui, core::AppError{core::ErrorNumber::FileNotFound, QStringLiteral("File not found")},
            QStringLiteral("frmLogging.cmdViewHist_Click, ") + app.Config.ViewerProgram);
}

} // namespace vanta::logging
