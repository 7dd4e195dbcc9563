// Monitor.val: which instrument sits in which of the monitor's rows, one entry text per line,
// kept in the program folder between runs.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vanta::monitor {

// The first field of one line: up to the first comma, blanks around it removed; a field in
// double quotes keeps its commas and blanks.
QString firstField(const QString &line);

// The 40 row texts of the file at `path`. Throws core::AppError: 53 when the file is missing,
// 75 when it cannot be read, 62 when it has fewer than 40 lines.
QStringList readMonitorFile(const QString &path);

// The file's content for `texts`: one line per row, CR LF, Latin-1. A text that would not read
// back whole (a comma, blanks at either end) is written in double quotes.
QByteArray monitorFileContent(const QStringList &texts);

} // namespace vanta::monitor
