// A serial line for tests: answers each request with prepared bytes, records every request, and
// lets time pass only on a settable clock, so a time-out takes no real time.
#pragma once

#include "comms/serial_line.h"
#include "support/settable_clock.h"

#include <QByteArray>
#include <QString>
#include <deque>
#include <functional>
#include <vector>

namespace vanta::test {

class ScriptedLine : public comms::SerialLine
{
public:
    explicit ScriptedLine(SettableClock &clock) : m_clock(clock) {}

    // The answer to the next request that has none yet: `bytes` arrive `delaySeconds` after the
    // request is sent. An empty answer is silence.
    void queueReply(const QByteArray &bytes, double delaySeconds = 0);
    // Answers a request when no queued reply is left (after the queue, before silence).
    std::function<QByteArray(const QByteArray &request)> responder;
    // Bytes waiting at once, before any request (stale noise for the flush).
    void queueInput(const QByteArray &bytes);
    // Forgets queued replies, waiting bytes and the record of requests, for reuse.
    void clearScript();

    // What the program did with the line.
    std::vector<QByteArray> requests;
    QString settings;
    int port = 0;
    bool rts = false;
    int opens = 0;
    int waits = 0; // calls of waitForInput

    // AppError numbers to throw: opening the port, transmitting; 0 = succeed.
    int openError = 0;
    int outputError = 0;

    void setCommPort(int number) override { port = number; }
    int commPort() const override { return port; }
    void setSettings(const QString &text) override;
    void setRTSEnable(bool enable) override { rts = enable; }
    bool portOpen() const override { return m_open; }
    void setPortOpen(bool open) override;
    QByteArray input(int maxCount) override;
    void output(const QByteArray &bytes) override;
    int inBufferCount() override;
    bool waitForInput(int milliseconds) override;
    // Called when bytes are queued as waiting input and when a reply arrives (at once for a
    // reply without delay, else when its time has come and the line is next looked at).
    void setReadyReadHandler(std::function<void()> handler) override
    {
        m_readyRead = std::move(handler);
    }

private:
    struct Reply
    {
        QByteArray bytes;
        double delaySeconds = 0;
    };
    struct Arrival
    {
        qint64 atMSecs = 0;
        QByteArray bytes;
    };

    qint64 nowMSecs() const { return m_clock.localNow().toMSecsSinceEpoch(); }
    // Moves the bytes whose time has come into the receive buffer, then tells the handler.
    void admitArrivals();
    void notifyReadyRead();

    SettableClock &m_clock;
    std::deque<Reply> m_replies;
    std::deque<Arrival> m_arrivals;
    QByteArray m_buffer;
    bool m_open = false;
    std::function<void()> m_readyRead;
};

} // namespace vanta::test
