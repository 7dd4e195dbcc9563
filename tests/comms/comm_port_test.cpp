// Opening the port and the settings text.
#include "comms/comm_port.h"

#include "comm_rig.h"
#include "comms/port_settings.h"
#include "core/app_error.h"

#include <gtest/gtest.h>

namespace vanta::comms {
namespace {

using test::CommRig;

TEST(PortSettings, ParsesTheSettingsText)
{
    struct Case
    {
        const char *text;
        std::optional<PortSettings> settings;
    };
    const Case cases[] = {
        {"9600,N,8,1", PortSettings{9600, Parity::None, 8, 1}},
        {"19200,e,7,2", PortSettings{19200, Parity::Even, 7, 2}},
        {" 4800 , O , 8 , 1 ", PortSettings{4800, Parity::Odd, 8, 1}},
        {"1200,S,8,2", PortSettings{1200, Parity::Space, 8, 2}},
        {"9600,None,8,1", std::nullopt},
        {"9600,N,6,1", std::nullopt},
        {"9600.5,N,8,1", std::nullopt},
        {"9600,N,8", std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parsePortSettings(QString::fromLatin1(c.text)), c.settings);
    }
}

TEST(PortSettings, BuildsTheTextFromTheConfiguration)
{
    core::SystemConfig config;
    config.BaudRate = 9600;
    config.Parity = QStringLiteral("Even");
    config.DataBits = 7;
    config.StopBits = 2;
    EXPECT_EQ(portSettingsText(config), "9600,E,7,2");
}

struct PortRig : CommRig
{
    std::vector<bool> timer;
    std::vector<bool> indicator;

    PortRig()
    {
        line.setPortOpen(false);
        app.setCommEnabled(false);
        app.Config.CommPort = 3;
        // The main window's logging timer and indicator follow this signal.
        QObject::connect(&app, &core::AppState::commEnabledChanged, [this](bool open) {
            timer.push_back(open);
            indicator.push_back(open);
        });
    }
};

TEST(InitComm, OpensThePortAndSwitchesTheIndicatorsOn)
{
    PortRig rig;
    EXPECT_EQ(InitComm(rig.link, QStringLiteral("9600,N,8,1")), 0);
    EXPECT_TRUE(rig.line.portOpen());
    EXPECT_EQ(rig.line.port, 3);
    EXPECT_EQ(rig.line.settings, "9600,N,8,1");
    EXPECT_TRUE(rig.line.rts);
    EXPECT_TRUE(rig.app.CommEnabled());
    EXPECT_EQ(rig.timer, std::vector<bool>{true});
    EXPECT_EQ(rig.indicator, std::vector<bool>{true});
    EXPECT_TRUE(rig.ui.boxes.empty());

    // Applying new settings closes and reopens.
    const int opens = rig.line.opens;
    EXPECT_EQ(InitComm(rig.link, QStringLiteral("19200,E,7,1")), 0);
    EXPECT_EQ(rig.line.opens, opens + 1);
    EXPECT_EQ(rig.line.settings, "19200,E,7,1");
}

TEST(InitComm, SaysSoWhenThePortIsMissingOrBusy)
{
    for (const int number : {8002, 8010, 8006, 68}) {
        SCOPED_TRACE(number);
        PortRig rig;
        rig.app.setCommEnabled(true);
        rig.timer.clear(); // only what InitComm itself switches counts
        rig.indicator.clear();
        rig.line.openError = number;
        EXPECT_EQ(InitComm(rig.link, QStringLiteral("9600,N,8,1")), -1);
        ASSERT_EQ(rig.ui.boxes.size(), 1u);
        const test::RecordedBox &box = rig.ui.boxes.front();
        EXPECT_EQ(box.title, "InitComm");
        EXPECT_EQ(box.icon, core::MsgIcon::Critical);
        EXPECT_EQ(box.text, "The selected communications port, COM3, either does not exist or is "
                            "in use.  All functions that require communications to the "
                            "instruments(s) will be disabled.");
        EXPECT_FALSE(rig.app.CommEnabled());
        EXPECT_EQ(rig.timer, std::vector<bool>{false});
        EXPECT_EQ(rig.indicator, std::vector<bool>{false});
    }
}

TEST(InitComm, ReportsOtherFailuresAsApplicationErrors)
{
    PortRig rig;
    EXPECT_EQ(InitComm(rig.link, QStringLiteral("9600,Q,8,1")), -1);
    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_EQ(rig.ui.boxes.front().title, "Application Error");
    EXPECT_TRUE(rig.ui.boxes.front().text.contains("Error Code 380 - Invalid property value"));
    EXPECT_TRUE(rig.ui.boxes.front().text.contains("Routine - modVanta.InitComm"));
    EXPECT_FALSE(rig.app.CommEnabled());
    EXPECT_FALSE(rig.line.portOpen());
}

} // namespace
} // namespace vanta::comms
