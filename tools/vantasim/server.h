// The serving loop: waits on the pseudo-terminal with poll(), frames requests, lets the line
// answer them, sends replies (at the line's pace with wire-speed emulation) and advances the
// instruments' processes on a timer. Never spins: every wait has a deadline.
#pragma once

#include "frames.h"
#include "line_settings.h"

#include <QByteArray>
#include <chrono>
#include <deque>

namespace vanta::sim {

class PseudoTerminal;
class SimulatedLine;

struct ServerOptions
{
    bool wireSpeed = false;
    double turnaroundSeconds = 0; // instrument's think time before a reply starts
    double tickSeconds = 0.1;     // how often the processes move
    double silenceSeconds = 0.02; // a gap this long ends an unfinished frame
};

class Server
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    Server(PseudoTerminal &pty, SimulatedLine &line, ServerOptions options);
    // Serves until `stopFd` becomes readable (a signal descriptor or a pipe).
    void run(int stopFd);

private:
    void receive(TimePoint now);
    void handle(const RawFrame &frame, TimePoint now);
    void transmitDue(TimePoint now);
    TimePoint nextWake(TimePoint now) const;

    struct Transmission
    {
        QByteArray bytes;
        TimePoint start;
        double characterSeconds = 0; // 0: all at once
        int sent = 0;
    };

    PseudoTerminal &m_pty;
    SimulatedLine &m_line;
    ServerOptions m_options;
    RequestFramer m_framer;
    std::deque<Transmission> m_queue;
    TimePoint m_lastByte;
    TimePoint m_lastTick;
};

} // namespace vanta::sim
