// Shared set-up of the logging tests: a state with instruments, a settable clock, a scripted
// user and line, and a throw-away folder for the log files.
#pragma once

#include "comms/comm_link.h"
#include "core/app_state.h"
#include "support/scripted_interaction.h"
#include "support/scripted_line.h"
#include "support/settable_clock.h"
#include "support/temp_program_folder.h"

#include <QFile>
#include <QStringList>

namespace vanta::test {

struct LoggingFixture
{
    TempProgramFolder folder;
    core::AppState app{folder.path()};
    SettableClock clock;
    ScriptedLine line{clock};
    ScriptedInteraction ui;
    comms::CommLink link{app, line, clock, ui};

    LoggingFixture() { app.Config.DefaultFolder = folder.path(); }

    core::InstrumentRecord &addInstrument(const QString &address, float rate = 1,
                                          qint16 durationMinutes = 1)
    {
        core::InstrumentRecord instrument;
        instrument.InstAddress = address;
        instrument.InstName = QStringLiteral("Oven ") + address;
        instrument.InstProtocol = QStringLiteral("R");
        instrument.InstGroup = 1;
        instrument.LogRate = rate;
        instrument.LogDuration = durationMinutes;
        app.Config.Instruments.push_back(instrument);
        return app.Config.Instruments.back();
    }

    void setLocal(int hour, int minute, int second, int msec)
    {
        clock.setLocal(QDateTime(QDate(2009, 3, 15), QTime(hour, minute, second, msec)));
    }

    static QStringList fileLines(const QString &path) { return test::fileLines(path); }
};

} // namespace vanta::test
