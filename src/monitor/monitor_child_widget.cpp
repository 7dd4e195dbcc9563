// The monitor's child window: rows, window-wide commands and the poll timer.
#include "monitor/monitor_child_widget.h"

#include "ui/controls.h"
#include "ui/enter_as_tab.h"
#include "ui/run_handler.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace vanta::monitor {

namespace {

constexpr int PollIntervalMs = 50;

} // namespace

frmMonitor::frmMonitor(const ui::WindowContext &context, MonitorSession &session, QWidget *parent)
    : QWidget(parent), m_app(context.app), m_ui(context.ui()), m_navigator(context.navigator),
      m_session(session)
{
    setObjectName(QStringLiteral("frmMonitor"));
    setWindowTitle(QStringLiteral("System Monitor"));
    buildControls();
    tmrPoll = new QTimer(this);
    tmrPoll->setObjectName(QStringLiteral("tmrPoll"));
    tmrPoll->setInterval(PollIntervalMs);
    connect(tmrPoll, &QTimer::timeout, this, &frmMonitor::tmrPoll_Timer);
    connect(&m_app, &core::AppState::instrumentListChanged, this,
            &frmMonitor::instrumentListChanged);

    MonitorPass &pass = m_session.pass();
    pass.rowStarted = [this](int row) {
        m_rows.at(static_cast<std::size_t>(row)).showPolling(m_session.rows().row(row));
    };
    pass.rowFinished = [this](int row) {
        m_rows.at(static_cast<std::size_t>(row)).show(m_session.rows().row(row));
        QCoreApplication::processEvents();
    };
    ui::installEnterAsTab(this);
}

void frmMonitor::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    txtChangeAll = ui::newTextBox(this, "txtChangeAll");
    txtChangeAll->setFixedWidth(90);
    ui::addToBox(layout,
                 {ui::newRow({ui::newButton(this, "cmdChangeAll", "Change All"), txtChangeAll,
                              ui::Stretch, ui::newButton(this, "cmdStartAll", "Start All Ramps"),
                              ui::newButton(this, "cmdStopAll", "Stop All Ramps"),
                              ui::newButton(this, "cmdHoldAll", "Hold All")}),
                  buildRows()});
    lblCommHealth = ui::newMessageLine(this, "lblCommHealth");
    layout->addWidget(lblCommHealth);
}

QWidget *frmMonitor::buildRows()
{
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrRows"));
    scroll->setWidgetResizable(true);
    auto *rows = new QWidget(scroll);
    rows->setObjectName(QStringLiteral("fraRows"));
    auto *grid = new QGridLayout(rows);
    grid->setVerticalSpacing(2);
    addMonitorHeadings(rows, grid);
    m_rows.reserve(MonitorRowCount);
    for (int index = 0; index < MonitorRowCount; ++index) {
        m_rows.emplace_back(rows, grid, index);
        connect(m_rows.back().cbxControl, &QComboBox::activated, this,
                [this, index] { cbxControl_Click(index); });
    }
    grid->setRowStretch(MonitorRowCount + 1, 1);
    scroll->setWidget(rows);
    return scroll;
}

void frmMonitor::activate()
{
    ui::runHandler(m_ui, "mdiMonitor.Form_Activate", [this] {
        const core::BusyPointer busy(m_ui);
        const bool poll = m_session.activate();
        showRows();
        if (poll)
            tmrPoll->start();
    });
}

void frmMonitor::deactivate()
{
    tmrPoll->stop();
    m_session.deactivate();
}

void frmMonitor::showRows()
{
    const MonitorRows &rows = m_session.rows();
    for (int index = 0; index < MonitorRowCount; ++index) {
        MonitorRowControls &controls = m_rows.at(static_cast<std::size_t>(index));
        controls.setEntries(rows.entries(), rows.row(index).Text);
        controls.show(rows.row(index));
    }
    const QSignalBlocker quiet(txtChangeAll);
    txtChangeAll->setText(rows.ChangeAllText);
    lblCommHealth->setText(m_session.pass().summaryText());
}

void frmMonitor::tmrPoll_Timer()
{
    const core::ReentryGuard guard(m_inTick, m_navigator.loops());
    if (!guard)
        return;
    ui::runHandler(m_ui, "frmMonitor.tmrPoll_Timer", [this] { m_session.pass().tmrPoll_Timer(); });
    if (!m_session.rows().ChangeAllTyped) {
        const QSignalBlocker quiet(txtChangeAll);
        txtChangeAll->setText(m_session.rows().ChangeAllText);
    }
    lblCommHealth->setText(m_session.pass().summaryText());
}

void frmMonitor::cbxControl_Click(int row)
{
    if (row < 0 || row >= MonitorRowCount)
        return;
    MonitorRowControls &controls = m_rows.at(static_cast<std::size_t>(row));
    m_session.cbxControl_Click(row, controls.cbxControl->currentText());
    controls.show(m_session.rows().row(row));
}

void frmMonitor::instrumentListChanged()
{
    if (!tmrPoll->isActive())
        return; // the next activation rebuilds the rows
    m_session.instrumentListChanged();
    showRows();
}

} // namespace vanta::monitor
