// Locale-independent number and date texts, built on an exact decimal digit string so rounding
// happens on the decimal value the user sees, not on the binary one.
#include "core/number_format.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace vanta::core {

namespace {

// A finite number as decimal digits: value = 0.d1d2d3... x 10^pointPosition, so pointPosition is
// the count of digits before the decimal point (negative for 0.00ddd). No leading zeros; empty
// digits mean zero.
struct Decimal
{
    bool negative = false;
    std::string digits;
    int pointPosition = 0;
};

// The "+07" or "-10" after the "e", read only up to `end` (to_chars ends its text with no
// terminator).
int exponentValue(const char *begin, const char *end)
{
    const bool negative = begin != end && *begin == '-';
    if (begin != end && (*begin == '-' || *begin == '+'))
        ++begin;
    int value = 0;
    std::from_chars(begin, end, value);
    return negative ? -value : value;
}

// Parses the "d.ddddde±x" text that to_chars and printf produce.
Decimal decimalFromScientific(const char *begin, const char *end)
{
    Decimal d;
    const char *p = begin;
    if (p != end && *p == '-') {
        d.negative = true;
        ++p;
    }
    for (; p != end && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    }
    const int exponent = p != end ? exponentValue(p + 1, end) : 0;
    d.pointPosition = exponent + 1;
    const auto first = d.digits.find_first_not_of('0');
    if (first == std::string::npos)
        return Decimal{};
    d.digits.erase(0, first);
    d.pointPosition -= static_cast<int>(first);
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    return d;
}

constexpr double MaxSingle = 3.4028234663852886e38;

bool isExactSingle(double value)
{
    return std::fabs(value) <= MaxSingle && static_cast<double>(static_cast<float>(value)) == value;
}

// The shortest digits that read back as the same value: as a single when the value is one.
Decimal shortestDecimal(double value)
{
    char buffer[64];
    const auto result =
        isExactSingle(value)
            ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value),
                            std::chars_format::scientific)
            : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return decimalFromScientific(buffer, result.ptr);
}

Decimal significantDecimal(double value, int significantDigits)
{
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*e", significantDigits - 1, value);
    return decimalFromScientific(buffer, buffer + length);
}

// Digits as the display patterns see them: a single at its shortest form, any other value at
// the 15 significant digits a double holds reliably.
Decimal displayDecimal(double value)
{
    return isExactSingle(value) ? shortestDecimal(value) : significantDecimal(value, 15);
}

// Rounds half away from zero to `decimals` digits after the point.
void roundToDecimals(Decimal &d, int decimals)
{
    const int keep = d.pointPosition + decimals;
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0) {
        d = Decimal{false, {}, 0};
        return;
    }
    const bool roundUp = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9')
            d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.pointPosition;
        }
    }
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    if (d.digits.empty())
        d = Decimal{false, {}, 0};
}

QString integerDigits(const Decimal &d)
{
    if (d.pointPosition <= 0)
        return {};
    QString text = QString::fromStdString(d.digits.substr(0, d.pointPosition));
    return text.leftJustified(d.pointPosition, QLatin1Char('0'));
}

// Fraction digits up to `count`, zero-padded.
QString fractionDigits(const Decimal &d, int count)
{
    QString text;
    for (int i = 0; i < count; ++i) {
        const int index = d.pointPosition + i;
        const bool present = index >= 0 && index < static_cast<int>(d.digits.size());
        text += present ? QLatin1Char(d.digits[index]) : QLatin1Char('0');
    }
    return text;
}

QString groupedByThree(const QString &digits)
{
    QString text;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += QLatin1Char(',');
        text += digits[i];
    }
    return text;
}

QString nonFiniteText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
}

// Fixed or exponent layout of decimal digits; `zeroBeforePoint` decides between "0.5" and ".5".
enum class ZeroBeforePoint
{
    Shown,
    Omitted
};

QString layOut(const Decimal &d, ZeroBeforePoint zero)
{
    if (d.digits.empty())
        return QStringLiteral("0");
    const QString sign = d.negative ? QStringLiteral("-") : QString();
    const int exponent = d.pointPosition - 1;
    if (exponent < -4 || exponent >= 7) {
        QString mantissa = QString::fromStdString(d.digits.substr(0, 1));
        if (d.digits.size() > 1)
            mantissa += QLatin1Char('.') + QString::fromStdString(d.digits.substr(1));
        const QString exponentDigits =
            QString::number(std::abs(exponent)).rightJustified(2, QLatin1Char('0'));
        return sign + mantissa + (exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) +
               exponentDigits;
    }
    QString integer = integerDigits(d);
    if (integer.isEmpty() && zero == ZeroBeforePoint::Shown)
        integer = QStringLiteral("0");
    const int decimals = static_cast<int>(d.digits.size()) - d.pointPosition;
    if (decimals <= 0)
        return sign + integer;
    return sign + integer + QLatin1Char('.') + fractionDigits(d, decimals);
}

// The parts of a numeric display pattern.
struct NumberPattern
{
    QString prefix;
    QString suffix;
    int minIntegerDigits = 0;
    bool grouped = false;
    int minDecimals = 0;
    int maxDecimals = 0;
};

bool isPlaceholder(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char(',') ||
           c == QLatin1Char('.');
}

NumberPattern parseNumberPattern(const QString &pattern)
{
    NumberPattern parsed;
    int first = 0;
    while (first < pattern.size() && !isPlaceholder(pattern[first]))
        ++first;
    int last = pattern.size() - 1;
    while (last >= first && !isPlaceholder(pattern[last]))
        --last;
    parsed.prefix = pattern.left(first);
    parsed.suffix = pattern.mid(last + 1);
    bool inFraction = false;
    for (int i = first; i <= last; ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('.')) {
            inFraction = true;
        } else if (inFraction) {
            parsed.minDecimals += c == QLatin1Char('0') ? 1 : 0;
            parsed.maxDecimals += c == QLatin1Char('0') || c == QLatin1Char('#') ? 1 : 0;
        } else if (c == QLatin1Char('0')) {
            ++parsed.minIntegerDigits;
        } else if (c == QLatin1Char(',')) {
            parsed.grouped = true;
        }
    }
    return parsed;
}

QString twoDigits(int value)
{
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

bool isSecondsAt(const QString &pattern, int index)
{
    return pattern.mid(index, 2).compare(QLatin1String("ss"), Qt::CaseInsensitive) == 0;
}

} // namespace

QString formatNumber(double value, const QString &pattern)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const NumberPattern p = parseNumberPattern(pattern);
    Decimal d = displayDecimal(value);
    roundToDecimals(d, p.maxDecimals);

    QString integer = integerDigits(d);
    if (integer.size() < p.minIntegerDigits)
        integer = integer.rightJustified(p.minIntegerDigits, QLatin1Char('0'));
    if (p.grouped)
        integer = groupedByThree(integer);

    QString fraction = fractionDigits(d, p.maxDecimals);
    while (fraction.size() > p.minDecimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);

    QString text = d.negative && !d.digits.empty() ? QStringLiteral("-") : QString();
    text += integer;
    if (!fraction.isEmpty())
        text += QLatin1Char('.') + fraction;
    return p.prefix + text + p.suffix;
}

QString formatDateTime(const QDateTime &dt, const QString &pattern)
{
    const QDate date = dt.date();
    const QTime time = dt.time();
    const bool twelveHour = pattern.contains(QLatin1String("AM/PM"), Qt::CaseInsensitive);
    QString text;
    bool afterHour = false; // the last field written was the hour
    int i = 0;
    while (i < pattern.size()) {
        const QString rest = pattern.mid(i);
        const auto startsWith = [&rest](const char *token) {
            return rest.startsWith(QLatin1String(token), Qt::CaseInsensitive);
        };
        if (startsWith("AM/PM")) {
            const bool upper = pattern[i].isUpper();
            const QString half = time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            text += upper ? half : half.toLower();
            i += 5;
            afterHour = false;
        } else if (startsWith("yyyy")) {
            text += QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
            i += 4;
            afterHour = false;
        } else if (startsWith("yy")) {
            text += twoDigits(date.year() % 100);
            i += 2;
            afterHour = false;
        } else if (startsWith("mm")) {
            const bool minutes =
                afterHour || isSecondsAt(pattern, i + 3) || isSecondsAt(pattern, i + 2);
            text += twoDigits(minutes ? time.minute() : date.month());
            i += 2;
            afterHour = false;
        } else if (startsWith("nn")) {
            text += twoDigits(time.minute());
            i += 2;
            afterHour = false;
        } else if (startsWith("dd")) {
            text += twoDigits(date.day());
            i += 2;
            afterHour = false;
        } else if (startsWith("hh")) {
            const int hour = twelveHour ? (time.hour() + 11) % 12 + 1 : time.hour();
            text += twoDigits(hour);
            i += 2;
            afterHour = true;
        } else if (startsWith("ss")) {
            text += twoDigits(time.second());
            i += 2;
            afterHour = false;
        } else {
            text += pattern[i];
            ++i;
        }
    }
    return text;
}

QString numberText(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    // Beyond the single range the value stays a double rather than turning infinite.
    const double single = std::fabs(value) <= MaxSingle ? static_cast<float>(value) : value;
    return layOut(significantDecimal(single, 7), ZeroBeforePoint::Shown);
}

QString compactNumberText(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    return layOut(shortestDecimal(value), ZeroBeforePoint::Omitted);
}

QString withLeadingBlank(double value)
{
    return QLatin1Char(' ') + numberText(value);
}

QString signOrBlank(double value)
{
    const QString text = compactNumberText(value);
    return text.startsWith(QLatin1Char('-')) ? text : QLatin1Char(' ') + text;
}

QString listPrintForm(double value)
{
    return signOrBlank(value) + QLatin1Char(' ');
}

std::optional<double> parseNumberText(const QString &text)
{
    QString cleaned = text.trimmed();
    cleaned.remove(QLatin1Char(','));
    if (cleaned.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(cleaned, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

// Blanks skipped, an optional "+" dropped, then what std::from_chars reads as a finite number.
std::optional<double> numberAtStart(const QString &text)
{
    const QByteArray bytes = text.trimmed().toLatin1();
    const char *begin = bytes.constData();
    const char *end = begin + bytes.size();
    if (begin != end && *begin == '+')
        ++begin;
    double value = 0;
    const auto result = std::from_chars(begin, end, value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

double leadingNumber(const QString &text)
{
    return numberAtStart(text).value_or(0.0);
}

std::optional<double> readLeadingNumber(const QString &text)
{
    QString cleaned = text;
    cleaned.remove(QLatin1Char(','));
    return numberAtStart(cleaned);
}

} // namespace vanta::core
