// The configuration window offscreen, driven by control name: what a model change shows in each
// group, fixed page indices, Enter as Tab, numbers whatever the locale, and unsaved edits when
// the user leaves the window or ends the program.
#include "config/frmConfig.h"
#include "core/data_files.h"
#include "support/scripted_interaction.h"
#include "support/scripted_line.h"
#include "support/settable_clock.h"
#include "support/temp_program_folder.h"
#include "transfer_rig.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace vanta::test {
namespace {

using core::MsgResult;

// The window as the program shows it: frmMain first, then frmConfig in its place. The other
// main screens are plain windows.
class WindowRig
{
public:
    explicit WindowRig(int group, void (*adjust)(core::AppState &) = nullptr)
    {
        app.Config.ControllerGroup = static_cast<qint16>(group);
        app.Config.ProtocolCode = QStringLiteral("R");
        core::loadDataFiles(app, user);
        if (adjust != nullptr)
            adjust(app);
        user.boxes.clear();
        navigator.registerMainScreen(QStringLiteral("frmConfig"), [](const ui::WindowContext &c) {
            return std::make_unique<config::frmConfig>(c);
        });
        for (const char *name : {"frmMain", "frmFind", "frmGraph"}) {
            navigator.registerMainScreen(QString::fromLatin1(name), [name](const auto &) {
                auto window = std::make_unique<QWidget>();
                window->setObjectName(QString::fromLatin1(name));
                return window;
            });
        }
        QObject::connect(&navigator, &ui::Navigator::programEnded, [this] { ended = true; });
        QWidget *main = navigator.showFirst(QStringLiteral("frmMain"));
        navigator.showMainScreen(main, QStringLiteral("frmConfig"));
        window = static_cast<config::frmConfig *>(navigator.window(QStringLiteral("frmConfig")));
    }

    template <typename Control>
    Control *control(const QString &name) const
    {
        auto *found = window->findChild<Control *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    bool shows(const QString &name) const { return !control<QWidget>(name)->isHidden(); }

    // The user picks the model with this id from the group's model list.
    void chooseModel(int group, const QString &id) const
    {
        auto *list = control<QComboBox>(QStringLiteral("cbxModelID_%1").arg(group));
        for (int i = 0; i < list->count(); ++i) {
            if (list->itemText(i).endsWith(id)) {
                list->setCurrentIndex(i);
                emit list->activated(i);
                return;
            }
        }
        ADD_FAILURE() << "no model " << id.toStdString();
    }
    void choose(const QString &name, int index) const
    {
        auto *list = control<QComboBox>(name);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void type(const QString &name, const QString &text) const
    {
        auto *edit = control<QLineEdit>(name);
        edit->setText(text);
        emit edit->textEdited(text);
    }
    void leave(const QString &name) const { emit control<QLineEdit>(name)->editingFinished(); }

    core::AppState app{QStringLiteral(VANTA_DATA_DIR)};
    SettableClock clock;
    ScriptedLine line{clock};
    ScriptedInteraction user;
    comms::CommLink link{app, line, clock, user};
    ui::Navigator navigator{app, link};
    config::frmConfig *window = nullptr;
    bool ended = false;
};

// Group 2 delivers one model: a second one that lacks the alarm limits gives it a change.
void addLimitlessGroupTwoModel(core::AppState &app)
{
    app.Catalogue.Models[2].push_back({"YW", "YW16", "Test Controller"});
    for (int reg = 18177; reg <= 18225; ++reg)
        app.Catalogue.setModelRegister(reg, 2, reg < 18178 || reg > 18181);
}

TEST(FrmConfig, AModelChangeShowsWhatTheModelHas)
{
    struct Case
    {
        int group;
        const char *from;
        const char *to;
        const char *control;
        bool before;
        bool after;
    };
    const Case cases[] = {
        {0, "HM", "V5", "txtParameter_262", false, true},
        {0, "HM", "V5", "lblParamLabel_262", false, true},
        {0, "HM", "V5", "chkParameter_3500", false, true}, // event output 2 of step 8
        {0, "V5", "HM", "chkParameter_4501", true, false},
        {1, "QT", "XK", "cbxParameter_4130", false, true},
        {1, "QT", "XK", "cbxDecimalPoint_1", false, true},
        {1, "QT", "XK", "lblDecimalPoint_1", false, true},
        {2, "XW", "YW", "txtParameter_18178", true, false},
        {2, "XW", "YW", "txtParameter_18177", true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.to) + " " + c.control);
        WindowRig rig(c.group, addLimitlessGroupTwoModel);
        rig.chooseModel(c.group, QString::fromLatin1(c.from));
        EXPECT_EQ(rig.shows(QString::fromLatin1(c.control)), c.before);
        rig.chooseModel(c.group, QString::fromLatin1(c.to));
        EXPECT_EQ(rig.shows(QString::fromLatin1(c.control)), c.after);
        EXPECT_EQ(rig.control<QLabel>(QStringLiteral("lblModelType_%1").arg(c.group))->text(),
                  rig.window->model().ModelType());
        EXPECT_TRUE(rig.window->model().ChangesPending);
    }
}

TEST(FrmConfig, UnavailablePagesAreDisabledInTheirPlace)
{
    WindowRig rig(1);
    auto *tabs = rig.control<QTabWidget>(QStringLiteral("tabConfig_1"));
    const QStringList titles{"General", "Control", "Ramp/Soaks 0-3", "Ramp/Soaks 4-7",
                             "Communications"};
    const auto enabled = [tabs] {
        QList<bool> pages;
        for (int i = 0; i < tabs->count(); ++i)
            pages << tabs->isTabEnabled(i);
        return pages;
    };
    const auto titled = [tabs] {
        QStringList shown;
        for (int i = 0; i < tabs->count(); ++i)
            shown << tabs->tabText(i);
        return shown;
    };
    EXPECT_EQ(titled(), titles);
    EXPECT_EQ(enabled(), (QList<bool>{true, true, false, false, true})); // QT
    rig.chooseModel(1, QStringLiteral("XK"));
    EXPECT_EQ(enabled(), (QList<bool>{true, true, false, false, false}));
    rig.choose(QStringLiteral("cbxParameter_4101"), 3); // "RAMP/SOAK"
    EXPECT_EQ(enabled(), (QList<bool>{true, true, true, true, false}));
    EXPECT_EQ(titled(), titles);
    EXPECT_FALSE(rig.shows(QStringLiteral("txtParameter_4097"))); // no setpoint in ramp/soak
}

TEST(FrmConfig, ActivationAfterAGroupChangeLoadsThatGroup)
{
    WindowRig rig(0);
    rig.type(QStringLiteral("txtParameter_258"), QStringLiteral("5"));
    EXPECT_EQ(rig.control<QComboBox>(QStringLiteral("cbxAddress"))->currentText(), "32");
    rig.app.Config.ControllerGroup = 2;
    rig.window->activated();
    auto *stack = rig.window->findChild<QStackedWidget *>();
    ASSERT_NE(stack, nullptr);
    EXPECT_EQ(stack->currentWidget()->objectName(), QStringLiteral("fraGroup_2"));
    EXPECT_EQ(rig.control<QComboBox>(QStringLiteral("cbxAddress"))->currentText(), "001");
    EXPECT_EQ(rig.control<QComboBox>(QStringLiteral("cbxInputType_2"))->currentIndex(), 14);
    EXPECT_EQ(rig.window->model().group(), 2);
}

void pressEnter(QWidget *widget)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(widget, &press);
}

TEST(FrmConfig, EnterMovesThroughThePageAndEntrySelectsTheNumber)
{
    WindowRig rig(2);
    QApplication::setActiveWindow(rig.window);
    rig.type(QStringLiteral("txtParameter_18178"), QStringLiteral("12.5"));
    auto *first = rig.control<QLineEdit>(QStringLiteral("txtParameter_18177"));
    first->setFocus();
    QStringList visited;
    for (int i = 0; i < 10; ++i) {
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        visited << focus->objectName();
        pressEnter(focus);
        QCoreApplication::processEvents(); // the selection follows the focus
        if (visited.size() == 2) {
            EXPECT_EQ(static_cast<QLineEdit *>(focus)->selectedText(), QStringLiteral("12.5"));
        }
    }
    // The page's fields in page order, across its columns.
    EXPECT_EQ(visited,
              (QStringList{"txtParameter_18177", "txtParameter_18178", "txtParameter_18179",
                           "txtParameter_18180", "txtParameter_18181", "txtParameter_18182",
                           "txtParameter_18183", "txtParameter_18196", "cbxParameter_18197",
                           "cbxParameter_18198"}));
}

TEST(FrmConfig, NumbersShowThousandsAndReadBackWhateverTheLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    WindowRig rig(1);
    const QString setpoint = QStringLiteral("txtParameter_4097"); // tenths
    rig.type(setpoint, QStringLiteral("12,345.6"));
    EXPECT_EQ(rig.window->model().instrumentValue(4097), 123456.0);
    rig.type(setpoint, QStringLiteral("1234.5"));
    rig.leave(setpoint);
    EXPECT_EQ(rig.control<QLineEdit>(setpoint)->text(), QStringLiteral("1,234.5"));
    EXPECT_EQ(rig.window->model().fileValueText(4097), QStringLiteral("1234.5"));
    rig.type(setpoint, QStringLiteral("12x"));
    rig.leave(setpoint);
    EXPECT_EQ(rig.control<QLineEdit>(setpoint)->text(), QStringLiteral("12x")); // left as typed
    EXPECT_EQ(rig.window->model().instrumentValue(4097), std::nullopt);
    QLocale::setDefault(before);
}

// Leaving the window by a button, and opening a file, with unsaved edits.
TEST(FrmConfig, AsksBeforeLeavingExceptForTheGraph)
{
    struct Case
    {
        const char *button;
        MsgResult answer;
        bool asks;
        const char *inFront; // the main screen in front afterwards
    };
    const Case cases[] = {
        {"cmdFind", MsgResult::Cancel, true, "frmConfig"},
        {"cmdFind", MsgResult::No, true, "frmFind"},
        {"cmdMainMenu", MsgResult::Cancel, true, "frmConfig"},
        {"cmdGraph", MsgResult::Cancel, false, "frmGraph"},
        {"cmdStatus", MsgResult::Cancel, false, "frmConfig"}, // not built: nothing to leave for
        {"cmdConfigureController", MsgResult::Cancel, false, "frmConfig"},
        {"cmdReadFile", MsgResult::Cancel, true, "frmConfig"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.button);
        WindowRig rig(0);
        rig.type(QStringLiteral("txtParameter_258"), QStringLiteral("100"));
        rig.user.answers.push_back(c.answer);
        rig.control<QPushButton>(QString::fromLatin1(c.button))->click();
        EXPECT_EQ(rig.user.titles().contains(QStringLiteral("Changes Not Saved")), c.asks);
        EXPECT_EQ(rig.navigator.activeMainScreen()->objectName(), QString::fromLatin1(c.inFront));
        EXPECT_TRUE(rig.user.openRequests.empty()); // a cancelled question opens nothing
    }
}

// Ending the program from the configuration window or from another main screen.
TEST(FrmConfig, UnsavedEditsCanKeepTheProgramRunning)
{
    struct Case
    {
        const char *name;
        bool edited;
        const char *closed; // the window the user closes
        MsgResult answer;
        bool saveChosen; // the save dialog's answer
        bool ends;
    };
    const Case cases[] = {
        {"no edits", false, "frmConfig", MsgResult::Cancel, false, true},
        {"cancel", true, "frmConfig", MsgResult::Cancel, false, false},
        {"save, dialog cancelled", true, "frmConfig", MsgResult::Yes, false, false},
        {"save", true, "frmConfig", MsgResult::Yes, true, true},
        {"discard", true, "frmConfig", MsgResult::No, false, true},
        {"cancel from the graph", true, "frmGraph", MsgResult::Cancel, false, false},
        {"discard from the graph", true, "frmGraph", MsgResult::No, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TempProgramFolder folder;
        WindowRig rig(0);
        if (c.edited)
            rig.type(QStringLiteral("txtParameter_258"), QStringLiteral("100"));
        const QString closed = QString::fromLatin1(c.closed);
        if (closed == "frmGraph")
            rig.control<QPushButton>(QStringLiteral("cmdGraph"))->click(); // asks nothing
        ASSERT_TRUE(rig.user.boxes.empty());
        rig.user.answers.push_back(c.answer);
        rig.user.saveResults.push_back(c.saveChosen ? std::optional(folder.filePath("kept.csv"))
                                                    : std::nullopt);

        QWidget *window = rig.navigator.window(closed);
        window->close();
        QCoreApplication::processEvents();

        EXPECT_EQ(rig.user.titles().contains(QStringLiteral("Changes Not Saved")), c.edited);
        EXPECT_EQ(rig.ended, c.ends);
        EXPECT_EQ(rig.navigator.isEnding(), c.ends);
        EXPECT_EQ(window->isVisible(), !c.ends);
        EXPECT_EQ(QFile::exists(folder.filePath("kept.csv")), c.saveChosen);
    }
}

TEST(FrmConfig, ReadAndSendButtonsRunTheirCommands)
{
    for (const char *button : {"cmdReadControl", "cmdSaveControl"}) {
        SCOPED_TRACE(button);
        WindowRig rig(0);
        rig.app.setDemoMode(true);
        rig.user.answers = {MsgResult::No};
        rig.control<QPushButton>(QString::fromLatin1(button))->click();
        EXPECT_EQ(rig.user.titles(), QStringList{"Switch out of Demo Mode"});
        EXPECT_TRUE(rig.line.requests.empty());
    }
}

// A read through the button fills the fields and the progress bar; an edited field goes back
// to the instrument through the send button.
TEST(FrmConfig, ReadAndSendThroughTheButtonsReachTheInstrument)
{
    TransferRig instrument(0, "V5");
    instrument.set(262, 37);
    WindowRig rig(0);
    rig.chooseModel(0, QStringLiteral("V5"));
    rig.app.Config.PollTimeout = 200;
    rig.line.setPortOpen(true);
    rig.app.setCommEnabled(true);
    rig.line.responder = [&instrument](const QByteArray &request) {
        return instrument.instrument.answer(instrument.address(), request);
    };

    rig.control<QPushButton>(QStringLiteral("cmdReadControl"))->click();
    EXPECT_TRUE(rig.user.boxes.empty()) << rig.user.titles().join('|').toStdString();
    EXPECT_EQ(rig.control<QLineEdit>(QStringLiteral("txtParameter_262"))->text(), "37");
    const auto *progress = rig.control<QProgressBar>(QStringLiteral("prgProgress"));
    EXPECT_GT(progress->maximum(), 100);
    EXPECT_EQ(progress->value(), progress->maximum());

    rig.type(QStringLiteral("txtParameter_262"), QStringLiteral("41"));
    rig.leave(QStringLiteral("txtParameter_262"));
    rig.user.answers = {MsgResult::Yes};
    rig.control<QPushButton>(QStringLiteral("cmdSaveControl"))->click();
    EXPECT_EQ(instrument.lastWrite(262), 41);
    EXPECT_EQ(instrument.lastWrite(805), 1);
    EXPECT_EQ(progress->value(), progress->maximum());
}

} // namespace
} // namespace vanta::test
