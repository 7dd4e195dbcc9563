// The rows of the trace window: decoded records of the trace ring, taken in batches, filtered
// by address, and written out as text or CSV.
#pragma once

#include "comms/trace_ring.h"
#include "core/interaction.h"

#include <QStringList>
#include <deque>

namespace vanta::diagnostics {

// Rows decoded per batch: a busy line never holds the window (or the poll) for long.
constexpr int TraceBatchRows = 500;

enum class TraceFormat
{
    Text, // tab-separated
    Csv
};

class TraceView
{
public:
    explicit TraceView(const comms::TraceRing &ring) : m_ring(ring) {}

    // Decodes up to `maxRows` records newer than the last one taken; returns how many rows were
    // added. Rows past the ring's capacity go from the front (see droppedFront()).
    int takeBatch(int maxRows = TraceBatchRows);
    // Rows removed from the front by the last takeBatch.
    int droppedFront() const { return m_dropped; }
    // Only rows of this address text ("01", "001"); empty shows every row. The records taken
    // so far are filtered again; newer ones wait for the next batch.
    void setAddressFilter(const QString &address);
    // Empties the ring and the rows.
    void clear(comms::TraceRing &ring);

    int rowCount() const { return int(m_rows.size()); }
    const QStringList &row(int index) const { return m_rows[std::size_t(index)]; }
    // The column titles, then every row.
    QStringList lines(TraceFormat format) const;

private:
    // takeBatch, stopping after the record numbered `lastSequence`.
    int takeRecords(int maxRows, quint64 lastSequence);

    const comms::TraceRing &m_ring;
    std::deque<QStringList> m_rows;
    QString m_filter;
    quint64 m_taken = 0; // sequence number of the last record looked at
    int m_dropped = 0;
};

// Asks for a file through the save dialog and writes the view's lines there; a failure to
// write is shown as the error report. Nothing happens when the dialog is cancelled.
void saveTrace(core::Interaction &ui, const TraceView &view, TraceFormat format);

} // namespace vanta::diagnostics
