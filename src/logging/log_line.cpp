// Log lines: stamps in local time, value texts and the append to the log file.
#include "logging/log_line.h"

#include "core/number_format.h"

#include <QFile>
#include <QTimeZone>
#include <cmath>

namespace vanta::logging {
namespace {

constexpr qint64 MillisecondsPerDay = 86400 * 1000LL;
const QDate DateOrigin(1899, 12, 30);

QDateTime utcFromProgramMilliseconds(qint64 milliseconds)
{
    return QDateTime::fromMSecsSinceEpoch(milliseconds - UnixEpochDayNumber * MillisecondsPerDay,
                                          QTimeZone::utc());
}

} // namespace

core::AppError fileAccessError()
{
    return {core::ErrorNumber::PathFileAccessError, QStringLiteral("Path/File access error")};
}

float loggedValue(float value, qint16 status)
{
    if (status != 0)
        return 0.0f;
    return value == 0.0f ? 1e-10f : value;
}

QDateTime toLocalLike(const QDateTime &utc, const QDateTime &reference)
{
    switch (reference.timeSpec()) {
    case Qt::UTC:
        return utc.toUTC();
    case Qt::OffsetFromUTC:
        return utc.toOffsetFromUtc(reference.offsetFromUtc());
    case Qt::TimeZone:
        return utc.toTimeZone(reference.timeZone());
    case Qt::LocalTime:
        break;
    }
    return utc.toLocalTime();
}

QString logStamp(double scheduledSeconds, double rate, const QDateTime &localReference)
{
    // The clock counts whole milliseconds; rounding to them first keeps a day number times 86400
    // that comes out as ...07.4999999 from losing its tenth or its second.
    const qint64 milliseconds = std::llround(scheduledSeconds * 1000.0);
    const QDateTime local = toLocalLike(utcFromProgramMilliseconds(milliseconds), localReference);
    if (rate >= 1.0)
        return dateTimeText(local);
    // The tenths digit goes between the seconds and "AM"/"PM".
    const int tenths = static_cast<int>(milliseconds % 1000 / 100);
    QString stamp = dateTimeText(local);
    return stamp.insert(stamp.lastIndexOf(QLatin1Char(' ')),
                        QLatin1Char('.') + QString::number(tenths));
}

QString logLine(double scheduledSeconds, double rate, float value, const QDateTime &localReference)
{
    return logStamp(scheduledSeconds, rate, localReference) + QLatin1Char(',') +
           core::numberText(value);
}

void appendLogLine(const QString &path, const QString &line)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw fileAccessError();
    const QByteArray bytes = line.toLatin1() + "\r\n";
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written)
        throw fileAccessError();
}

QString dateTimeText(const QDateTime &dt)
{
    return core::formatDateTime(dt, QStringLiteral("mm/dd/yyyy hh:nn:ss AM/PM"));
}

double dayNumberOf(const QDateTime &local)
{
    return DateOrigin.daysTo(local.date()) +
           local.time().msecsSinceStartOfDay() / double(MillisecondsPerDay);
}

QDateTime dateTimeOfDayNumber(double dayNumber)
{
    const qint64 milliseconds = std::llround(dayNumber * MillisecondsPerDay);
    const qint64 days = milliseconds / MillisecondsPerDay; // day numbers here are never negative
    return QDateTime(DateOrigin.addDays(days),
                     QTime::fromMSecsSinceStartOfDay(int(milliseconds % MillisecondsPerDay)));
}

} // namespace vanta::logging
