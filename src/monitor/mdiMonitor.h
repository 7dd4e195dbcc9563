// The monitor frame "System Monitor": menus for closing, the two refresh rates and the back-off
// option, around its one child window frmMonitor. Shown modelessly; closing only hides it.
#pragma once

#include "monitor/monitor_session.h"
#include "ui/navigator.h"

#include <QMainWindow>

class QAction;
class QMenu;

namespace vanta::monitor {

class frmMonitor;

class mdiMonitor : public QMainWindow, public ui::Activatable
{
    Q_OBJECT

public:
    explicit mdiMonitor(const ui::WindowContext &context);

    // MDIForm_Activate: rate captions, rows rebuilt and restored, polling started.
    void activated() override;
    // MDIForm_Deactivate: polling stopped after the current row, rows saved (the navigator
    // hides the frame).
    void deactivated() override;

    void mnuTempRates_Click(int item);
    void mnuSPRates_Click(int item);
    frmMonitor *child() const { return m_child; }

protected:
    // Closing hides the frame through the navigator, which deactivates it.
    void closeEvent(QCloseEvent *event) override;

private:
    QMenu *addRateMenu(QMenu *parent, RateMenu menu);
    void showRateCaptions();

    ui::Navigator &m_navigator;
    MonitorSession m_session;
    frmMonitor *m_child = nullptr;
    QMenu *mnuTemperatures = nullptr;
    QMenu *mnuSetpoints = nullptr;
    QAction *mnuPollSilentLess = nullptr;
};

} // namespace vanta::monitor
