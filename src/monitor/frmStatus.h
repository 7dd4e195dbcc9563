// The single-instrument status window: polls the chosen address once a second while it is the
// active main screen and shows model, mode, alarms, values, unit errors and versions.
#pragma once

#include "monitor/status_poll.h"
#include "ui/navigator.h"

#include <QMainWindow>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QTimer;

namespace vanta::monitor {

class frmStatus : public QMainWindow, public ui::Activatable
{
    Q_OBJECT

public:
    explicit frmStatus(const ui::WindowContext &context, std::function<double()> random = {});

    // Shows lblDemoMode, follows a changed controller group, starts tmrPoll and, in demo mode,
    // runs one tick at once.
    void activated() override;
    // Stops tmrPoll: polling runs only while this is the active main screen.
    void deactivated() override;

    void tmrPoll_Timer();
    void ClearAllFields();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void buildControls();
    QWidget *buildModelInfo(QWidget *parent);
    QWidget *buildValues(QWidget *parent);
    void fillAddressList();
    void showFields();
    void showUnitErrors();
    void showDemoMode();

    core::AppState &m_app;
    core::Interaction &m_ui;
    ui::Navigator &m_navigator;
    StatusPoll m_poll;
    int LastGroup = 0;
    int m_shownErrorBuilds = -1;
    bool m_inTick = false;

    QComboBox *cbxAddress = nullptr;
    QLabel *lblDateTime = nullptr;
    QLabel *lblErrorMessageText = nullptr;
    QGroupBox *fraModelInfo = nullptr;
    QLabel *lblModelIDText = nullptr;
    QLabel *lblModelType = nullptr;
    QLabel *lblSoftVerText = nullptr;
    QLabel *lblCommVer = nullptr;
    QLabel *lblCommVerText = nullptr;
    QLabel *lblMode = nullptr;
    QLabel *lblModeText = nullptr;
    QLabel *lblCommModeText = nullptr;
    QLabel *lblAlm1StatText = nullptr;
    QLabel *lblAlm2StatText = nullptr;
    QLabel *lblProcessValueText = nullptr;
    QLabel *lblSetpoint = nullptr;
    QLabel *lblSetpointText = nullptr;
    QListWidget *lisUnitErrors = nullptr;
    QLabel *lblDemoMode = nullptr;
    QTimer *tmrPoll = nullptr;
};

} // namespace vanta::monitor
