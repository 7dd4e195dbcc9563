// The program's shared state: stored settings, instrument list, model catalogue, tables and the
// run-time flags every window reads. Created once in main and passed by reference; tests build
// as many independent states as they like.
#pragma once

#include "core/model_catalogue.h"
#include "core/system_config.h"
#include "core/tables.h"

#include <QObject>
#include <QString>
#include <array>

namespace vanta::core {

class AppState : public QObject
{
    Q_OBJECT

public:
    explicit AppState(QString programFolder, QObject *parent = nullptr);

    SystemConfig Config;
    ModelCatalogue Catalogue;
    DataTables Tables;

    bool ProductMode = false;   // running as the product variant ("Orvel")
    bool PacingEnabled = false; // 0.1 s gap between Vanta Link reads of one address
    QString ModelFileName;
    std::array<QString, 3> LogStateText{QStringLiteral("STARTED"), QStringLiteral("STOPPED"),
                                        QStringLiteral("FINISHED")};

    // The ramp/soak-only request of the monitor's "Cfg" button (set by requestRampSoakConfig),
    // cleared by the configuration window.
    bool RSModel = false;
    qint16 RSAddress = 0;
    QString RSProtocol;
    qint16 RSGroup = 0;

    const QString &programFolder() const { return m_programFolder; }
    // Full path of a file in the program folder.
    QString programFile(const QString &name) const;
    QString configFileName() const; // "Orvel.cfg" or "VantaLnk3.cfg"

    bool DemoMode() const { return m_demoMode; }
    void setDemoMode(bool on);
    bool CommEnabled() const { return m_commEnabled; }
    void setCommEnabled(bool enabled);
    bool LoggingActive() const { return m_loggingActive; }
    void setLoggingActive(bool active);
    // A graph is recording samples (the main window's "Graph Recording in Progress").
    bool GraphRecording() const { return m_graphRecording; }
    void setGraphRecording(bool recording);
    // The main window's error line, shared by every window that reports a background failure.
    const QString &errorLine() const { return m_errorLine; }
    void setErrorLine(const QString &text);

    // The serial port is lent to a window that uses it at other settings or byte by byte (the
    // search, the terminal, the raw windows): the logging, monitor and graph ticks skip their
    // reads meanwhile. True while any loan lasts; take one with comms::PortLoan, which pairs
    // lendPort and returnPort. A returnPort without a loan is ignored.
    bool PortBorrowed() const { return m_portLoans > 0; }
    void lendPort();
    void returnPort();

    // Asks for the ramp/soak configuration of one instrument: sets RSModel and the RS* fields
    // and emits rampSoakConfigRequested, so a configuration window already in front hears it.
    void requestRampSoakConfig(qint16 address, const QString &protocol, qint16 group);
    // Said by whoever changed Config.Instruments (communications setup, the logging window) or
    // the port and poll settings (communications setup, the monitor's rate menus), so windows
    // that show them reload.
    void notifyInstrumentListChanged() { emit instrumentListChanged(); }
    void notifyPortSettingsChanged() { emit portSettingsChanged(); }

signals:
    void demoModeChanged(bool on);
    void commEnabledChanged(bool enabled);
    void loggingActiveChanged(bool active);
    void graphRecordingChanged(bool recording);
    void errorLineChanged(const QString &text);
    void portBorrowedChanged(bool borrowed);
    void rampSoakConfigRequested();
    void instrumentListChanged();
    void portSettingsChanged();

private:
    QString m_programFolder;
    bool m_demoMode = false;
    bool m_commEnabled = false;
    bool m_loggingActive = false;
    bool m_graphRecording = false;
    int m_portLoans = 0;
    QString m_errorLine;
};

} // namespace vanta::core
