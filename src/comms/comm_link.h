// Everything one transaction needs: the shared state, the port, the clock, the user and the
// pacing record. One CommLink lives beside the port for the program's whole run.
#pragma once

#include "comms/serial_line.h"
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
// Receives each request as sent and, after each attempt, every byte received in it, terminator
// included (empty after an attempt that heard nothing).
using FrameTrace = std::function<void(TraceDirection, const QByteArray &)>;

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
