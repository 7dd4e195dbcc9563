// The ramp/soak-only edit of the configuration window against vantasim, as the monitor asks for
// it: entered by the request, held on the ramp/soak page, refused with a warning when it does not
// fit, ended by leaving the window, and honoured again while the window is in front.
#include "config/frmConfig.h"
#include "config/ramp_soak_mode.h"
#include "integration/sim_line.h"
#include "support/window_controls.h"
#include "ui/navigator.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace vanta::test {
namespace {

const QByteArray Line = "[instrument oven]\ngroup = 0\nprotocol = L\naddress = 32\nmodel = V5\n"
                        "settings = 9600,N,8,1\nregister 289 = 1234\n";

class RampSoakRig
{
public:
    RampSoakRig() : side(sim.link(), 300)
    {
        side.app.Config.ControllerGroup = 0;
        side.app.Config.ProtocolCode = QStringLiteral("L");
        navigator.registerMainScreen(QStringLiteral("frmMain"), [](const auto &) {
            auto window = std::make_unique<QWidget>();
            window->setObjectName(QStringLiteral("frmMain"));
            return window;
        });
        navigator.registerMainScreen(QStringLiteral("frmConfig"), [](const auto &context) {
            return std::make_unique<config::frmConfig>(context);
        });
        navigator.registerModeless(QStringLiteral("mdiMonitor"), [](const auto &) {
            auto window = std::make_unique<QWidget>();
            window->setObjectName(QStringLiteral("mdiMonitor"));
            return window;
        });
        // A modal window that closes itself once it is open.
        navigator.registerModal(QStringLiteral("frmCommSetup"), [](const auto &) {
            auto dialog = std::make_unique<QDialog>();
            QTimer::singleShot(0, dialog.get(), &QDialog::accept);
            return dialog;
        });
        side.link.trace = [this](const comms::TraceEvent &) { ++frames; };
        main = navigator.showFirst(QStringLiteral("frmMain"));
    }

    bool open() { return sim.ready() && side.open(QStringLiteral("9600,N,8,1")); }
    // The monitor's "Cfg": the request, then the configuration window in place.
    void request(const QString &protocol = QStringLiteral("L"), qint16 group = 0)
    {
        side.app.requestRampSoakConfig(0x32, protocol, group);
        navigator.showMainScreen(navigator.activeMainScreen(), QStringLiteral("frmConfig"));
        window = static_cast<config::frmConfig *>(navigator.window(QStringLiteral("frmConfig")));
    }
    bool inRampSoakMode() const
    {
        return window->windowTitle() == QLatin1String("Configure Instrument - Ramp/Soak Only") &&
               side.app.RSModel;
    }
    QTabWidget &tabs() const { return *findControl<QTabWidget>(*window, "tabConfig_0"); }

    SimulatorProcess sim{Line};
    ApplicationSide side;
    ui::Navigator navigator{side.app, side.link};
    QWidget *main = nullptr;
    config::frmConfig *window = nullptr;
    int frames = 0;
};

TEST(RampSoakMode, IsEnteredByTheRequestHeldOnItsPageAndEndedByLeaving)
{
    RampSoakRig rig;
    ASSERT_TRUE(rig.open());
    rig.request();
    ASSERT_TRUE(rig.inRampSoakMode());
    EXPECT_TRUE(rig.side.ui.boxes.empty()) << rig.side.ui.titles().join('|').toStdString();
    EXPECT_EQ(rig.window->model().ModelId(), "RS");
    EXPECT_EQ(findControl<QComboBox>(*rig.window, "cbxAddress")->currentText(), "32");
    EXPECT_EQ(findControl<QLineEdit>(*rig.window, "txtParameter_289")->text(), "1,234");
    EXPECT_EQ(rig.tabs().currentIndex(), config::RampSoakPage);
    rig.tabs().setCurrentIndex(0);
    EXPECT_EQ(rig.tabs().currentIndex(), config::RampSoakPage);
    EXPECT_TRUE(findControl<QPushButton>(*rig.window, "cmdMainMenu")->isHidden());
    EXPECT_FALSE(findControl<QPushButton>(*rig.window, "cmdMonitor")->isHidden());

    // A modal window opened from here counts as leaving.
    rig.navigator.openModal(rig.window, QStringLiteral("frmCommSetup"));
    EXPECT_FALSE(rig.side.app.RSModel);
    EXPECT_EQ(rig.window->windowTitle(), "Configure Instrument");
    EXPECT_FALSE(findControl<QPushButton>(*rig.window, "cmdMainMenu")->isHidden());
    rig.tabs().setCurrentIndex(0);
    EXPECT_EQ(rig.tabs().currentIndex(), 0);

    // A second request while the window is in front is honoured without a new activation.
    const int before = rig.frames;
    rig.side.app.requestRampSoakConfig(0x32, QStringLiteral("L"), 0);
    EXPECT_TRUE(rig.inRampSoakMode());
    EXPECT_GT(rig.frames, before);

    // Another main screen in its place ends the mode too.
    rig.navigator.showMainScreen(rig.window, QStringLiteral("frmMain"));
    EXPECT_FALSE(rig.side.app.RSModel);
    EXPECT_EQ(rig.window->windowTitle(), "Configure Instrument");
}

struct MismatchCase
{
    const char *protocol; // of the request
    qint16 group;         // of the request
    qint16 currentGroup;
    const char *warning;
};

TEST(RampSoakMode, ARequestThatDoesNotFitWarnsAndReturnsToTheMonitor)
{
    const MismatchCase cases[] = {
        {"R", 0, 0, "Protocol Does Not Match"},
        {"L", 1, 0, "Controller Group Does Not Match"},
        {"L", 1, 1, "No Ramp/Soak Model Type"},
    };
    for (const MismatchCase &c : cases) {
        SCOPED_TRACE(c.warning);
        RampSoakRig rig;
        rig.side.app.Config.ControllerGroup = c.currentGroup;
        rig.request(QString::fromLatin1(c.protocol), c.group);
        EXPECT_EQ(rig.side.ui.titles(), QStringList{c.warning});
        EXPECT_FALSE(rig.side.app.RSModel);
        EXPECT_EQ(rig.window->windowTitle(), "Configure Instrument");
        EXPECT_EQ(rig.navigator.activeModeless(), rig.navigator.window("mdiMonitor"));
        EXPECT_EQ(rig.frames, 0);
    }
}

} // namespace
} // namespace vanta::test
