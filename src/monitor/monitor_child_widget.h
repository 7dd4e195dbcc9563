// The monitor frame's one child window: the 40 rows in a scroll area, the commands that act on
// all rows, the communication summary and the poll timer. The poll itself is MonitorPass.
#pragma once

#include "monitor/monitor_row_widget.h"
#include "monitor/monitor_session.h"
#include "ui/navigator.h"

#include <QWidget>
#include <vector>

class QLabel;
class QLineEdit;
class QTimer;

namespace vanta::monitor {

class frmMonitor : public QWidget
{
    Q_OBJECT

public:
    frmMonitor(const ui::WindowContext &context, MonitorSession &session, QWidget *parent);

    // Rows rebuilt and restored, then polling started when the file was read and the port is
    // open (hourglass meanwhile).
    void activate();
    // The pass stops after its row, the timer stops, the rows are saved.
    void deactivate();

    void tmrPoll_Timer();
    void cbxControl_Click(int row);
    // Copies the whole model into the controls.
    void showRows();

private:
    void buildControls();
    QWidget *buildRows();
    void instrumentListChanged();

    core::AppState &m_app;
    core::Interaction &m_ui;
    ui::Navigator &m_navigator;
    MonitorSession &m_session;
    std::vector<MonitorRowControls> m_rows;
    bool m_inTick = false;

    QLineEdit *txtChangeAll = nullptr;
    QLabel *lblCommHealth = nullptr;
    QTimer *tmrPoll = nullptr;
};

} // namespace vanta::monitor
