// A transaction bench for tests: shared state, a scripted line on a settable clock, a scripted
// user and the link that ties them, with the port open and every frame traced.
#pragma once

#include "comms/comm_link.h"
#include "core/app_state.h"
#include "support/scripted_interaction.h"
#include "support/scripted_line.h"
#include "support/settable_clock.h"

#include <QByteArray>
#include <utility>
#include <vector>

namespace vanta::test {

struct CommRig
{
    SettableClock clock;
    ScriptedLine line{clock};
    ScriptedInteraction ui;
    core::AppState app{QStringLiteral(".")};
    comms::CommLink link{app, line, clock, ui};
    std::vector<std::pair<comms::TraceDirection, QByteArray>> traced;

    CommRig()
    {
        app.Config.PollTimeout = 500;
        line.setPortOpen(true);
        app.setCommEnabled(true);
        link.trace = [this](comms::TraceDirection direction, const QByteArray &bytes) {
            traced.emplace_back(direction, bytes);
        };
    }
};

// Bytes from a hexadecimal text ("0103...").
inline QByteArray hexBytes(const char *hex)
{
    return QByteArray::fromHex(hex);
}

} // namespace vanta::test
