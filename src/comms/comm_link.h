// Everything one transaction needs: the shared state, the port, the clock, the user and the
// pacing record. One CommLink lives beside the port for the program's whole run.
#pragma once

#include "comms/serial_line.h"
#include "comms/target.h"
#include "core/app_state.h"
#include "core/clock.h"
#include "core/interaction.h"

#include <QByteArray>
#include <functional>

namespace vanta::comms {

enum class TraceDirection
{
    Sent,
    Received
};
// One frame of a transaction, for a trace: each request as sent and, after each attempt, every
// byte received in it, with whom the transaction talks and how the attempt ended.
struct TraceEvent
{
    TraceDirection direction = TraceDirection::Sent;
    QByteArray bytes; // received: terminator included, empty after an attempt that heard nothing
    Protocol protocol = Protocol::VantaLink;
    int address = 0;
    int attempt = 1; // 1 for the first try, 2 for the retry
    // Received only: 0 accepted, -1 a failed attempt, else the error code the instrument
    // reported; on the transaction's last attempt this is its status. The text is the
    // attempt's failure (empty when accepted).
    qint16 status = 0;
    QString text;

    friend bool operator==(const TraceEvent &a, const TraceEvent &b)
    {
        return a.direction == b.direction && a.bytes == b.bytes && a.protocol == b.protocol &&
               a.address == b.address && a.attempt == b.attempt && a.status == b.status &&
               a.text == b.text;
    }
};
using FrameTrace = std::function<void(const TraceEvent &)>;

// Time (seconds since midnight) and address of the last paced Vanta Link read.
struct LastTransaction
{
    double StartTime = 0;
    int Address = -1;
};

struct CommLink
{
    CommLink(core::AppState &state, SerialLine &serial, core::Clock &time, core::Interaction &user)
        : app(state), line(serial), clock(time), ui(user)
    {}

    core::AppState &app;
    SerialLine &line;
    core::Clock &clock;
    core::Interaction &ui;
    LastTransaction lastTransaction;
    FrameTrace trace; // optional
};

} // namespace vanta::comms
