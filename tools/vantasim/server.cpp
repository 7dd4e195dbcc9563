// The serving loop of the simulator.
#include "server.h"

#include "pty.h"
#include "simulated_line.h"

#include <poll.h>

#include <algorithm>
#include <cmath>

namespace vanta::sim {

namespace {

using Clock = std::chrono::steady_clock;

Clock::duration seconds(double s)
{
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s));
}

double secondsBetween(Server::TimePoint from, Server::TimePoint to)
{
    return std::chrono::duration<double>(to - from).count();
}

} // namespace

Server::Server(PseudoTerminal &pty, SimulatedLine &line, ServerOptions options)
    : m_pty(pty), m_line(line), m_options(options), m_lastByte(Clock::now()),
      m_lastTick(Clock::now())
{}

void Server::run(int stopFd)
{
    for (;;) {
        TimePoint now = Clock::now();
        const auto wait = std::max<Clock::duration>(nextWake(now) - now, Clock::duration::zero());
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
        const timespec timeout{static_cast<time_t>(ns / 1000000000),
                               static_cast<long>(ns % 1000000000)};
        pollfd fds[2] = {{m_pty.masterFd(), POLLIN, 0}, {stopFd, POLLIN, 0}};
        const int ready = ppoll(fds, 2, &timeout, nullptr);
        if (ready > 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR)))
            return;
        now = Clock::now();
        if (ready > 0 && (fds[0].revents & POLLIN))
            receive(now);
        if (!m_framer.isEmpty() && secondsBetween(m_lastByte, now) >= m_options.silenceSeconds) {
            while (const std::optional<RawFrame> frame = m_framer.takeAfterSilence())
                handle(*frame, now);
        }
        const double sinceTick = secondsBetween(m_lastTick, now);
        if (sinceTick >= m_options.tickSeconds) {
            m_line.advance(sinceTick);
            m_lastTick = now;
        }
        transmitDue(now);
    }
}

void Server::receive(TimePoint now)
{
    const QByteArray bytes = m_pty.readAvailable();
    if (bytes.isEmpty())
        return;
    m_lastByte = now;
    m_framer.append(bytes);
    while (const std::optional<RawFrame> frame = m_framer.next())
        handle(*frame, now);
}

void Server::handle(const RawFrame &frame, TimePoint now)
{
    const std::optional<Answer> answer = m_line.answer(frame, m_pty.observedLine());
    if (!answer)
        return;
    // A new request makes the instruments forget replies they have not started to send.
    m_queue.erase(std::remove_if(m_queue.begin(), m_queue.end(),
                                 [](const Transmission &t) { return t.sent == 0; }),
                  m_queue.end());
    if (answer->bytes.isEmpty())
        return;
    Transmission t;
    t.bytes = answer->bytes;
    double delay = m_options.turnaroundSeconds + answer->extraDelaySeconds;
    if (m_options.wireSpeed) {
        // On a real line the request itself takes time to arrive, and an RTU frame ends only
        // after 3.5 characters of silence.
        const double character = answer->framing.characterSeconds();
        delay += frame.bytes.size() * character;
        if (frame.protocol == Protocol::ModbusRtu)
            delay += 3.5 * character;
        t.characterSeconds = character;
    }
    t.start = now + seconds(delay);
    m_queue.push_back(t);
}

void Server::transmitDue(TimePoint now)
{
    while (!m_queue.empty()) {
        Transmission &t = m_queue.front();
        if (now < t.start)
            return;
        int due = static_cast<int>(t.bytes.size());
        if (t.characterSeconds > 0) {
            const double elapsed = secondsBetween(t.start, now);
            due = std::min(due, static_cast<int>(std::floor(elapsed / t.characterSeconds)));
        }
        if (due > t.sent) {
            m_pty.write(t.bytes.mid(t.sent, due - t.sent));
            t.sent = due;
        }
        if (t.sent < t.bytes.size())
            return;
        m_queue.pop_front();
        if (!m_queue.empty())
            m_queue.front().start = std::max(m_queue.front().start, now);
    }
}

Server::TimePoint Server::nextWake(TimePoint now) const
{
    TimePoint wake = m_lastTick + seconds(m_options.tickSeconds);
    if (!m_framer.isEmpty())
        wake = std::min(wake, m_lastByte + seconds(m_options.silenceSeconds));
    if (!m_queue.empty()) {
        const Transmission &t = m_queue.front();
        wake = std::min(wake, t.start + seconds((t.sent + 1) * t.characterSeconds));
    }
    return std::max(wake, now);
}

} // namespace vanta::sim
