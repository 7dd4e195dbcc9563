// The shared state and its change signals.
#include "core/app_state.h"

#include <QDir>

namespace vanta::core {

AppState::AppState(QString programFolder, QObject *parent)
    : QObject(parent), m_programFolder(std::move(programFolder))
{}

QString AppState::programFile(const QString &name) const
{
    return QDir(m_programFolder).filePath(name);
}

QString AppState::configFileName() const
{
    return ProductMode ? QStringLiteral("Orvel.cfg") : QStringLiteral("VantaLnk3.cfg");
}

void AppState::setDemoMode(bool on)
{
    if (m_demoMode == on)
        return;
    m_demoMode = on;
    emit demoModeChanged(on);
}

void AppState::setCommEnabled(bool enabled)
{
    if (m_commEnabled == enabled)
        return;
    m_commEnabled = enabled;
    emit commEnabledChanged(enabled);
}

void AppState::setLoggingActive(bool active)
{
    if (m_loggingActive == active)
        return;
    m_loggingActive = active;
    emit loggingActiveChanged(active);
}

void AppState::setGraphRecording(bool recording)
{
    if (m_graphRecording == recording)
        return;
    m_graphRecording = recording;
    emit graphRecordingChanged(recording);
}

void AppState::lendPort()
{
    if (++m_portLoans == 1)
        emit portBorrowedChanged(true);
}

void AppState::returnPort()
{
    if (m_portLoans == 0)
        return;
    if (--m_portLoans == 0)
        emit portBorrowedChanged(false);
}

void AppState::requestRampSoakConfig(qint16 address, const QString &protocol, qint16 group)
{
    RSModel = true;
    RSAddress = address;
    RSProtocol = protocol;
    RSGroup = group;
    emit rampSoakConfigRequested();
}

void AppState::setErrorLine(const QString &text)
{
    if (m_errorLine == text)
        return;
    m_errorLine = text;
    emit errorLineChanged(text);
}

} // namespace vanta::core
