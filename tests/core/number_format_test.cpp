// Number and date texts on awkward values: signs, zero, rounding halves, tiny and huge values,
// thousands grouping and the 12-hour clock.
#include "core/number_format.h"

#include <gtest/gtest.h>

using namespace vanta::core;

namespace {

struct PatternCase
{
    double value;
    const char *pattern;
    const char *text;
};

const PatternCase PatternCases[] = {
    {1234.56, "#,###,###,##0.0", "1,234.6"},
    {1234567890.0, "#,###,###,##0", "1,234,567,890"},
    {-1234.0, "#,##0", "-1,234"},
    {-12.3, "#,##0.0", "-12.3"},
    {double(-12.3f), "#,##0.0", "-12.3"},
    {-999.96, "#,##0.0", "-1,000.0"},
    {0.0, "#,###,###,##0.00", "0.00"},
    {-0.04, "0.0", "0.0"}, // rounds to zero: no minus sign
    {2.5, "0", "3"},
    {-2.5, "0", "-3"},
    {0.125, "0.00", "0.13"},
    {-0.125, "0.00", "-0.13"},
    {1.005, "0.00", "1.01"},       // a double taken at 15 digits, not 1.00499999...
    {double(0.35f), "0.0", "0.4"}, // a single taken at its shortest form
    {double(25.55f), "#,##0.0", "25.6"},
    {0.1, "0.0000", "0.1000"},
    {9.99995, "0.0000", "10.0000"},
    {5.0, "000", "005"},
    {7.0, "00", "07"},
    {0.5, ".0", ".5"},
    {0.0, "#,###,###,###", ""},
    {1234567.0, "#,###,###,###", "1,234,567"},
    {1e-10, "0.0000", "0.0000"},
    {12.5,
     "#,##0.0 \xb0"
     "C",
     "12.5 \xb0"
     "C"},
};

} // namespace

TEST(NumberFormat, PatternsRoundHalvesAwayFromZeroAndGroupThousands)
{
    for (const PatternCase &c : PatternCases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + std::to_string(c.value));
        EXPECT_EQ(formatNumber(c.value, QString::fromLatin1(c.pattern)),
                  QString::fromLatin1(c.text));
    }
}

TEST(NumberFormat, NumberTextHasSevenDigitsAndExponentForm)
{
    const struct
    {
        double value;
        const char *text;
    } cases[] = {
        {25.5, "25.5"},
        {-1, "-1"},
        {22603, "22603"},
        {0, "0"},
        {-0.0, "0"},
        {0.05, "0.05"},
        {1e-10, "1E-10"},
        {0.0001, "0.0001"},
        {0.00001, "1E-05"},
        {1234567, "1234567"},
        {12345678, "1.234568E+07"},
        {123456789, "1.234568E+08"},
        {1.0f / 3.0f, "0.3333333"},
        {-123.4, "-123.4"},
        {0.1f, "0.1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(numberText(c.value), QString::fromLatin1(c.text));
    }
}

TEST(NumberFormat, SignFormsPutTheBlankWhereEachCallerNeedsIt)
{
    EXPECT_EQ(withLeadingBlank(5), " 5");
    EXPECT_EQ(withLeadingBlank(-32769), " -32769");
    EXPECT_EQ(withLeadingBlank(0), " 0");
    EXPECT_EQ(signOrBlank(5), " 5");
    EXPECT_EQ(signOrBlank(-5), "-5");
    EXPECT_EQ(signOrBlank(0), " 0");
    EXPECT_EQ(signOrBlank(0.05f), " .05");
    EXPECT_EQ(signOrBlank(9600), " 9600");
    EXPECT_EQ(listPrintForm(5), " 5 ");
    EXPECT_EQ(listPrintForm(-5), "-5 ");
    EXPECT_EQ(listPrintForm(-0.25), "-.25 ");
    EXPECT_EQ(compactNumberText(0.05f), ".05");
    EXPECT_EQ(compactNumberText(1e-10), "1E-10");
}

TEST(NumberFormat, FileFormsReadBackAsTheSameValue)
{
    const float singles[] = {0.1f, 1.0000001f, 16777215.0f, 3.4e38f, 1e-38f, -2.75f, 0.05f};
    for (const float value : singles) {
        SCOPED_TRACE(value);
        const auto parsed = parseNumberText(signOrBlank(value));
        ASSERT_TRUE(parsed);
        EXPECT_EQ(static_cast<float>(*parsed), value);
    }
    const double doubles[] = {0.1 + 0.2, 1.0 / 3.0, 123456789.123};
    for (const double value : doubles) {
        SCOPED_TRACE(value);
        const auto parsed = parseNumberText(listPrintForm(value));
        ASSERT_TRUE(parsed);
        EXPECT_EQ(*parsed, value);
    }
}

TEST(NumberFormat, ParsesTextsLocaleIndependently)
{
    EXPECT_EQ(parseNumberText(" 1,234.5 "), 1234.5);
    EXPECT_EQ(parseNumberText(".05"), 0.05);
    EXPECT_EQ(parseNumberText("-1E-10"), -1e-10);
    EXPECT_FALSE(parseNumberText(""));
    EXPECT_FALSE(parseNumberText("  "));
    EXPECT_FALSE(parseNumberText("12abc"));
    EXPECT_FALSE(parseNumberText("nan"));
    EXPECT_EQ(leadingNumber("0.5 Sec"), 0.5);
    EXPECT_EQ(leadingNumber(".05 Sec"), 0.05);
    EXPECT_EQ(leadingNumber("Never"), 0);
    EXPECT_EQ(leadingNumber(" -12x"), -12);
    EXPECT_EQ(leadingNumber(""), 0);
}

struct LeadingCase
{
    const char *text;
    std::optional<double> number;
};

const LeadingCase LeadingCases[] = {
    {"1,235.0 °C", 1235.0}, {" 25.5", 25.5},       {"-.5x", -0.5},           {"+7", 7.0},
    {"", std::nullopt},     {"  ", std::nullopt},  {"abc 12", std::nullopt}, {"-", std::nullopt},
    {"nan", std::nullopt},  {"inf", std::nullopt},
};

TEST(NumberFormat, LeadingNumberOfATypedFieldTellsNoNumberApart)
{
    for (const LeadingCase &c : LeadingCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readLeadingNumber(QString::fromUtf8(c.text)), c.number);
    }
}

TEST(NumberFormat, DatePatterns)
{
    const QDateTime afternoon(QDate(2009, 3, 15), QTime(14, 5, 7));
    EXPECT_EQ(formatDateTime(afternoon, "yyyymmdd"), "20090315");
    EXPECT_EQ(formatDateTime(afternoon, "yyyymmdd-hhmm"), "20090315-1405");
    EXPECT_EQ(formatDateTime(afternoon, "mm/dd/yyyy hh:mm:ss"), "03/15/2009 14:05:07");
    EXPECT_EQ(formatDateTime(afternoon, "mm/dd/yyyy hh:nn:ss"), "03/15/2009 14:05:07");
    EXPECT_EQ(formatDateTime(afternoon, "mm/dd/yyyy hh:nn:ss AM/PM"), "03/15/2009 02:05:07 PM");

    const struct
    {
        QTime time;
        const char *text;
    } clock12[] = {
        {QTime(0, 0, 0), "12:00:00 AM"},
        {QTime(12, 0, 0), "12:00:00 PM"},
        {QTime(13, 0, 0), "01:00:00 PM"},
        {QTime(23, 59, 59), "11:59:59 PM"},
    };
    for (const auto &c : clock12) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(formatDateTime(QDateTime(QDate(2009, 12, 31), c.time), "hh:nn:ss AM/PM"), c.text);
    }
}
