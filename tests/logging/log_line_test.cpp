// Log lines: stamps of the scheduled time in local time, value texts, and the append.
#include "logging/log_line.h"

#include "support/temp_program_folder.h"

#include <QFile>
#include <QTimeZone>
#include <gtest/gtest.h>

using namespace vanta::logging;

namespace {

// UTC seconds since the date origin, as SystemTimeNow() * 86400 gives them.
double programSeconds(const QDateTime &utc)
{
    return utc.toMSecsSinceEpoch() / 1000.0 + UnixEpochDayNumber * 86400.0;
}

const QDateTime UtcReference = QDateTime(QDate(2009, 3, 15), QTime(0, 0), QTimeZone::utc());

struct StampCase
{
    const char *utc; // ISO text
    double rate;
    const char *stamp;
};

const StampCase StampCases[] = {
    {"2009-03-15T14:05:07.000", 1, "03/15/2009 02:05:07 PM"},
    {"2009-03-15T14:05:07.999", 1, "03/15/2009 02:05:07 PM"}, // truncated, never rounded up
    {"2009-03-15T00:00:00.400", 60, "03/15/2009 12:00:00 AM"},
    {"2009-03-15T12:30:00.000", 1, "03/15/2009 12:30:00 PM"},
    {"2009-03-15T14:05:07.000", 0.5, "03/15/2009 02:05:07.0 PM"},
    {"2009-03-15T14:05:07.500", 0.5, "03/15/2009 02:05:07.5 PM"},
    {"2009-03-15T14:05:07.399", 0.1, "03/15/2009 02:05:07.3 PM"},
    {"2009-12-31T23:59:59.950", 0.1, "12/31/2009 11:59:59.9 PM"},
};

} // namespace

TEST(LogLine, StampsTheScheduledTimeInLocalTime)
{
    for (const StampCase &c : StampCases) {
        SCOPED_TRACE(c.utc);
        QDateTime utc = QDateTime::fromString(QString::fromLatin1(c.utc), Qt::ISODateWithMs);
        utc.setTimeZone(QTimeZone::utc());
        EXPECT_EQ(logStamp(programSeconds(utc), c.rate, UtcReference), QLatin1String(c.stamp));
    }
}

TEST(LogLine, StampSurvivesTheRoundingOfDayNumbers)
{
    // A start taken as day number times 86400 carries binary noise below the millisecond.
    const double due =
        programSeconds(QDateTime(QDate(2009, 3, 15), QTime(14, 5, 8), QTimeZone::utc()));
    EXPECT_EQ(logStamp(due - 1e-7, 0.5, UtcReference), QStringLiteral("03/15/2009 02:05:08.0 PM"));
    EXPECT_EQ(logStamp(due - 1e-7, 1, UtcReference), QStringLiteral("03/15/2009 02:05:08 PM"));
}

TEST(LogLine, UsesTheOffsetOfTheSampleInstant)
{
    const QDateTime plusOne = QDateTime(QDate(2009, 3, 15), QTime(0, 0), QTimeZone(3600));
    const double utcNoon =
        programSeconds(QDateTime(QDate(2009, 3, 15), QTime(12, 0, 0, 400), QTimeZone::utc()));
    EXPECT_EQ(logStamp(utcNoon, 1, plusOne), QStringLiteral("03/15/2009 01:00:00 PM"));

    const QTimeZone berlin("Europe/Berlin");
    if (!berlin.isValid())
        GTEST_SKIP() << "no time zone data";
    // Summer time starts at 01:00 UTC on 29 March 2009: 01:59:59 is followed by 03:00:00.
    const QDateTime reference(QDate(2009, 3, 15), QTime(10, 0), berlin);
    const double last =
        programSeconds(QDateTime(QDate(2009, 3, 29), QTime(0, 59, 59), QTimeZone::utc()));
    EXPECT_EQ(logStamp(last, 1, reference), QStringLiteral("03/29/2009 01:59:59 AM"));
    EXPECT_EQ(logStamp(last + 1, 1, reference), QStringLiteral("03/29/2009 03:00:00 AM"));
}

TEST(LogLine, KeepsZeroReadingsApartFromFailedReads)
{
    EXPECT_EQ(loggedValue(0.0f, 0), 1e-10f);
    EXPECT_EQ(loggedValue(123.4f, -1), 0.0f);
    EXPECT_EQ(loggedValue(0.0f, 2), 0.0f);
    const double at =
        programSeconds(QDateTime(QDate(2009, 3, 15), QTime(14, 5, 7), QTimeZone::utc()));
    EXPECT_EQ(logLine(at, 1, loggedValue(0, 0), UtcReference),
              QStringLiteral("03/15/2009 02:05:07 PM,1E-10"));
    EXPECT_EQ(logLine(at, 1, 123.4f, UtcReference), QStringLiteral("03/15/2009 02:05:07 PM,123.4"));
    EXPECT_EQ(logLine(at, 1, -0.5f, UtcReference), QStringLiteral("03/15/2009 02:05:07 PM,-0.5"));
}

TEST(LogLine, AppendsLatin1LinesWithCrLf)
{
    vanta::test::TempProgramFolder folder;
    const QString path = folder.filePath(QStringLiteral("001_20090315.csv"));
    appendLogLine(path, QStringLiteral("a,1"));
    appendLogLine(path, QStringLiteral("b,25\u00b0"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("a,1\r\nb,25\xb0\r\n"));
}

TEST(LogLine, DayNumbersRoundTrip)
{
    const QDateTime start(QDate(2009, 3, 15), QTime(10, 0, 0, 400));
    EXPECT_DOUBLE_EQ(dayNumberOf(QDateTime(QDate(1899, 12, 31), QTime(12, 0))), 1.5);
    EXPECT_EQ(dateTimeOfDayNumber(dayNumberOf(start)), start);
    EXPECT_EQ(dateTimeText(start), QStringLiteral("03/15/2009 10:00:00 AM"));
}
