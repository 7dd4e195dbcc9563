// The program's recent traffic for the trace window.
#include "comms/trace_ring.h"

#include "comms/frame_decode.h"
#include "core/address.h"

#include <QDateTime>

namespace vanta::comms {

TraceRing::TraceRing(core::Clock &clock, int capacity)
    : m_clock(clock), m_capacity(capacity < 1 ? 1 : capacity)
{}

void TraceRing::record(const TraceEvent &event)
{
    const qint64 now = m_clock.utcNow().toMSecsSinceEpoch();
    TraceRecord record{++m_sequence, now, m_lastMs < 0 ? -1 : now - m_lastMs, event, {}};
    m_lastMs = now;
    if (event.direction == TraceDirection::Sent)
        m_lastRequest = event.bytes;
    else
        record.request = m_lastRequest;
    if (size() < m_capacity) {
        m_records.push_back(std::move(record));
        return;
    }
    m_records[m_first] = std::move(record);
    m_first = (m_first + 1) % m_capacity;
}

FrameTrace TraceRing::hook()
{
    return [this](const TraceEvent &event) { record(event); };
}

const TraceRecord &TraceRing::at(int index) const
{
    return m_records[(m_first + index) % size()];
}

int TraceRing::indexAfter(quint64 sequence) const
{
    if (m_records.empty() || sequence >= m_sequence)
        return size();
    const quint64 oldest = at(0).sequence;
    return sequence < oldest ? 0 : int(sequence - oldest + 1);
}

void TraceRing::clear()
{
    m_records.clear();
    m_first = 0;
}

namespace {

QString controlName(char byte)
{
    switch (byte) {
    case 2:
        return QStringLiteral("<STX>");
    case 3:
        return QStringLiteral("<ETX>");
    case 6:
        return QStringLiteral("<ACK>");
    case 13:
        return QStringLiteral("<CR>");
    case 10:
        return QStringLiteral("<LF>");
    default:
        return QStringLiteral(".");
    }
}

// Printable characters as they are, others as "."; the text protocols' control characters by
// name (in RTU frames they are plain binary bytes).
QString bytesAsText(const QByteArray &bytes, Protocol protocol)
{
    const bool textProtocol = protocol != Protocol::ModbusRtu;
    QString text;
    for (const char byte : bytes) {
        const auto code = static_cast<quint8>(byte);
        if (code >= 32 && code < 127)
            text += QLatin1Char(byte);
        else
            text += textProtocol ? controlName(byte) : QStringLiteral(".");
    }
    return text;
}

QString outcomeText(const TraceEvent &event)
{
    if (event.direction == TraceDirection::Sent)
        return QStringLiteral("attempt %1").arg(event.attempt);
    if (event.status == 0)
        return QStringLiteral("accepted");
    return QString::number(event.status) + QLatin1Char(' ') + event.text;
}

FrameMeaning meaningOf(const TraceRecord &record)
{
    const TraceEvent &event = record.event;
    if (event.direction == TraceDirection::Sent)
        return decodeRequest(event.protocol, event.bytes);
    return decodeReply(event.protocol, event.bytes, record.request);
}

} // namespace

QStringList traceColumnTitles()
{
    return {QStringLiteral("No."),    QStringLiteral("Time (UTC)"), QStringLiteral("Gap ms"),
            QStringLiteral("Dir"),    QStringLiteral("Address"),    QStringLiteral("Hex"),
            QStringLiteral("Text"),   QStringLiteral("Meaning"),    QStringLiteral("Check"),
            QStringLiteral("Outcome")};
}

QString traceAddressText(const TraceRecord &record)
{
    const int address = record.event.address;
    return record.event.protocol == Protocol::VantaLink ? core::Hex2(address)
                                                        : core::FormatAddress(1, address);
}

QStringList traceFields(const TraceRecord &record)
{
    const TraceEvent &event = record.event;
    const FrameMeaning meaning = meaningOf(record);
    const bool sent = event.direction == TraceDirection::Sent;
    return {QString::number(record.sequence),
            QDateTime::fromMSecsSinceEpoch(record.utcMs, Qt::UTC)
                .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")),
            record.gapMs < 0 ? QString() : QString::number(record.gapMs),
            sent ? QStringLiteral("Sent") : QStringLiteral("Received"),
            traceAddressText(record),
            QString::fromLatin1(event.bytes.toHex(' ').toUpper()),
            bytesAsText(event.bytes, event.protocol),
            meaning.summary,
            meaning.verdictText(),
            outcomeText(event)};
}

QString traceLine(const TraceRecord &record)
{
    return traceFields(record).join(QLatin1Char('\t'));
}

} // namespace vanta::comms
