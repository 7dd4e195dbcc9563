// Splitting and quoting comma-separated fields.
#include "config/csv_fields.h"

namespace vanta::config {

namespace {

constexpr QChar Quote = QLatin1Char('"');
constexpr QChar Comma = QLatin1Char(',');

// The quoted field starting at `pos` (its opening quote); `pos` ends after the closing quote.
QString readQuoted(const QString &line, qsizetype &pos)
{
    QString field;
    ++pos;
    while (pos < line.size()) {
        const QChar c = line.at(pos++);
        if (c != Quote) {
            field += c;
        } else if (pos < line.size() && line.at(pos) == Quote) {
            field += Quote;
            ++pos;
        } else {
            break;
        }
    }
    return field;
}

} // namespace

QStringList splitCsvLine(const QString &line)
{
    QStringList fields;
    qsizetype pos = 0;
    while (true) {
        while (pos < line.size() && line.at(pos) == QLatin1Char(' '))
            ++pos;
        QString field;
        if (pos < line.size() && line.at(pos) == Quote)
            field = readQuoted(line, pos);
        const qsizetype comma = line.indexOf(Comma, pos);
        const qsizetype end = comma < 0 ? line.size() : comma;
        field += line.mid(pos, end - pos).trimmed();
        fields << field;
        if (comma < 0)
            return fields;
        pos = comma + 1;
    }
}

QString quotedCsvField(const QString &text)
{
    QString field = text;
    field.replace(QLatin1Char('\r'), QLatin1Char(' '));
    field.replace(QLatin1Char('\n'), QLatin1Char(' '));
    field.replace(Quote, QStringLiteral("\"\""));
    return Quote + field + Quote;
}

} // namespace vanta::config
