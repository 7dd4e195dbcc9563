// A transaction bench for tests: shared state, a scripted line on a settable clock, a scripted
// user and the link that ties them, with the port open and every frame traced.
#pragma once

#include "comms/comm_link.h"
#include "core/app_state.h"
#include "support/scripted_interaction.h"
#include "support/scripted_line.h"
#include "support/settable_clock.h"

#include <QByteArray>
#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace vanta::comms {

inline void PrintTo(const TraceEvent &event, std::ostream *out)
{
    *out << (event.direction == TraceDirection::Sent ? "> " : "< ")
         << event.bytes.toHex(' ').toStdString() << " to " << event.address << " attempt "
         << event.attempt << " status " << event.status << " \"" << event.text.toStdString() << '"';
}

} // namespace vanta::comms

namespace vanta::test {

struct CommRig
{
    SettableClock clock;
    ScriptedLine line{clock};
    ScriptedInteraction ui;
    core::AppState app{QStringLiteral(".")};
    comms::CommLink link{app, line, clock, ui};
    std::vector<comms::TraceEvent> traced;

    CommRig()
    {
        app.Config.PollTimeout = 500;
        line.setPortOpen(true);
        app.setCommEnabled(true);
        link.trace = [this](const comms::TraceEvent &event) { traced.push_back(event); };
    }
};

// One scripted exchange: the replies to the first requests, the last of which also answers
// every later one (none: silence), and what the engine must make of them. `words` is the result
// text between the address prefix and the label; empty for success.
struct ExchangeCase
{
    std::vector<QByteArray> replies;
    qint16 status;
    const char *words;
    size_t requests;
};

// Runs `exchange` once per case on a fresh rig and checks the status, the whole result text
// (prefix + words + label) and how many requests went out.
inline void expectExchanges(const std::vector<ExchangeCase> &cases,
                            const std::function<void(CommRig &, qint16 &, QString &)> &exchange,
                            const QString &prefix, const QString &label)
{
    for (const ExchangeCase &c : cases) {
        SCOPED_TRACE(c.words);
        CommRig rig;
        for (const QByteArray &reply : c.replies)
            rig.line.queueReply(reply);
        if (!c.replies.empty())
            rig.line.responder = [last = c.replies.back()](const QByteArray &) { return last; };
        qint16 status = 0;
        QString text;
        exchange(rig, status, text);
        EXPECT_EQ(status, c.status);
        const QString words = QString::fromLatin1(c.words);
        EXPECT_EQ(text, words.isEmpty() ? QString() : prefix + words + label);
        EXPECT_EQ(rig.line.requests.size(), c.requests);
    }
}

// Bytes from a hexadecimal text ("0103...").
inline QByteArray hexBytes(const char *hex)
{
    return QByteArray::fromHex(hex);
}

} // namespace vanta::test
