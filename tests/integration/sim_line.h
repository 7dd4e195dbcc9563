// Integration rig: a vantasim process serving a scenario on a pseudo-terminal in a temporary
// folder, and the application's own serial line, engines and dispatcher talking to it.
#pragma once

#include "comms/comm_link.h"
#include "comms/comm_port.h"
#include "comms/qt_serial_line.h"
#include "comms/register_access.h"
#include "core/app_state.h"
#include "core/clock.h"
#include "core/data_files.h"
#include "core/model_file.h"
#include "support/scripted_interaction.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace vanta::test {

class SimulatorProcess
{
public:
    // Starts vantasim on `scenario` with extra options; `ready()` tells whether its line came up.
    explicit SimulatorProcess(const QByteArray &scenario, const QStringList &options = {})
    {
        const QString scenarioFile = m_dir.filePath(QStringLiteral("line.scn"));
        QFile file(scenarioFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(scenario) != scenario.size())
            return;
        file.close();
        m_link = m_dir.filePath(QStringLiteral("line"));
        m_process.setProgram(QStringLiteral(VANTA_BIN_DIR "/vantasim"));
        m_process.setArguments(QStringList{"--link", m_link, "--scenario", scenarioFile, "--data",
                                           QStringLiteral(VANTA_BIN_DIR), "--seed", "7"} +
                               options);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        if (!m_process.waitForStarted(5000))
            return;
        // The link appears once the line is served; the simulator starts in milliseconds.
        for (int i = 0; i < 250 && !QFileInfo(m_link).isSymLink(); ++i) {
            if (m_process.state() != QProcess::Running)
                return;
            QThread::msleep(20);
        }
        m_ready = QFileInfo(m_link).isSymLink();
    }
    ~SimulatorProcess()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
        m_process.waitForFinished(1000);
    }
    SimulatorProcess(const SimulatorProcess &) = delete;
    SimulatorProcess &operator=(const SimulatorProcess &) = delete;

    bool ready() const { return m_ready; }
    const QString &link() const { return m_link; }
    QProcess &process() { return m_process; }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_link;
    bool m_ready = false;
};

// The application's side: state with the delivered tables, the real serial line on the link.
struct ApplicationSide
{
    core::SystemClock clock;
    ScriptedInteraction ui;
    core::AppState app;
    comms::QtSerialLine line{QStringLiteral(VANTA_BIN_DIR)};
    comms::CommLink link{app, line, clock, ui};

    // `folder` holds the data files and receives the system configuration file.
    ApplicationSide(const QString &device, int pollTimeoutMs,
                    const QString &folder = QStringLiteral(VANTA_BIN_DIR))
        : app(folder)
    {
        core::loadDataFiles(app, ui);
        app.Config.PollTimeout = static_cast<qint16>(pollTimeoutMs);
        line.setDevicePath(device);
    }
    bool open(const QString &settings) { return comms::InitComm(link, settings) == 0; }

    struct Result
    {
        qint16 status = -99;
        QString text;
        float value = 0;
    };
    Result read(int group, const QString &protocol, int address, int reg)
    {
        Result r;
        comms::ReadRegister(link, group, protocol, r.text, r.status, address, reg, r.value);
        return r;
    }
    Result write(int group, const QString &protocol, int address, int reg, float value)
    {
        Result r;
        comms::WriteRegister(link, group, protocol, r.text, r.status, address, reg, value);
        return r;
    }
};

} // namespace vanta::test
