// The logging window offscreen, driven by control name: selection, unit switches, silent limits,
// start, stop and the current-log snapshot.
#include "logging/frmLogging.h"

#include "logging/frmViewLog.h"
#include "logging/logging_sessions.h"
#include "logging_fixture.h"
#include "ui/colours.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace vanta;

namespace {

class LoggingWindow : public ::testing::Test, public test::LoggingFixture
{
protected:
    ui::Navigator navigator{app, link};
    std::shared_ptr<logging::LogSnapshot> snapshot = std::make_shared<logging::LogSnapshot>();
    QStringList viewerCaptions; // what each opened frmViewLog showed: caption, then text
    std::unique_ptr<logging::frmLogging> window;

    LoggingWindow()
    {
        app.setCommEnabled(true);
        addInstrument(QStringLiteral("001"));
        addInstrument(QStringLiteral("002"));
        // The snapshot window records what it shows and closes itself.
        navigator.registerModal(QStringLiteral("frmViewLog"), [this](const ui::WindowContext &) {
            auto viewer = std::make_unique<logging::frmViewLog>(*snapshot);
            QTimer::singleShot(0, viewer.get(), [this, dialog = viewer.get()] {
                viewerCaptions << dialog->windowTitle()
                               << dialog->findChild<QPlainTextEdit *>("txtLog")->toPlainText();
                dialog->accept();
            });
            return viewer;
        });
    }

    void open()
    {
        window = std::make_unique<logging::frmLogging>(
            navigator.context(), snapshot,
            [](const QString &, const QStringList &) { return true; });
    }

    template <typename T>
    T *control(const char *name)
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString caption(const char *name) { return control<QLabel>(name)->text(); }
    bool enabled(const char *name) { return control<QWidget>(name)->isEnabled(); }
    void select(int row) { control<QListWidget>("lstControls")->setCurrentRow(row); }
    void click(const char *name) { control<QAbstractButton>(name)->click(); }

    // Types into a field and leaves it, as Tab does.
    void enter(const char *name, const QString &text)
    {
        auto *field = control<QLineEdit>(name);
        field->setText(text);
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(field, &leave);
    }
    QString text(const char *name) { return control<QLineEdit>(name)->text(); }
};

} // namespace

TEST_F(LoggingWindow, LoadsWithNothingSelectedAndEditable)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Process Variable Logging"));
    auto *list = control<QListWidget>("lstControls");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("001     Oven 001"));
    for (const char *name : {"txtDuration", "txtRate", "optHoursMins_0", "optMinSec_1", "cmdStart",
                             "cmdStop", "cmdView"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(enabled(name));
    }
    EXPECT_TRUE(enabled("cmdViewHist"));

    select(1);
    EXPECT_EQ(caption("lblAddressText"), QStringLiteral("002"));
    EXPECT_EQ(control<QLabel>("lblNameText")->toolTip(), QStringLiteral("Oven 002"));
    EXPECT_EQ(text("txtDuration"), QStringLiteral("1"));
    EXPECT_EQ(caption("lblHoursMins"), QStringLiteral("min"));
    EXPECT_EQ(text("txtRate"), QStringLiteral("1.0"));
    EXPECT_EQ(caption("lblMinSec"), QStringLiteral("sec/log"));
    EXPECT_TRUE(enabled("cmdStart"));
    EXPECT_FALSE(enabled("cmdStop"));
    EXPECT_FALSE(enabled("cmdView"));

    // Without an open port nothing can start, though settings can be edited.
    app.setCommEnabled(false);
    open();
    select(0);
    EXPECT_FALSE(enabled("cmdStart"));
    EXPECT_TRUE(enabled("txtRate"));
}

TEST_F(LoggingWindow, TakingTheFocusSelectsNothingAClickOrKeyDoes)
{
    open();
    window->show();
    QApplication::setActiveWindow(window.get());
    auto *list = control<QListWidget>("lstControls");
    ASSERT_TRUE(list->hasFocus()); // the first control of the window
    EXPECT_EQ(list->currentRow(), -1);
    for (const char *name : {"lblAddressText", "lblNameText", "lblStatusText"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(caption(name).isEmpty());
    }
    EXPECT_TRUE(text("txtRate").isEmpty());
    for (const char *name : {"txtDuration", "optMinSec_0", "cmdStart", "cmdView"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(enabled(name));
    }

    QTest::keyClick(list, Qt::Key_Down); // from no row: the first
    EXPECT_EQ(caption("lblAddressText"), QStringLiteral("001"));
    EXPECT_TRUE(enabled("txtDuration"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(caption("lblAddressText"), QStringLiteral("002"));
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(caption("lblAddressText"), QStringLiteral("001"));
}

TEST_F(LoggingWindow, UnitSwitchesAndSilentLimitsAreStored)
{
    open();
    select(0);
    click("optMinSec_0");
    EXPECT_EQ(caption("lblMinSec"), QStringLiteral("min/log"));
    enter("txtRate", QStringLiteral("2.5"));
    EXPECT_EQ(text("txtRate"), QStringLiteral("2.50"));
    EXPECT_FLOAT_EQ(app.Config.Instruments[0].LogRate, 150);
    click("optMinSec_1");
    EXPECT_EQ(text("txtRate"), QStringLiteral("150.0"));

    click("optHoursMins_0");
    enter("txtDuration", QStringLiteral("0.001"));
    EXPECT_EQ(text("txtDuration"), QStringLiteral("0.01"));
    EXPECT_EQ(app.Config.Instruments[0].LogDuration, 0);
    EXPECT_EQ(app.Config.Instruments[0].LogDurationUnit, 0);
    EXPECT_TRUE(ui.boxes.empty()); // limits are silent

    // Each change was saved to the settings file.
    const QStringList saved = fileLines(app.programFile(app.configFileName()));
    ASSERT_GE(saved.size(), 20);
    EXPECT_EQ(saved[16].trimmed(), QStringLiteral("0"));   // LogDurationUnit of the first record
    EXPECT_EQ(saved[19].trimmed(), QStringLiteral("150")); // its LogRate

    // Selecting the other instrument and back shows the stored values again.
    select(1);
    select(0);
    EXPECT_EQ(text("txtDuration"), QStringLiteral("0.00"));
    EXPECT_EQ(text("txtRate"), QStringLiteral("150.0"));
    EXPECT_EQ(app.Config.Instruments[0].LogDuration, 0);
}

TEST_F(LoggingWindow, StartViewAndStopASession)
{
    open();
    select(0);
    const QString file = folder.filePath(QStringLiteral("001_20090315.csv"));
    ui.saveResults.push_back(file);
    click("cmdStart");
    EXPECT_EQ(caption("lblStatusText"), QStringLiteral("STARTED"));
    EXPECT_EQ(control<QLabel>("lblStatusText")->palette().color(QPalette::Window),
              ui::Colours::Green);
    EXPECT_EQ(caption("lblStartTimeText"),
              QStringLiteral("Logging started 03/15/2009 10:00:00 AM"));
    EXPECT_FALSE(enabled("cmdStart"));
    EXPECT_FALSE(enabled("txtRate"));
    EXPECT_TRUE(enabled("cmdStop"));
    EXPECT_TRUE(enabled("cmdView"));

    logging::LoggingEngine engine(link, [](const core::InstrumentRecord &) {
        return logging::ProcessReading{42.0f, 0, {}};
    });
    engine.tmrLogging_Timer();
    click("cmdView");
    ASSERT_EQ(viewerCaptions.size(), 2);
    EXPECT_EQ(viewerCaptions[0], QStringLiteral("View Current Log (Snapshot) - ") + file);
    EXPECT_EQ(viewerCaptions[1], QStringLiteral("03/15/2009 10:00:00 AM,42"));

    ui.answers = {core::MsgResult::No};
    click("cmdStop");
    EXPECT_EQ(caption("lblStatusText"), QStringLiteral("STARTED"));
    ui.answers = {core::MsgResult::Yes};
    click("cmdStop");
    EXPECT_EQ(caption("lblStatusText"), QStringLiteral("STOPPED"));
    EXPECT_EQ(control<QLabel>("lblStatusText")->palette().color(QPalette::Window),
              ui::Colours::Red);
    EXPECT_TRUE(caption("lblStartTimeText").isEmpty());
    EXPECT_TRUE(enabled("cmdStart"));
    EXPECT_TRUE(enabled("cmdView"));

    // A log deleted outside the program: "View Current" does nothing.
    QFile::remove(file);
    click("cmdView");
    EXPECT_EQ(viewerCaptions.size(), 2);
    EXPECT_EQ(ui.titles(), (QStringList{"Stop Logging?", "Stop Logging?"}));
}
