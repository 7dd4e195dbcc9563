// The monitor frame's one child window: the 40 rows in a scroll area, the commands that act on
// all rows, the communication summary and the poll timer. The poll is MonitorPass, the commands
// SetpointCommands and RampCommands.
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
    // The row commands and setpoint entry of row `row` (0..39).
    void txtSVText_KeyPress(int row);
    void txtSVText_LostFocus(int row);
    void cmdRamp_Click(int row, RampCommand command);
    void cmdRampCfg_Click(int row);
    // The commands for all rows.
    void cmdChangeAll_Click();
    void cmdAllRamps_Click(RampCommand command);
    // Copies the whole model into the controls.
    void showRows();

protected:
    // Focus into a setpoint field selects its text; Enter in a row's field sends it, leaving it
    // checks that it was sent.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectRow(int row);
    // Shows row `row` (-1: txtChangeAll) at once, while a command runs.
    void repaintRow(int row);
    void showChangeAll();
    // Copies every row's values into its controls (the lists stay as they are).
    void refreshRows();
    int rowOfField(const QObject *field) const;
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
