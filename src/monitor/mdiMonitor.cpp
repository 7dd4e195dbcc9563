// The monitor frame: menus and activation; the rows are frmMonitor's.
#include "monitor/mdiMonitor.h"

#include "monitor/monitor_child_widget.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>

namespace vanta::monitor {

mdiMonitor::mdiMonitor(const ui::WindowContext &context)
    : m_navigator(context.navigator), m_session(context.link, context.navigator.loops())
{
    setObjectName(QStringLiteral("mdiMonitor"));
    setWindowTitle(QStringLiteral("System Monitor"));
    m_child = new frmMonitor(context, m_session, this);
    setCentralWidget(m_child);
    resize(900, 700);

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction *close = file->addAction(QStringLiteral("C&lose"));
    close->setObjectName(QStringLiteral("mnuFileClose"));
    connect(close, &QAction::triggered, this, [this] { m_navigator.leaveModeless(); });

    QMenu *rates = menuBar()->addMenu(QStringLiteral("&Refresh Rates"));
    rates->setObjectName(QStringLiteral("mnuRefreshRates"));
    mnuTemperatures = addRateMenu(rates, RateMenu::ProcessVariables);
    mnuSetpoints = addRateMenu(rates, RateMenu::Setpoints);

    QMenu *options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    mnuPollSilentLess = options->addAction(QStringLiteral("Poll silent instruments less often"));
    mnuPollSilentLess->setObjectName(QStringLiteral("mnuPollSilentLess"));
    mnuPollSilentLess->setCheckable(true);
    connect(mnuPollSilentLess, &QAction::toggled, this,
            [this](bool on) { m_session.pass().PollSilentLess = on; });
    // The trace is a tool window: watching the poll's traffic does not stop the poll.
    QAction *trace = options->addAction(QStringLiteral("Protocol Trace"));
    trace->setObjectName(QStringLiteral("mnuCommTrace"));
    connect(trace, &QAction::triggered, this,
            [this] { m_navigator.showTool(QStringLiteral("frmTrace")); });
    showRateCaptions();
}

QMenu *mdiMonitor::addRateMenu(QMenu *parent, RateMenu menu)
{
    const bool temperatures = menu == RateMenu::ProcessVariables;
    QMenu *submenu = parent->addMenu(rateMenuTitle(menu));
    submenu->setObjectName(temperatures ? QStringLiteral("mnuTemperatures")
                                        : QStringLiteral("mnuSetpoints"));
    const QStringList items = pollRateItems();
    for (int item = 0; item < items.size(); ++item) {
        QAction *action = submenu->addAction(items.at(item));
        action->setObjectName(
            (temperatures ? QStringLiteral("mnuTempRates_") : QStringLiteral("mnuSPRates_")) +
            QString::number(item));
        connect(action, &QAction::triggered, this, [this, temperatures, item] {
            temperatures ? mnuTempRates_Click(item) : mnuSPRates_Click(item);
        });
    }
    return submenu;
}

void mdiMonitor::showRateCaptions()
{
    mnuTemperatures->setTitle(
        rateMenuCaption(RateMenu::ProcessVariables, m_session.rate(RateMenu::ProcessVariables)));
    mnuSetpoints->setTitle(
        rateMenuCaption(RateMenu::Setpoints, m_session.rate(RateMenu::Setpoints)));
}

void mdiMonitor::mnuTempRates_Click(int item)
{
    m_session.chooseRate(RateMenu::ProcessVariables, item);
    showRateCaptions();
}

void mdiMonitor::mnuSPRates_Click(int item)
{
    m_session.chooseRate(RateMenu::Setpoints, item);
    showRateCaptions();
}

void mdiMonitor::activated()
{
    showRateCaptions();
    m_child->activate();
}

void mdiMonitor::deactivated()
{
    m_child->deactivate();
}

void mdiMonitor::closeEvent(QCloseEvent *event)
{
    event->ignore();
    m_navigator.leaveModeless();
}

} // namespace vanta::monitor
