// The main window: title file, version, picture, indicators, demo mode and the logging timer.
#include "ui/colours.h"
#include "ui/frmMain.h"
#include "ui_fixture.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace vanta::test {
namespace {

QColor fillOf(const QWidget *shape)
{
    return shape->palette().color(QPalette::Window);
}

void writePicture(const TempProgramFolder &folder, const QString &name, int width)
{
    QImage image(width, 40, QImage::Format_RGB32);
    image.fill(Qt::blue);
    image.save(folder.filePath(name), "BMP");
}

class FrmMainTest : public ::testing::Test
{
protected:
    std::unique_ptr<ui::frmMain> load(ui::ProgramVersion version = {3, 0, 0})
    {
        return std::make_unique<ui::frmMain>(rig.navigator.context(), version);
    }
    template <typename T>
    T *control(QWidget &window, const char *name)
    {
        T *found = window.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    UiRig rig;
};

TEST_F(FrmMainTest, TitleAndPictureComeFromTheVariantsFiles)
{
    rig.folder.writeRaw(QStringLiteral("Apptitle.txt"), "Plain Title\r\nsecond line\r\n");
    rig.folder.writeRaw(QStringLiteral("Apptitle-1.txt"), "Product Title\r\n");
    writePicture(rig.folder, QStringLiteral("Company.bmp"), 100);
    writePicture(rig.folder, QStringLiteral("Company-1.bmp"), 600); // 9000 twips

    auto plain = load();
    EXPECT_EQ(plain->windowTitle(), QStringLiteral("Plain Title"));
    EXPECT_EQ(control<QLabel>(*plain, "lblTitle")->text(), QStringLiteral("Plain Title"));
    EXPECT_EQ(control<QLabel>(*plain, "imgCompany")->x(), 270);

    rig.app.ProductMode = true;
    auto product = load();
    EXPECT_EQ(product->windowTitle(), QStringLiteral("Product Title"));
    // 9000 twips wide in a 9600-twip window: left at 300 twips.
    EXPECT_EQ(control<QLabel>(*product, "imgCompany")->x(), 20);
}

TEST_F(FrmMainTest, MissingFilesLeaveCaptionsEmptyAndTheWindowWorking)
{
    auto window = load();
    EXPECT_TRUE(window->windowTitle().isEmpty());
    EXPECT_TRUE(control<QLabel>(*window, "lblTitle")->text().isEmpty());
    EXPECT_TRUE(control<QLabel>(*window, "lblErrorMessageText")->text().isEmpty());
    control<QPushButton>(*window, "cmdDemoMode")->click();
    EXPECT_TRUE(rig.app.DemoMode());
}

TEST_F(FrmMainTest, VersionLabelAndBetaMark)
{
    struct Case
    {
        ui::ProgramVersion version;
        const char *label;
        bool beta;
    };
    const Case cases[] = {
        {{2, 1, 0}, "VERSION  2.01.00", false},
        {{3, 12, 7}, "VERSION  3.12.07", false},
        {{0, 9, 1}, "VERSION  0.09.01", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        auto window = load(c.version);
        window->show();
        EXPECT_EQ(control<QLabel>(*window, "lblVersion")->text(), QString::fromLatin1(c.label));
        EXPECT_EQ(control<QLabel>(*window, "lblBeta")->isVisible(), c.beta);
    }
}

TEST_F(FrmMainTest, DemoModeToggleShowsAndHidesTheMark)
{
    auto window = load();
    window->show();
    auto *button = control<QPushButton>(*window, "cmdDemoMode");
    auto *mark = control<QLabel>(*window, "lblDemoMode");
    EXPECT_EQ(button->text(), QStringLiteral("Toggle Demo Mode"));
    EXPECT_FALSE(mark->isVisible());
    button->click();
    EXPECT_TRUE(rig.app.DemoMode());
    EXPECT_TRUE(mark->isVisible());
    button->click();
    EXPECT_FALSE(rig.app.DemoMode());
    EXPECT_FALSE(mark->isVisible());
}

TEST_F(FrmMainTest, IndicatorsErrorLineAndLoggingTimerFollowTheState)
{
    auto window = load();
    auto *comms = control<QFrame>(*window, "shpComms");
    auto *logging = control<QFrame>(*window, "shpLogging");
    auto *timer = control<QTimer>(*window, "tmrLogging");
    EXPECT_EQ(fillOf(comms), ui::buttonFace());
    EXPECT_FALSE(timer->isActive());

    rig.app.setCommEnabled(true);
    EXPECT_EQ(fillOf(comms), ui::Colours::Green);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 50);

    rig.app.setLoggingActive(true);
    EXPECT_EQ(fillOf(logging), ui::Colours::Green);
    rig.app.setLoggingActive(false);
    EXPECT_EQ(fillOf(logging), ui::buttonFace());

    rig.app.setErrorLine(QStringLiteral("03/15/2009 10:00:00 - Address 001:No response"));
    EXPECT_EQ(control<QLabel>(*window, "lblErrorMessageText")->text(),
              QStringLiteral("03/15/2009 10:00:00 - Address 001:No response"));

    int ticks = 0;
    rig.navigator.setLoggingTick([&ticks] { ++ticks; });
    window->tmrLogging_Timer();
    EXPECT_EQ(ticks, 1);
    rig.app.setCommEnabled(false);
    EXPECT_FALSE(timer->isActive());
}

TEST_F(FrmMainTest, StatusButtonMovesToTheStatusWindowInPlace)
{
    QStringList events;
    rig.navigator.registerMainScreen(QStringLiteral("frmMain"), [](const ui::WindowContext &c) {
        return std::make_unique<ui::frmMain>(c);
    });
    rig.navigator.registerMainScreen(
        QStringLiteral("frmStatus"), [&events](const ui::WindowContext &) {
            return std::make_unique<RecordingWindow>(QStringLiteral("frmStatus"), events);
        });
    QWidget *main = rig.navigator.showFirst(QStringLiteral("frmMain"));
    control<QPushButton>(*main, "cmdStatus")->click();
    EXPECT_EQ(events, QStringList{QStringLiteral("+frmStatus")});
    EXPECT_FALSE(main->isVisible());
    control<QPushButton>(*main, "cmdMainMenu")->click(); // already the target: nothing
    EXPECT_EQ(rig.navigator.activeMainScreen(), rig.navigator.window("frmStatus"));
}

} // namespace
} // namespace vanta::test
