// Rate and duration entry: silent limits, stored whole minutes and seconds, unit texts.
#include "logging/log_settings.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace vanta::logging;

namespace {

struct DurationCase
{
    const char *typed;
    DurationUnit unit;
    qint16 stored;
    const char *shown;
};

const DurationCase DurationCases[] = {
    {"0.01", DurationUnit::Hours, 0, "0.01"}, // one sample, then finished
    {"0", DurationUnit::Hours, 0, "0.01"},
    {"1.15", DurationUnit::Hours, 69, "1.15"}, // 1.15 * 60 is 68.999... in binary
    {"2.5 hours", DurationUnit::Hours, 150, "2.50"},
    {"500", DurationUnit::Hours, 28800, "480.00"},
    {"abc", DurationUnit::Minutes, 1, "1"},
    {"0.5", DurationUnit::Minutes, 1, "1"},
    {"90.7", DurationUnit::Minutes, 90, "90"},
    {"99999", DurationUnit::Minutes, 28800, "28800"},
};

struct RateCase
{
    const char *typed;
    RateUnit unit;
    float stored;
    const char *shown;
};

const RateCase RateCases[] = {
    {"2.5", RateUnit::MinutesPerLog, 150, "2.50"},
    {"0.35", RateUnit::MinutesPerLog, 21, "0.35"},
    {"0.01", RateUnit::MinutesPerLog, 1, "0.01"}, // 0.6 s would be stored as 0 s
    {"61", RateUnit::MinutesPerLog, 3600, "60.00"},
    {"0.5", RateUnit::SecondsPerLog, 0.5f, "0.5"},
    {"0.01", RateUnit::SecondsPerLog, 0.1f, "0.1"},
    {"-3", RateUnit::SecondsPerLog, 0.1f, "0.1"},
    {"4000", RateUnit::SecondsPerLog, 3600, "3600.0"},
};

} // namespace

TEST(LogSettings, LimitsTypedDurationsSilently)
{
    for (const DurationCase &c : DurationCases) {
        SCOPED_TRACE(c.typed);
        const auto entry = checkDuration(QString::fromLatin1(c.typed), c.unit, 1);
        EXPECT_EQ(entry.stored, c.stored);
        EXPECT_EQ(entry.text, QLatin1String(c.shown));
    }
}

TEST(LogSettings, LimitsTypedRatesSilently)
{
    for (const RateCase &c : RateCases) {
        SCOPED_TRACE(c.typed);
        const auto entry = checkRate(QString::fromLatin1(c.typed), c.unit, 1);
        EXPECT_FLOAT_EQ(entry.stored, c.stored);
        EXPECT_EQ(entry.text, QLatin1String(c.shown));
    }
}

TEST(LogSettings, ShowingAValueInAnotherUnitDoesNotChangeIt)
{
    // 59 s shows as 0.98 min/log; reading that text back would store 58 s.
    EXPECT_EQ(rateText(59, RateUnit::MinutesPerLog), QStringLiteral("0.98"));
    EXPECT_FLOAT_EQ(checkRate(QStringLiteral("0.98"), RateUnit::MinutesPerLog, 59).stored, 59);
    EXPECT_EQ(durationText(59, DurationUnit::Hours), QStringLiteral("0.98"));
    EXPECT_EQ(checkDuration(QStringLiteral("0.98"), DurationUnit::Hours, 59).stored, 59);
    // A stored value out of the unit's limits is limited even when its text is unchanged.
    EXPECT_FLOAT_EQ(checkRate(QStringLiteral("0.0"), RateUnit::SecondsPerLog, 0).stored, 0.1f);
    // 2.5 min/log is 150 s, which sec/log shows as 150.0.
    EXPECT_EQ(rateText(150, RateUnit::SecondsPerLog), QStringLiteral("150.0"));
}

TEST(LogSettings, SchedulerNeverUsesARateBelowATenth)
{
    EXPECT_DOUBLE_EQ(scheduledRate(0), 0.1);
    EXPECT_DOUBLE_EQ(scheduledRate(-5), 0.1);
    EXPECT_DOUBLE_EQ(scheduledRate(std::nanf("")), 0.1);
    EXPECT_DOUBLE_EQ(scheduledRate(0.1f), 0.1); // whole milliseconds, not 0.100000001
    EXPECT_DOUBLE_EQ(scheduledRate(150), 150);
}
