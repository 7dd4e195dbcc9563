// Switching windows in place, modal windows, activation, deferred program end and the Terminal
// command.
#include "app/windows.h"
#include "ui/navigator.h"
#include "ui_fixture.h"

#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace vanta::test {
namespace {

class RecordingDialog : public QDialog, public ui::Activatable
{
public:
    RecordingDialog(const QString &name, QStringList &events) : m_events(events)
    {
        setObjectName(name);
    }
    void activated() override
    {
        m_events << QLatin1Char('+') + objectName();
        // Closes itself once it is up, as a user would.
        QTimer::singleShot(0, this, &QDialog::accept);
    }
    void deactivated() override { m_events << QLatin1Char('-') + objectName(); }

private:
    QStringList &m_events;
};

class NavigatorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *name : {"frmMain", "frmStatus"}) {
            rig.navigator.registerMainScreen(
                QString::fromLatin1(name), [this, name](const ui::WindowContext &) {
                    return std::make_unique<RecordingWindow>(QString::fromLatin1(name), events);
                });
        }
        rig.navigator.registerModal(
            QStringLiteral("frmLogging"), [this](const ui::WindowContext &) {
                return std::make_unique<RecordingDialog>(QStringLiteral("frmLogging"), events);
            });
    }

    UiRig rig;
    QStringList events;
};

TEST_F(NavigatorTest, ShowFormInPlaceMovesShowsAndHides)
{
    QWidget from;
    QWidget to;
    from.move(123, 77);
    from.show();
    ui::ShowFormInPlace(&from, &to);
    EXPECT_EQ(to.pos(), from.pos());
    EXPECT_TRUE(to.isVisible());
    EXPECT_FALSE(from.isVisible());

    ui::ShowFormInPlace(&to, &to);
    EXPECT_TRUE(to.isVisible());
}

TEST_F(NavigatorTest, MovingBetweenMainScreensDrivesActivation)
{
    QWidget *main = rig.navigator.showFirst(QStringLiteral("frmMain"));
    ASSERT_NE(main, nullptr);
    rig.navigator.showMainScreen(main, QStringLiteral("frmStatus"));
    QWidget *status = rig.navigator.window(QStringLiteral("frmStatus"));
    ASSERT_NE(status, nullptr);
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(rig.navigator.activeMainScreen(), status);

    // The screen that is already shown: nothing happens.
    rig.navigator.showMainScreen(status, QStringLiteral("frmStatus"));
    rig.navigator.showMainScreen(status, QStringLiteral("frmMain"));
    EXPECT_EQ(events,
              (QStringList{"+frmMain", "-frmMain", "+frmStatus", "-frmStatus", "+frmMain"}));
    // Each screen is built once and kept.
    EXPECT_EQ(rig.navigator.window(QStringLiteral("frmStatus")), status);
}

TEST_F(NavigatorTest, UnregisteredWindowsSayTheyAreNotAvailable)
{
    QWidget *main = rig.navigator.showFirst(QStringLiteral("frmMain"));
    rig.navigator.showMainScreen(main, QStringLiteral("frmConfig"));
    rig.navigator.openModal(main, QStringLiteral("frmSetpoints"));
    rig.navigator.showMonitor();

    ASSERT_EQ(rig.user.boxes.size(), 3u);
    EXPECT_EQ(rig.user.boxes[0].text,
              QStringLiteral("The Configure Instrument window is not available yet."));
    EXPECT_EQ(rig.user.boxes[1].text,
              QStringLiteral("The Edit Setpoints window is not available yet."));
    EXPECT_EQ(rig.user.boxes[2].text,
              QStringLiteral("The System Monitor window is not available yet."));
    EXPECT_EQ(rig.navigator.activeMainScreen(), main);
    EXPECT_TRUE(main->isVisible());
}

TEST_F(NavigatorTest, ModalWindowDeactivatesItsOpenerUntilItCloses)
{
    QWidget *main = rig.navigator.showFirst(QStringLiteral("frmMain"));
    events.clear();
    rig.navigator.openModal(main, QStringLiteral("frmLogging"));
    EXPECT_EQ(events, (QStringList{"-frmMain", "+frmLogging", "-frmLogging", "+frmMain"}));
}

TEST_F(NavigatorTest, ShownWindowsCarryTheirNamesForOutsideTools)
{
    qputenv("VANTA_ACCESSIBLE_IDS", "1");
    QWidget *main = rig.navigator.showFirst(QStringLiteral("frmMain"));
    auto *added = new QWidget(main); // added after the window was built
    added->setObjectName(QStringLiteral("cmdStartSearch"));
    rig.navigator.showMainScreen(main, QStringLiteral("frmStatus"));
    rig.navigator.showMainScreen(rig.navigator.window("frmStatus"), QStringLiteral("frmMain"));
    qunsetenv("VANTA_ACCESSIBLE_IDS");
    EXPECT_EQ(main->accessibleDescription(), QStringLiteral("frmMain"));
    EXPECT_EQ(added->accessibleDescription(), QStringLiteral("cmdStartSearch"));
}

TEST_F(NavigatorTest, ProgramEndWaitsForRunningLoopsAndDeactivates)
{
    int ended = 0;
    QObject::connect(&rig.navigator, &ui::Navigator::programEnded, [&ended] { ++ended; });
    QWidget *main = rig.navigator.showFirst(QStringLiteral("frmMain"));
    bool busy = false;
    {
        const core::ReentryGuard guard(busy, rig.navigator.loops());
        rig.navigator.endProgram();
        EXPECT_TRUE(rig.navigator.isEnding());
        EXPECT_FALSE(main->isVisible());
        processEvents();
        EXPECT_EQ(ended, 0);
    }
    processEvents();
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(events, (QStringList{"+frmMain", "-frmMain"}));

    // Nothing opens once the program ends.
    rig.navigator.showMainScreen(main, QStringLiteral("frmStatus"));
    rig.navigator.endProgram();
    processEvents();
    EXPECT_EQ(rig.navigator.window(QStringLiteral("frmStatus")), nullptr);
    EXPECT_EQ(ended, 1);
}

// The Terminal command: which sessions stop, and whether the terminal is reached.
struct TerminalCase
{
    const char *name;
    bool loggingActive;
    qint16 stateBefore; // of the first instrument's session
    core::MsgResult answer;
    bool asks;
    qint16 stateAfter;
    bool reachesTerminal;
};

const TerminalCase TerminalCases[] = {
    {"no session running", false, 2, core::MsgResult::Yes, false, 2, true},
    {"running, answered No", true, 1, core::MsgResult::No, true, 1, false},
    {"running, answered Yes", true, 1, core::MsgResult::Yes, true, 2, true},
};

TEST_F(NavigatorTest, TerminalCommandAsksBeforeStoppingSessions)
{
    for (const TerminalCase &c : TerminalCases) {
        SCOPED_TRACE(c.name);
        UiRig terminal;
        // The program's wiring stops the sessions; the tick is counted instead of run.
        const app::ProgramWindows windows(terminal.navigator);
        int ticks = 0;
        terminal.navigator.setLoggingTick([&ticks] { ++ticks; });
        // The terminal itself is counted instead of shown, so that the test does not wait on it.
        int terminalOpenings = 0;
        terminal.navigator.registerModal(
            QStringLiteral("frmTerminal"),
            [&terminalOpenings](const ui::WindowContext &) {
                ++terminalOpenings;
                return std::unique_ptr<QDialog>();
            },
            ui::Navigator::ModalLifetime::Kept);
        terminal.app.Config.Instruments.resize(3);
        terminal.app.Config.Instruments[0].LogState = c.stateBefore;
        terminal.app.Config.Instruments[1].LogState = 3;
        terminal.app.setLoggingActive(c.loggingActive);
        terminal.user.answers.push_back(c.answer);

        terminal.navigator.showTerminal(nullptr);

        const QStringList titles = terminal.user.titles();
        EXPECT_EQ(titles.contains(QStringLiteral("Display Terminal?")), c.asks);
        if (c.asks) {
            const RecordedBox &box = terminal.user.boxes.front();
            EXPECT_EQ(box.buttons, core::MsgButtons::YesNo);
            EXPECT_EQ(box.icon, core::MsgIcon::Question);
            EXPECT_EQ(box.defaultButton, core::MsgResult::No);
            EXPECT_TRUE(box.text.startsWith(
                QStringLiteral("Warning: logging session(s) are currently in progress")));
        }
        EXPECT_EQ(terminal.app.Config.Instruments[0].LogState, c.stateAfter);
        EXPECT_EQ(terminal.app.Config.Instruments[1].LogState, 3);
        EXPECT_EQ(ticks, c.reachesTerminal ? 1 : 0);
        EXPECT_EQ(terminalOpenings, c.reachesTerminal ? 1 : 0);
    }
}

TEST_F(NavigatorTest, LoggingTickIsNotReenteredFromItsOwnMessageBox)
{
    int ticks = 0;
    rig.navigator.setLoggingTick([this, &ticks] {
        ++ticks;
        rig.navigator.runLoggingTick(); // as if the timer fired while its box is open
    });
    rig.navigator.runLoggingTick();
    EXPECT_EQ(ticks, 1);
}

} // namespace
} // namespace vanta::test
