// The main window: title, version and picture, the indicators, the navigation buttons and
// menus, demo mode, and the logging timer that runs whatever window is in front.
#pragma once

#include "ui/branding.h"
#include "ui/navigator.h"

#include <QMainWindow>

class QFrame;
class QLabel;
class QLayout;
class QTimer;

namespace vanta::ui {

class frmMain : public QMainWindow, public Activatable
{
    Q_OBJECT

public:
    explicit frmMain(const WindowContext &context, ProgramVersion version = programVersion());

    void activated() override;
    void deactivated() override {}

    // One tick of tmrLogging (50 ms, running while the port is open).
    void tmrLogging_Timer();
    void cmdDemoMode_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load(const ProgramVersion &version);
    void buildControls();
    QWidget *buildPicture(QWidget *parent);
    QLayout *buildLowerRow(QWidget *parent);
    QWidget *buildIndicators(QWidget *parent);
    void showDemoMode();
    void followCommEnabled(bool enabled);

    core::AppState &m_app;
    Navigator &m_navigator;

    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblBeta = nullptr;
    QWidget *fraPicture = nullptr;
    QLabel *imgCompany = nullptr;
    QLabel *lblDemoMode = nullptr;
    QFrame *shpComms = nullptr;
    QFrame *shpLogging = nullptr;
    QFrame *shpGraphing = nullptr;
    QLabel *lblErrorMessageText = nullptr;
    QTimer *tmrLogging = nullptr;
};

} // namespace vanta::ui
