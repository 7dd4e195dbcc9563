// The monitor's child window: rows, window-wide commands and the poll timer.
#include "monitor/monitor_child_widget.h"

#include "ui/controls.h"
#include "ui/enter_as_tab.h"
#include "ui/field_focus.h"
#include "ui/run_handler.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
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

// Return or keypad Enter without other modifiers.
bool isEnterKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

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
    m_session.setpoints().rowChanged = [this](int row) { repaintRow(row); };
    m_session.ramps().rowChanged = [this](int row) { repaintRow(row); };
    ui::installEnterAsTab(this);
}

void frmMonitor::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    txtChangeAll = ui::newTextBox(this, "txtChangeAll");
    txtChangeAll->setFixedWidth(90);
    txtChangeAll->installEventFilter(this);
    connect(txtChangeAll, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_session.setpoints().txtChangeAll_Change(text);
        showChangeAll();
    });
    QPushButton *changeAll = ui::newButton(this, "cmdChangeAll", "Change All");
    connect(changeAll, &QPushButton::clicked, this, &frmMonitor::cmdChangeAll_Click);
    const auto allRamps = [this](const char *name, const char *caption, RampCommand command) {
        QPushButton *button = ui::newButton(this, name, QString::fromLatin1(caption));
        connect(button, &QPushButton::clicked, this,
                [this, command] { cmdAllRamps_Click(command); });
        return button;
    };
    ui::addToBox(layout, {ui::newRow({changeAll, txtChangeAll, ui::Stretch,
                                      allRamps("cmdStartAll", "Start All Ramps", RampCommand::On),
                                      allRamps("cmdStopAll", "Stop All Ramps", RampCommand::Off),
                                      allRamps("cmdHoldAll", "Hold All", RampCommand::Hold)}),
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
        connectRow(index);
    }
    grid->setRowStretch(MonitorRowCount + 1, 1);
    scroll->setWidget(rows);
    return scroll;
}

void frmMonitor::connectRow(int row)
{
    const MonitorRowControls &controls = m_rows.at(static_cast<std::size_t>(row));
    connect(controls.cbxControl, &QComboBox::activated, this,
            [this, row] { cbxControl_Click(row); });
    // Enter sends the setpoint, then moves on as Tab does.
    ui::keepOwnEnter(controls.txtSVText);
    controls.txtSVText->installEventFilter(this);
    connect(controls.txtSVText, &QLineEdit::textEdited, this, [this, row](const QString &text) {
        m_session.setpoints().txtSVText_Change(row, text);
        repaintRow(row);
    });
    const std::pair<QPushButton *, RampCommand> commands[] = {
        {controls.cmdRampOn, RampCommand::On},
        {controls.cmdRampHold, RampCommand::Hold},
        {controls.cmdRampOff, RampCommand::Off}};
    for (const auto &[button, command] : commands)
        connect(button, &QPushButton::clicked, this,
                [this, row, command = command] { cmdRamp_Click(row, command); });
    connect(controls.cmdRampCfg, &QPushButton::clicked, this,
            [this, row] { cmdRampCfg_Click(row); });
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
    showChangeAll();
    lblCommHealth->setText(m_session.pass().summaryText());
}

void frmMonitor::refreshRows()
{
    for (int index = 0; index < MonitorRowCount; ++index)
        m_rows.at(static_cast<std::size_t>(index)).show(m_session.rows().row(index));
    showChangeAll();
}

void frmMonitor::showChangeAll()
{
    showEditField(txtChangeAll, m_session.rows().ChangeAllText, m_session.rows().ChangeAllState);
}

void frmMonitor::tmrPoll_Timer()
{
    const core::ReentryGuard guard(m_inTick, m_navigator.loops());
    if (!guard)
        return;
    ui::runHandler(m_ui, "frmMonitor.tmrPoll_Timer", [this] { m_session.pass().tmrPoll_Timer(); });
    showChangeAll();
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

void frmMonitor::repaintRow(int row)
{
    if (row < 0) {
        showChangeAll();
        txtChangeAll->repaint();
        return;
    }
    if (row >= MonitorRowCount)
        return;
    MonitorRowControls &controls = m_rows.at(static_cast<std::size_t>(row));
    controls.show(m_session.rows().row(row));
    controls.txtSVText->repaint();
    controls.shpRampSoak->repaint();
}

int frmMonitor::rowOfField(const QObject *field) const
{
    for (int row = 0; row < MonitorRowCount; ++row) {
        if (m_rows.at(static_cast<std::size_t>(row)).txtSVText == field)
            return row;
    }
    return -1;
}

bool frmMonitor::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (field == nullptr)
        return QWidget::eventFilter(watched, event);
    const int row = rowOfField(field);
    if (row >= 0 && isEnterKey(event)) {
        // Taken here, so the key does not travel on to the scroll area as another Tab.
        txtSVText_KeyPress(row);
        return true;
    }
    if (event->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, field, &QLineEdit::selectAll);
    } else if (ui::isLeavingField(event)) {
        if (row >= 0)
            txtSVText_LostFocus(row);
    }
    return QWidget::eventFilter(watched, event);
}

void frmMonitor::txtSVText_KeyPress(int row)
{
    bool moveOn = true;
    ui::runHandler(m_ui, "frmMonitor.txtSVText_KeyPress",
                   [this, row, &moveOn] { moveOn = m_session.setpoints().txtSVText_Enter(row); });
    repaintRow(row);
    if (moveOn)
        focusNextChild();
}

void frmMonitor::txtSVText_LostFocus(int row)
{
    ui::runHandler(m_ui, "frmMonitor.txtSVText_LostFocus",
                   [this, row] { m_session.setpoints().txtSVText_LostFocus(row); });
    repaintRow(row);
}

void frmMonitor::cmdRamp_Click(int row, RampCommand command)
{
    const char *routine = command == RampCommand::On     ? "frmMonitor.cmdRampOn_Click"
                          : command == RampCommand::Hold ? "frmMonitor.cmdRampHold_Click"
                                                         : "frmMonitor.cmdRampOff_Click";
    ui::runHandler(m_ui, routine,
                   [this, row, command] { m_session.ramps().rowCommand(row, command); });
    repaintRow(row);
}

void frmMonitor::cmdRampCfg_Click(int row)
{
    ui::runHandler(m_ui, "frmMonitor.cmdRampCfg_Click", [this, row] {
        if (m_session.ramps().cmdRampCfg_Click(row))
            m_navigator.showMainScreenInFront(QStringLiteral("frmConfig"));
    });
}

void frmMonitor::cmdChangeAll_Click()
{
    ui::runHandler(m_ui, "frmMonitor.cmdChangeAll_Click",
                   [this] { m_session.setpoints().cmdChangeAll_Click(); });
    refreshRows();
}

void frmMonitor::cmdAllRamps_Click(RampCommand command)
{
    const char *routine = command == RampCommand::On     ? "frmMonitor.cmdStartAll_Click"
                          : command == RampCommand::Hold ? "frmMonitor.cmdHoldAll_Click"
                                                         : "frmMonitor.cmdStopAll_Click";
    ui::runHandler(m_ui, routine, [this, command] { m_session.ramps().allRowsCommand(command); });
    refreshRows();
}

} // namespace vanta::monitor
