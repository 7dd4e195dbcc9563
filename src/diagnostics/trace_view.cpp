// The rows of the trace window.
#include "diagnostics/trace_view.h"

#include "core/app_error.h"
#include "core/safe_file.h"

#include <limits>

namespace vanta::diagnostics {

namespace {

QString csvField(const QString &field)
{
    QString quoted = field;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString joined(const QStringList &fields, TraceFormat format)
{
    if (format == TraceFormat::Text)
        return fields.join(QLatin1Char('\t'));
    QStringList quoted;
    for (const QString &field : fields)
        quoted << csvField(field);
    return quoted.join(QLatin1Char(','));
}

} // namespace

int TraceView::takeBatch(int maxRows)
{
    return takeRecords(maxRows, std::numeric_limits<quint64>::max());
}

int TraceView::takeRecords(int maxRows, quint64 lastSequence)
{
    m_dropped = 0;
    int added = 0;
    for (int i = m_ring.indexAfter(m_taken); i < m_ring.size() && added < maxRows; ++i) {
        const comms::TraceRecord &record = m_ring.at(i);
        if (record.sequence > lastSequence)
            break;
        m_taken = record.sequence;
        if (!m_filter.isEmpty() && comms::traceAddressText(record) != m_filter)
            continue;
        m_rows.push_back(comms::traceFields(record));
        ++added;
    }
    while (rowCount() > m_ring.capacity()) {
        m_rows.pop_front();
        ++m_dropped;
    }
    return added;
}

// The rows already taken are filtered again, and only those: a paused view stays where it was.
void TraceView::setAddressFilter(const QString &address)
{
    m_filter = address.trimmed().toUpper();
    m_rows.clear();
    const quint64 takenBefore = m_taken;
    m_taken = 0;
    (void)takeRecords(std::numeric_limits<int>::max(), takenBefore);
}

void TraceView::clear(comms::TraceRing &ring)
{
    ring.clear();
    m_rows.clear();
    m_taken = ring.newestSequence();
}

QStringList TraceView::lines(TraceFormat format) const
{
    QStringList lines{joined(comms::traceColumnTitles(), format)};
    for (const QStringList &row : m_rows)
        lines << joined(row, format);
    return lines;
}

void saveTrace(core::Interaction &ui, const TraceView &view, TraceFormat format)
{
    const bool csv = format == TraceFormat::Csv;
    core::FileDialogRequest request;
    request.title = QStringLiteral("Save Protocol Trace");
    request.filter =
        csv ? QStringLiteral("CSV Files (*.csv)") : QStringLiteral("Text Files (*.txt)");
    request.fileName = csv ? QStringLiteral("trace.csv") : QStringLiteral("trace.txt");
    request.confirmOverwrite = true;
    const std::optional<QString> path = ui.saveFileDialog(request);
    if (!path)
        return;
    try {
        core::writeFileReplacing(*path, core::latin1Lines(view.lines(format)));
    } catch (const core::AppError &error) {
        core::reportAppError(ui, error, QStringLiteral("frmTrace.SaveTrace ") + *path);
    }
}

} // namespace vanta::diagnostics
