// A program state loaded from the delivered data files, with a scripted line whose far end
// answers like one instrument, for the status view's tests.
#pragma once

#include "core/data_files.h"
#include "support/pty_responder.h"
#include "support/scripted_interaction.h"
#include "support/scripted_line.h"
#include "support/settable_clock.h"

namespace vanta::test {

struct StatusRig
{
    explicit StatusRig(int group, const QString &protocol = QStringLiteral("R"))
    {
        app.Config.ControllerGroup = static_cast<qint16>(group);
        app.Config.ProtocolCode = protocol;
        app.Config.PollTimeout = 200;
        core::loadDataFiles(app, user);
        line.setPortOpen(true);
        app.setCommEnabled(true);
    }

    // The far end answers through `handler` (one of the pty_responder instruments).
    void answerWith(PtyResponder::Handler handler)
    {
        line.responder = [handler](const QByteArray &request) {
            const std::optional<PtyResponder::Answer> answer = handler(request);
            return answer ? answer->reply : QByteArray();
        };
    }

    core::AppState app{QStringLiteral(VANTA_DATA_DIR)};
    SettableClock clock;
    ScriptedLine line{clock};
    ScriptedInteraction user;
    comms::CommLink link{app, line, clock, user};
};

} // namespace vanta::test
