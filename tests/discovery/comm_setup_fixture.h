// Shared set-up of the communications setup tests: a state with a small model catalogue, the
// settings and two instruments whose logging rates are fractional, a scripted user and line, and
// a throw-away program folder.
#pragma once

#include "comms/comm_link.h"
#include "core/app_state.h"
#include "core/model_file.h"
#include "support/scripted_interaction.h"
#include "support/scripted_line.h"
#include "support/settable_clock.h"
#include "support/temp_program_folder.h"

#include <QStringList>

namespace vanta::test {

struct CommSetupFixture
{
    TempProgramFolder folder;
    core::AppState app{folder.path()};
    SettableClock clock;
    ScriptedLine line{clock};
    ScriptedInteraction ui;
    comms::CommLink link{app, line, clock, ui};

    CommSetupFixture()
    {
        // One model per group and a ramp/soak entry that the captions leave out. Group 0 register
        // files are decimal, the others hexadecimal.
        folder.writeDataFile(
            QStringLiteral("ModelID.txt"),
            "\"A1\",\"AL16\",\"Controller\",0\r\n\"RS\",\"Ramp/Soak\",\"Program\",0\r\n"
            "\"B1\",\"BE48\",\"Controller\",1\r\n\"C1\",\"CX96\",\"Meter\",2\r\n");
        folder.writeDataFile(QStringLiteral("A1.TXT"), "1\r\n");
        folder.writeDataFile(QStringLiteral("RS.TXT"), "2\r\n");
        folder.writeDataFile(QStringLiteral("B1.TXT"), "1F\r\n");
        folder.writeDataFile(QStringLiteral("C1.TXT"), "2F\r\n");
        core::SystemConfig &config = app.Config;
        config.CommPort = 1;
        config.BaudRate = 9600;
        config.Parity = QStringLiteral("None");
        config.DataBits = 8;
        config.StopBits = 1;
        config.PollTimeout = 500;
        config.ControllerGroup = 0;
        config.ProtocolCode = QStringLiteral("L");
        config.TempPollRate = 1;
        config.SPPollRate = 5;
        config.ViewerProgram = QStringLiteral("/usr/bin/viewer");
        config.DefaultFolder = folder.path() + QLatin1Char('/');
        addInstrument(QStringLiteral("32"), 0, QStringLiteral("L"), QStringLiteral("Furnace"),
                      0.5F);
        addInstrument(QStringLiteral("001"), 1, QStringLiteral("R"), QStringLiteral("Extruder"),
                      2.5F);
        core::ReadModelFile(app, ui);
        line.setPortOpen(true);
        app.setCommEnabled(true);
    }

    core::InstrumentRecord &addInstrument(const QString &address, qint16 group,
                                          const QString &protocol, const QString &name, float rate)
    {
        core::InstrumentRecord instrument;
        instrument.InstAddress = address;
        instrument.InstGroup = group;
        instrument.InstProtocol = protocol;
        instrument.InstName = name;
        instrument.LogDurationUnit = 0;
        instrument.LogDuration = 8;
        instrument.LogRateUnit = 1;
        instrument.LogRate = rate;
        instrument.LogState = core::LogStates::Finished;
        app.Config.Instruments.push_back(instrument);
        return app.Config.Instruments.back();
    }

    QStringList fileLines(const QString &name) const { return folder.lines(name); }
};

} // namespace vanta::test
