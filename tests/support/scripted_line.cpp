// The scripted serial line.
#include "support/scripted_line.h"

#include "comms/port_settings.h"
#include "core/app_error.h"

namespace vanta::test {

void ScriptedLine::queueReply(const QByteArray &bytes, double delaySeconds)
{
    m_replies.push_back({bytes, delaySeconds});
}

void ScriptedLine::queueInput(const QByteArray &bytes)
{
    m_buffer += bytes;
    if (!bytes.isEmpty())
        notifyReadyRead();
}

void ScriptedLine::clearScript()
{
    m_replies.clear();
    m_arrivals.clear();
    m_buffer.clear();
    requests.clear();
    waits = 0;
}

void ScriptedLine::setSettings(const QString &text)
{
    comms::requirePortSettings(text);
    settings = text;
}

void ScriptedLine::setPortOpen(bool open)
{
    if (open && openError != 0)
        throw core::AppError{openError, QStringLiteral("Scripted open failure")};
    if (open && !m_open)
        ++opens;
    m_open = open;
}

QByteArray ScriptedLine::input(int maxCount)
{
    if (!m_open)
        return {};
    admitArrivals();
    const int count = maxCount <= 0 ? int(m_buffer.size()) : qMin(maxCount, int(m_buffer.size()));
    const QByteArray taken = m_buffer.left(count);
    m_buffer.remove(0, count);
    return taken;
}

void ScriptedLine::output(const QByteArray &bytes)
{
    if (!m_open)
        throw core::AppError{comms::PortNotOpenError, QStringLiteral("Device not open")};
    if (outputError != 0)
        throw core::AppError{outputError, QStringLiteral("Scripted output failure")};
    requests.push_back(bytes);
    Reply reply;
    if (!m_replies.empty()) {
        reply = m_replies.front();
        m_replies.pop_front();
    } else if (responder) {
        reply.bytes = responder(bytes);
    }
    if (reply.bytes.isEmpty())
        return;
    m_arrivals.push_back({nowMSecs() + qRound64(reply.delaySeconds * 1000.0), reply.bytes});
    admitArrivals();
}

int ScriptedLine::inBufferCount()
{
    if (!m_open)
        return 0;
    admitArrivals();
    return int(m_buffer.size());
}

bool ScriptedLine::waitForInput(int milliseconds)
{
    ++waits;
    if (inBufferCount() > 0)
        return true;
    const qint64 deadline = nowMSecs() + qMax(0, milliseconds);
    if (!m_arrivals.empty() && m_arrivals.front().atMSecs <= deadline) {
        m_clock.advance((m_arrivals.front().atMSecs - nowMSecs()) / 1000.0);
        return inBufferCount() > 0;
    }
    m_clock.advance(qMax(0, milliseconds) / 1000.0);
    return false;
}

void ScriptedLine::admitArrivals()
{
    bool arrived = false;
    while (!m_arrivals.empty() && m_arrivals.front().atMSecs <= nowMSecs()) {
        m_buffer += m_arrivals.front().bytes;
        m_arrivals.pop_front();
        arrived = true;
    }
    if (arrived)
        notifyReadyRead();
}

void ScriptedLine::notifyReadyRead()
{
    if (m_readyRead)
        m_readyRead();
}

} // namespace vanta::test
