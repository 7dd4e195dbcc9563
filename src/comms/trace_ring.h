// The program's recent traffic for the trace window: the newest frames, each with its sequence
// number, UTC time stamp and the gap since the frame before. Recording costs a copy of the
// event and nothing else (no decoding), so tracing never slows the poll.
#pragma once

#include "comms/comm_link.h"
#include "core/clock.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

namespace vanta::comms {

constexpr int TraceCapacity = 10000;

struct TraceRecord
{
    quint64 sequence = 0; // 1 for the first frame ever recorded
    qint64 utcMs = 0;     // milliseconds since the epoch, UTC
    qint64 gapMs = -1;    // since the frame before; -1 for the first one
    TraceEvent event;
    QByteArray request; // received frames: the request they answer
};

class TraceRing
{
public:
    // A capacity below 1 keeps one frame.
    explicit TraceRing(core::Clock &clock, int capacity = TraceCapacity);

    // Keeps the event, dropping the oldest frame when the ring is full.
    void record(const TraceEvent &event);
    // A trace hook that records into this ring; the ring must outlive it.
    FrameTrace hook();

    int size() const { return int(m_records.size()); }
    int capacity() const { return m_capacity; }
    // Oldest first; `index` must be below size().
    const TraceRecord &at(int index) const;
    const TraceRecord &newest() const { return at(size() - 1); }
    // 0 when nothing was recorded since the start.
    quint64 newestSequence() const { return m_sequence; }
    // The index of the first kept record after `sequence` (size() when there is none).
    int indexAfter(quint64 sequence) const;
    // Forgets every frame; numbering goes on.
    void clear();

private:
    core::Clock &m_clock;
    int m_capacity;
    std::vector<TraceRecord> m_records; // a circle once full: m_first is the oldest
    int m_first = 0;
    quint64 m_sequence = 0;
    qint64 m_lastMs = -1;
    QByteArray m_lastRequest;
};

// The columns of a trace line, their titles first: number, time, gap, direction, address,
// bytes in hexadecimal, bytes as text, meaning, check, outcome.
QStringList traceColumnTitles();
QStringList traceFields(const TraceRecord &record);
// The fields separated by tabs.
QString traceLine(const TraceRecord &record);
// The address a record's transaction went to, as the protocol shows it ("01", "001").
QString traceAddressText(const TraceRecord &record);

} // namespace vanta::comms
