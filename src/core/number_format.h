// Number and date texts: every number or date the program shows, writes to a file or puts in a
// message goes through these functions, so the forms stay the same everywhere and never depend
// on the user's locale ("." decimal point, "," thousands separator, English AM/PM).
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace vanta::core {

// A value shown with a display pattern made of digit placeholders:
//   "0"  a digit that is always shown;  "#"  a digit shown only when significant;
//   ","  in the integer part: group the integer digits by three;  "."  the decimal point.
// The number of "0" and "#" after the point sets the decimals ("0" kept, "#" trailing zeros
// dropped). Halves round away from zero on the decimal value (2.5 -> "3", -0.125 with "0.00"
// -> "-0.13"); a result that rounds to zero has no minus sign. An integer part with no "0"
// leaves a zero integer part out (0.5 with ".0" -> ".5", 0 with "#,###" -> ""). Characters
// before the first or after the last placeholder are copied as they are.
// Examples: 1234.56 "#,###,###,##0.0" -> "1,234.6"; -1234 "#,##0" -> "-1,234";
// 0.1 "0.0000" -> "0.1000"; 5 "000" -> "005"; 7 "00" -> "07".
// A value held in single precision is taken at its shortest decimal form (0.35f is 0.35, not
// 0.3499999...), any other at 15 significant digits.
QString formatNumber(double value, const QString &pattern);

// A date and time shown with a pattern of "yyyy" "yy" "mm" "dd" "hh" "nn" "ss" "AM/PM" "am/pm";
// every other character is copied. "mm" right after an hour or right before seconds means
// minutes, otherwise the month; "nn" is always minutes. With "AM/PM" the hour runs on the
// 12-hour clock (midnight 12 AM, noon 12 PM).
// Examples (15 March 2009 14:05:07): "yyyymmdd" -> "20090315";
// "yyyymmdd-hhmm" -> "20090315-1405"; "mm/dd/yyyy hh:mm:ss" -> "03/15/2009 14:05:07";
// "mm/dd/yyyy hh:nn:ss AM/PM" -> "03/15/2009 02:05:07 PM".
QString formatDateTime(const QDateTime &dt, const QString &pattern);

// The plain text of a single-precision number: at most 7 significant digits, no trailing zeros,
// no leading blank; exponent form below 0.0001 and from 10,000,000 on.
// Examples: 25.5 -> "25.5"; -1 -> "-1"; 22603 -> "22603"; 0.05 -> "0.05"; 1E-10 -> "1E-10";
// 123456789 -> "1.234568E+08"; 0 -> "0".
QString numberText(double value);

// The shortest text that reads back as the same value (a single-precision value as that single),
// without a zero before the point: 0.05 -> ".05"; -0.5 -> "-.5"; 1 -> "1"; 1E-10 -> "1E-10".
QString compactNumberText(double value);

// One blank before the number whatever its sign, for number texts inside messages:
// 5 -> " 5"; -32769 -> " -32769"; 2.5 -> " 2.5".
QString withLeadingBlank(double value);

// A blank in place of the sign of a non-negative number (the settings file, the version label);
// reads back as the same value: 5 -> " 5"; -5 -> "-5"; 0.05 -> " .05"; 9600 -> " 9600".
QString signOrBlank(double value);

// The list-print form of data files: sign place, number, one trailing blank:
// 5 -> " 5 "; -5 -> "-5 "; 0.25 -> " .25 ".
QString listPrintForm(double value);

// A number typed or stored as text: blanks around it and "," thousands separators ignored,
// "." as the decimal point whatever the locale. Empty when the text is empty or not a number.
// Examples: " 1,234.5 " -> 1234.5; ".05" -> 0.05; "1E-10" -> 1e-10; "" and "12abc" -> empty.
std::optional<double> parseNumberText(const QString &text);

// The number at the start of a text, 0 when there is none: blanks skipped, then an optional
// sign, digits, a point and digits, and an exponent. "0.5 Sec" -> 0.5; "Never" -> 0;
// " -12x" -> -12.
double leadingNumber(const QString &text);

// The number at the start of a typed field, or empty when it starts with no number: as
// leadingNumber, but "," thousands separators are ignored, so "1,235.0 °C" is 1235, and
// "", "abc" and "-" give no number instead of 0.
std::optional<double> readLeadingNumber(const QString &text);

} // namespace vanta::core
