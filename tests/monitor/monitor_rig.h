// A program state for the monitor's tests: the delivered data files copied into a throw-away
// program folder (Monitor.val is written there), a settable clock and a scripted line whose far
// end answers like several instruments.
#pragma once

#include "core/data_files.h"
#include "monitor/monitor_file.h"
#include "monitor/monitor_session.h"
#include "support/pty_responder.h"
#include "support/scripted_interaction.h"
#include "support/scripted_line.h"
#include "support/settable_clock.h"
#include "support/temp_program_folder.h"

#include <QDir>
#include <QFile>

namespace vanta::test {

struct MonitorRig
{
    MonitorRig()
    {
        const QDir data(QStringLiteral(VANTA_DATA_DIR));
        for (const QString &name : data.entryList(QDir::Files))
            QFile::copy(data.filePath(name), folder.filePath(name));
        app.Config.ControllerGroup = 0;
        app.Config.ProtocolCode = QStringLiteral("R");
        app.Config.PollTimeout = 200;
        app.Config.TempPollRate = 1;
        app.Config.SPPollRate = 5;
        core::loadDataFiles(app, user);
        line.setPortOpen(true);
        app.setCommEnabled(true);
        // Every instrument on the line hears every request; the one addressed answers.
        line.responder = [this](const QByteArray &request) {
            for (const PtyResponder::Handler &handler : instruments) {
                const std::optional<PtyResponder::Answer> answer = handler(request);
                if (answer && !answer->reply.isEmpty())
                    return answer->reply;
            }
            return QByteArray();
        };
    }

    // Lists an instrument and puts it in the next free row.
    void addRow(const QString &address, int group, const QString &protocol = QStringLiteral("R"))
    {
        core::InstrumentRecord record;
        record.InstAddress = address;
        record.InstName = QStringLiteral("Zone ") + address;
        record.InstProtocol = protocol;
        record.InstGroup = static_cast<qint16>(group);
        app.Config.Instruments.push_back(record);
        rowTexts << monitor::entryText(record);
    }
    // Writes Monitor.val with the rows added so far, "[none]" below them, and activates.
    bool activate()
    {
        QStringList lines = rowTexts;
        while (lines.size() < monitor::MonitorRowCount)
            lines << monitor::noneEntryText();
        folder.writeRaw(QStringLiteral("Monitor.val"), monitor::monitorFileContent(lines));
        return session.activate();
    }

    TempProgramFolder folder;
    core::AppState app{folder.path()};
    SettableClock clock;
    ScriptedLine line{clock};
    ScriptedInteraction user;
    comms::CommLink link{app, line, clock, user};
    core::LoopTracker loops;
    monitor::MonitorSession session{link, loops};
    std::vector<PtyResponder::Handler> instruments;
    QStringList rowTexts;
};

} // namespace vanta::test
