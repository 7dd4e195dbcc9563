// The shared reader of comma- and line-separated data files and the number conversions of their
// values.
#include "core/data_file_reader.h"

#include "core/app_error.h"
#include "core/interaction.h"
#include "core/model_catalogue.h"
#include "core/regular_file.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>

namespace vanta::core {

namespace {
[[noreturn]] void throwPastEnd()
{
    throw AppError{ErrorNumber::InputPastEndOfFile, QStringLiteral("Input past end of file")};
}

[[noreturn]] void throwTypeMismatch()
{
    throw AppError{ErrorNumber::TypeMismatch, QStringLiteral("Type mismatch")};
}

[[noreturn]] void throwOverflow()
{
    throw AppError{ErrorNumber::Overflow, QStringLiteral("Overflow")};
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

bool isDecimalDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isHexDigit(QChar c)
{
    return isDecimalDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

bool allOf(QStringView text, bool (*predicate)(QChar))
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), predicate);
}

qint64 toWholeNumber(QStringView digits, int base)
{
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok, base);
    if (!ok)
        throwOverflow();
    return value;
}

qint64 parseDecimal(QStringView text)
{
    QStringView digits = text;
    if (digits.startsWith(QLatin1Char('+')) || digits.startsWith(QLatin1Char('-')))
        digits = digits.mid(1);
    if (!allOf(digits, isDecimalDigit))
        throwTypeMismatch();
    return toWholeNumber(text, 10);
}

qint64 parseHexDigits(QStringView digits)
{
    if (!allOf(digits, isHexDigit))
        throwTypeMismatch();
    return toWholeNumber(digits, 16);
}
} // namespace

DataFileReader::DataFileReader(QByteArray content) : m_content(std::move(content))
{}

DataFileReader DataFileReader::open(const QString &path)
{
    return DataFileReader(readRegularFile(path));
}

void DataFileReader::skipLines(int count)
{
    for (int i = 0; i < count; ++i)
        readLine();
}

QString DataFileReader::readLine()
{
    if (m_pos >= m_content.size())
        throwPastEnd();
    const qsizetype start = m_pos;
    while (m_pos < m_content.size() && !atLineEnd())
        ++m_pos;
    const QString line = QString::fromLatin1(m_content.constData() + start, m_pos - start);
    skipLineEnd();
    m_afterComma = false;
    return line;
}

bool DataFileReader::atEnd() const
{
    for (qsizetype i = m_pos; i < m_content.size(); ++i) {
        const char c = m_content.at(i);
        if (!isBlank(c) && !isLineEnd(c))
            return false;
    }
    return true;
}

QString DataFileReader::readValue()
{
    if (m_afterComma) {
        m_afterComma = false;
        skipBlanks();
        if (m_pos >= m_content.size())
            return {}; // a trailing comma at the end of the file: one more, empty value
        if (atLineEnd()) {
            skipLineEnd();
            return {};
        }
    } else {
        skipBlankLines();
        if (m_pos >= m_content.size())
            throwPastEnd();
    }
    const QString value = m_content.at(m_pos) == '"' ? readQuoted() : readUnquoted();
    finishValue();
    return value;
}

qint16 DataFileReader::readInt16()
{
    return parseInt16Text(readValue());
}

double DataFileReader::readDouble()
{
    const QString text = readValue().trimmed();
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const double value = text.toDouble(&ok); // always "." as decimal point
    if (!ok || !std::isfinite(value))
        throwTypeMismatch();
    return value;
}

bool DataFileReader::atLineEnd() const
{
    return m_pos < m_content.size() && isLineEnd(m_content.at(m_pos));
}

void DataFileReader::skipBlanks()
{
    while (m_pos < m_content.size() && isBlank(m_content.at(m_pos)))
        ++m_pos;
}

// One line end: CR LF, LF or a lone CR.
void DataFileReader::skipLineEnd()
{
    if (m_pos >= m_content.size())
        return;
    const char c = m_content.at(m_pos++);
    if (c == '\r' && m_pos < m_content.size() && m_content.at(m_pos) == '\n')
        ++m_pos;
}

void DataFileReader::skipBlankLines()
{
    while (m_pos < m_content.size() && (isBlank(m_content.at(m_pos)) || atLineEnd()))
        ++m_pos;
}

// A quoted text runs to the closing quote; a missing closing quote ends it at the line end.
QString DataFileReader::readQuoted()
{
    const qsizetype start = ++m_pos;
    while (m_pos < m_content.size() && m_content.at(m_pos) != '"' && !atLineEnd())
        ++m_pos;
    const QString value = QString::fromLatin1(m_content.constData() + start, m_pos - start);
    if (m_pos < m_content.size() && m_content.at(m_pos) == '"')
        ++m_pos;
    return value;
}

QString DataFileReader::readUnquoted()
{
    const qsizetype start = m_pos;
    qsizetype end = m_pos;
    while (m_pos < m_content.size() && m_content.at(m_pos) != ',' && !atLineEnd()) {
        if (!isBlank(m_content.at(m_pos)))
            end = m_pos + 1;
        ++m_pos;
    }
    return QString::fromLatin1(m_content.constData() + start, end - start);
}

// Consumes the value's delimiter; anything between a closing quote and it is ignored.
void DataFileReader::finishValue()
{
    while (m_pos < m_content.size() && m_content.at(m_pos) != ',' && !atLineEnd())
        ++m_pos;
    if (m_pos >= m_content.size())
        return;
    if (m_content.at(m_pos) == ',') {
        ++m_pos;
        m_afterComma = true;
        return;
    }
    skipLineEnd();
}

qint64 parseWholeNumber(const QString &text, NumberBase base)
{
    const QStringView trimmed = QStringView(text).trimmed();
    if (trimmed.isEmpty())
        return 0;
    return base == NumberBase::Decimal ? parseDecimal(trimmed) : parseHexDigits(trimmed);
}

qint16 parseInt16Text(const QString &text)
{
    const qint64 value = parseWholeNumber(text, NumberBase::Decimal);
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throwOverflow();
    return static_cast<qint16>(value);
}

qint64 parseRegisterText(const QString &text)
{
    const QStringView trimmed = QStringView(text).trimmed();
    if (trimmed.endsWith(QLatin1Char('H'), Qt::CaseInsensitive))
        return parseHexDigits(trimmed.chopped(1));
    return parseWholeNumber(text, NumberBase::Decimal);
}

int parseHexText(const QString &text)
{
    const qint64 value = parseWholeNumber(text, NumberBase::Hexadecimal);
    if (value > 0xFFFF)
        throwOverflow();
    return static_cast<int>(value);
}

bool isNoneText(const QString &text)
{
    const QStringView trimmed = QStringView(text).trimmed();
    return trimmed.isEmpty() || trimmed == QLatin1String("??");
}

bool isRegisterNumber(qint64 reg)
{
    return reg >= 1 && reg <= MaxRegister;
}

QString invalidRegisterText(qint64 reg, const QString &fileText, const QString &remainder)
{
    return QStringLiteral("The Modbus Register ") + QString::number(reg) +
           QStringLiteral(" in file >") + fileText + remainder;
}

void showInvalidRegister(Interaction &ui, qint64 reg, const QString &fileText,
                         const QString &remainder)
{
    ui.MsgBox(invalidRegisterText(reg, fileText, remainder), MsgButtons::Ok, MsgIcon::Critical,
              InvalidRegisterTitle, MsgResult::Ok);
}

QString resolveDataFile(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return exact;
}

} // namespace vanta::core
