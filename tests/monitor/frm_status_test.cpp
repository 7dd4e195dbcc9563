// The status window: activation and the poll timer, the address list, and what a tick shows.
#include "monitor/frmStatus.h"
#include "status_rig.h"
#include "ui/colours.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace vanta::test {
namespace {

class FrmStatusTest : public ::testing::Test
{
protected:
    FrmStatusTest() : rig(0) {}

    std::unique_ptr<monitor::frmStatus> load()
    {
        auto window = std::make_unique<monitor::frmStatus>(navigator.context(), [] { return 0.5; });
        window->show();
        return window;
    }
    QLabel *label(QWidget &window, const char *name)
    {
        auto *found = window.findChild<QLabel *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QColor textColour(const QLabel *label)
    {
        return label->palette().color(QPalette::WindowText);
    }

    StatusRig rig;
    ui::Navigator navigator{rig.app, rig.link};
};

TEST_F(FrmStatusTest, PollsOnlyWhileActiveAndFollowsTheGroup)
{
    auto window = load();
    auto *timer = window->findChild<QTimer *>(QStringLiteral("tmrPoll"));
    auto *address = window->findChild<QComboBox *>(QStringLiteral("cbxAddress"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Controller Status"));
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(address->currentText(), QStringLiteral("32"));

    window->activated();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_TRUE(rig.line.requests.empty()); // not in demo mode: the first tick waits
    window->deactivated();
    EXPECT_FALSE(timer->isActive());

    rig.app.Config.ControllerGroup = 2;
    window->activated();
    EXPECT_EQ(address->currentText(), QStringLiteral("001"));
    EXPECT_EQ(address->itemText(254), QStringLiteral("255"));
}

TEST_F(FrmStatusTest, DemoActivationShowsValuesAndColoursAtOnce)
{
    rig.app.setDemoMode(true);
    auto window = load();
    window->activated();
    EXPECT_TRUE(label(*window, "lblDemoMode")->isVisible());
    EXPECT_EQ(label(*window, "lblModelIDText")->text(), QStringLiteral("HM"));
    EXPECT_EQ(label(*window, "lblProcessValueText")->text(), QStringLiteral("86 °F"));
    EXPECT_EQ(label(*window, "lblModeText")->text(), QStringLiteral("Auto"));
    EXPECT_EQ(textColour(label(*window, "lblModeText")), ui::Colours::AutoGreen);
    EXPECT_EQ(label(*window, "lblAlm1StatText")->text(), QStringLiteral("ON"));
    EXPECT_EQ(textColour(label(*window, "lblAlm1StatText")), ui::Colours::Red);
    EXPECT_EQ(textColour(label(*window, "lblAlm2StatText")), ui::Colours::Black);
    EXPECT_EQ(label(*window, "lblDateTime")->text(), QStringLiteral("03/15/2009 10:00:00"));
    EXPECT_EQ(window->findChild<QListWidget *>("lisUnitErrors")->count(), 2);
}

TEST_F(FrmStatusTest, RealTickHidesTheSetpointAndKeepsTheErrorSelection)
{
    auto registers = std::make_shared<RegisterMap>(RegisterMap{
        {1793, 0x4E38},
        {1, 5},
        {2, 0x8000},
        {3, 0x0600},
        {794, 0},
        {798, 0},
        {800, 0},
        {1792, 0x0701},
        {1794, 0x0512},
    });
    rig.answerWith(modbusRtuInstrument(50, registers));
    auto window = load();
    window->tmrPoll_Timer();
    EXPECT_EQ(label(*window, "lblErrorMessageText")->text(), QString());
    EXPECT_FALSE(label(*window, "lblSetpoint")->isVisible());
    EXPECT_FALSE(label(*window, "lblSetpointText")->isVisible());
    EXPECT_FALSE(label(*window, "lblMode")->isVisible()); // N8: no auto/manual mode
    EXPECT_EQ(label(*window, "lblModeText")->text(), QStringLiteral("Manual"));
    EXPECT_EQ(textColour(label(*window, "lblModeText")), ui::Colours::Black);
    EXPECT_EQ(label(*window, "lblSoftVerText")->text(), QStringLiteral("05 12"));

    auto *errors = window->findChild<QListWidget *>(QStringLiteral("lisUnitErrors"));
    ASSERT_EQ(errors->count(), 2); // bad input, open input
    errors->setCurrentRow(1);
    window->tmrPoll_Timer();
    EXPECT_EQ(errors->currentRow(), 1);

    // Another address empties every field; the next tick builds the list afresh.
    window->findChild<QComboBox *>(QStringLiteral("cbxAddress"))->setCurrentIndex(0);
    EXPECT_EQ(errors->count(), 0);
    EXPECT_EQ(label(*window, "lblModelIDText")->text(), QString());
}

TEST_F(FrmStatusTest, AFailedReadShowsTheDispatchersText)
{
    auto window = load();
    window->tmrPoll_Timer(); // nobody answers
    EXPECT_TRUE(label(*window, "lblErrorMessageText")->text().startsWith("Address 32:"))
        << label(*window, "lblErrorMessageText")->text().toStdString();
    EXPECT_TRUE(rig.user.boxes.empty());
}

} // namespace
} // namespace vanta::test
