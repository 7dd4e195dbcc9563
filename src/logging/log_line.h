// One line of a process-value log file: the local stamp of the scheduled sample, the value
// read, and appending the line to its file.
#pragma once

#include "core/app_error.h"

#include <QDateTime>
#include <QString>

namespace vanta::logging {

// Days from the date origin 1899-12-30 to 1970-01-01: converts the program's UTC seconds
// (SystemTimeNow() * 86400) and local day numbers to and from Qt's epoch.
constexpr qint64 UnixEpochDayNumber = 25569;

// The value a sample writes: a reading of exactly 0 becomes 1E-10 so that it stays apart from a
// failed read, which writes 0.
float loggedValue(float value, qint16 status);

// `utc` in the same kind of local time as `reference` (system local time, a fixed offset or a
// named zone), with the offset that applies at that instant.
QDateTime toLocalLike(const QDateTime &utc, const QDateTime &reference);

// The stamp of a sample scheduled at `scheduledSeconds` (UTC seconds since the date origin, with
// milliseconds), shown in the local time of `localReference`. Rates of 1 s or more give whole
// seconds, truncated: "03/15/2009 02:05:07 PM"; faster rates add the tenths digit:
// "03/15/2009 02:05:07.3 PM".
QString logStamp(double scheduledSeconds, double rate, const QDateTime &localReference);

// A whole log line without its line end: stamp, comma, value text ("1E-10", "-12.5").
QString logLine(double scheduledSeconds, double rate, float value, const QDateTime &localReference);

// Appends `line` and CR LF to the file in Latin-1, creating the file when it is missing. The
// file is closed again at once, so other programs can read the log between samples.
// Throws core::AppError 75 when the file cannot be opened or written.
void appendLogLine(const QString &path, const QString &line);

// Error 75 "Path/File access error": a log file that cannot be opened, read or written.
core::AppError fileAccessError();

// A date and time as the logging texts show it: "03/15/2009 02:05:07 PM".
QString dateTimeText(const QDateTime &dt);

// A local date and time as a day number (days since 1899-12-30 plus the fraction of the day),
// and back.
double dayNumberOf(const QDateTime &local);
QDateTime dateTimeOfDayNumber(double dayNumber);

} // namespace vanta::logging
