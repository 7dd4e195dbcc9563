// The monitor frame offscreen: the navigator activates it when shown and deactivates it when
// another window comes in front; rows, rate menus, a tick and the saved rows; Enter in a
// setpoint field, a field that loses the focus to a message box, and "Cfg".
#include "monitor/mdiMonitor.h"
#include "monitor/monitor_child_widget.h"
#include "monitor_rig.h"
#include "support/window_controls.h"
#include "ui/colours.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace vanta::test {
namespace {

class FrmMonitorTest : public ::testing::Test
{
protected:
    FrmMonitorTest()
    {
        navigator.registerMainScreen(QStringLiteral("frmMain"), [](const ui::WindowContext &) {
            return std::make_unique<QWidget>();
        });
        navigator.registerMainScreen(QStringLiteral("frmStatus"), [](const ui::WindowContext &) {
            return std::make_unique<QWidget>();
        });
        navigator.registerModeless(QStringLiteral("mdiMonitor"), [](const ui::WindowContext &c) {
            return std::make_unique<monitor::mdiMonitor>(c);
        });
        rig.addRow(QStringLiteral("05"), 0);
        rig.instruments.push_back(modbusRtuInstrument(5, registers));
    }

    // The frame shown and polled once, so row 0 knows its divisor.
    monitor::mdiMonitor *showPolled()
    {
        navigator.showFirst(QStringLiteral("frmMain"));
        EXPECT_TRUE(rig.activate());
        rig.session.deactivate();
        navigator.showMonitor();
        auto *frame = static_cast<monitor::mdiMonitor *>(navigator.window("mdiMonitor"));
        frame->child()->tmrPoll_Timer();
        return frame;
    }

    std::shared_ptr<RegisterMap> registers = std::make_shared<RegisterMap>(
        RegisterMap{{1, 245}, {2, 0x0814}, {794, 1}, {256, 750}, {257, 750}, {785, 0}});

    MonitorRig rig;
    ui::Navigator navigator{rig.app, rig.link};
};

TEST_F(FrmMonitorTest, ShowingActivatesAndAnotherWindowLeavesIt)
{
    QWidget *main = navigator.showFirst(QStringLiteral("frmMain"));
    ASSERT_TRUE(rig.activate()); // writes Monitor.val with the row
    rig.session.deactivate();
    navigator.showMonitor();
    auto *frame = static_cast<monitor::mdiMonitor *>(navigator.window("mdiMonitor"));
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(navigator.activeModeless(), frame);
    auto *row0 = findControl<QComboBox>(*frame, "cbxControl_0");
    EXPECT_EQ(row0->currentText(), QStringLiteral("05  R0 Zone 05"));
    EXPECT_EQ(row0->count(), 2);
    EXPECT_TRUE(findControl<QTimer>(*frame, "tmrPoll")->isActive());
    EXPECT_EQ(findControl<QMenu>(*frame, "mnuTemperatures")->title(),
              QStringLiteral("Process Variables (Now=1 Sec.)"));

    frame->child()->tmrPoll_Timer();
    EXPECT_EQ(findControl<QLabel>(*frame, "lblTempText_0")->text(), QStringLiteral("24.5 °C"));
    EXPECT_TRUE(findControl<QLabel>(*frame, "lblCommHealth")->text().startsWith("Rows 1,"));

    // The protocol trace from the monitor's menu is a tool window beside it: the monitor stays
    // active and polling.
    navigator.registerTool(QStringLiteral("frmTrace"),
                           [](const ui::WindowContext &) { return std::make_unique<QWidget>(); });
    findControl<QAction>(*frame, "mnuCommTrace")->trigger();
    EXPECT_TRUE(navigator.window("frmTrace")->isVisible());
    EXPECT_EQ(navigator.activeModeless(), frame);
    EXPECT_TRUE(frame->isVisible());

    frame->mnuSPRates_Click(11);
    EXPECT_EQ(findControl<QMenu>(*frame, "mnuSetpoints")->title(),
              QStringLiteral("Setpoints (Now=0 Sec.)"));

    // Choosing "[none]" in row 0, then another main screen comes in front: the frame is left,
    // hidden, and the rows are saved.
    row0->setCurrentIndex(1);
    frame->child()->cbxControl_Click(0);
    navigator.showMainScreen(main, QStringLiteral("frmStatus"));
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(navigator.activeModeless(), nullptr);
    EXPECT_FALSE(findControl<QTimer>(*frame, "tmrPoll")->isActive());
    EXPECT_EQ(rig.folder.lines(QStringLiteral("Monitor.val")).value(0), monitor::noneEntryText());
    EXPECT_TRUE(rig.user.boxes.empty());

    // Closing the frame only hides it.
    navigator.showMonitor();
    EXPECT_FALSE(frame->close());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(navigator.activeModeless(), nullptr);
}

void press(QWidget *widget, Qt::Key key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(widget, &event);
}

TEST_F(FrmMonitorTest, EnterSendsTheSetpointAndAMessageBoxIsNoLeavingTheField)
{
    monitor::mdiMonitor *frame = showPolled();
    auto *field = findControl<QLineEdit>(*frame, "txtSVText_0");
    EXPECT_EQ(field->text(), QStringLiteral("75.0 °C"));
    QApplication::setActiveWindow(frame);
    field->setFocus();
    field->selectAll();
    field->insert(QStringLiteral("25.5")); // as typed: textEdited
    EXPECT_EQ(field->palette().color(QPalette::Base), ui::Colours::Yellow);

    // Focus taken away by a box or another application leaves the typed text alone.
    QFocusEvent lost(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(field, &lost);
    EXPECT_EQ(field->palette().color(QPalette::Base), ui::Colours::Yellow);
    EXPECT_TRUE(rig.user.boxes.empty());

    press(field, Qt::Key_Return);
    EXPECT_EQ(registers->at(257), 255);
    // Moved on by one control, as Tab does.
    EXPECT_TRUE(findControl<QPushButton>(*frame, "cmdRampCfg_0")->hasFocus());
    EXPECT_EQ(field->palette().color(QPalette::Base), ui::Colours::Green);
    EXPECT_TRUE(rig.user.boxes.empty());
}

TEST_F(FrmMonitorTest, CfgAsksForTheRowsProgramAndShowsTheConfigurationWindow)
{
    navigator.registerMainScreen(QStringLiteral("frmConfig"), [](const ui::WindowContext &) {
        auto window = std::make_unique<QWidget>();
        window->setObjectName(QStringLiteral("frmConfig"));
        return window;
    });
    monitor::mdiMonitor *frame = showPolled();
    auto *cfg = findControl<QPushButton>(*frame, "cmdRampCfg_0");
    EXPECT_FALSE(cfg->isHidden());
    cfg->click();
    EXPECT_TRUE(rig.app.RSModel);
    EXPECT_EQ(rig.app.RSAddress, 5);
    EXPECT_EQ(navigator.activeMainScreen(), navigator.window("frmConfig"));
    EXPECT_EQ(navigator.activeModeless(), nullptr);

    // Asked again while the configuration window is in front: it stays, the monitor is left.
    navigator.showMonitor();
    cfg->click();
    EXPECT_EQ(navigator.activeMainScreen(), navigator.window("frmConfig"));
    EXPECT_EQ(navigator.activeModeless(), nullptr);
    EXPECT_TRUE(rig.user.boxes.empty());
}

} // namespace
} // namespace vanta::test
