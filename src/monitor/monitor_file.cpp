// Monitor.val read line by line and written through the safe writer's line form.
#include "monitor/monitor_file.h"

#include "core/data_file_reader.h"
#include "core/safe_file.h"
#include "monitor/monitor_rows.h"

namespace vanta::monitor {

namespace {

const QChar Quote = QLatin1Char('"');

bool needsQuotes(const QString &text)
{
    return text.contains(QLatin1Char(',')) || text.trimmed() != text;
}

} // namespace

QString firstField(const QString &line)
{
    const QString field = line.trimmed();
    if (field.startsWith(Quote)) {
        const qsizetype end = field.indexOf(Quote, 1);
        return end < 0 ? field.mid(1) : field.mid(1, end - 1);
    }
    return field.section(QLatin1Char(','), 0, 0).trimmed();
}

QStringList readMonitorFile(const QString &path)
{
    core::DataFileReader reader = core::DataFileReader::open(path);
    QStringList texts;
    for (int row = 0; row < MonitorRowCount; ++row)
        texts << firstField(reader.readLine());
    return texts;
}

QByteArray monitorFileContent(const QStringList &texts)
{
    QStringList lines;
    for (const QString &text : texts)
        lines << (needsQuotes(text) ? Quote + text + Quote : text);
    return core::latin1Lines(lines);
}

} // namespace vanta::monitor
