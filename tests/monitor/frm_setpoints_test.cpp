// The setpoint editor's window offscreen: the list, the fields of the chosen instrument with the
// third alarm's captions, an update from a typed field, and closing with changes pending.
#include "monitor/frmSetpoints.h"

#include "status_rig.h"
#include "support/window_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vanta::test {
namespace {

TEST(FrmSetpoints, ShowsTheChosenInstrumentAndUpdatesIt)
{
    StatusRig rig(1);
    core::InstrumentRecord record;
    record.InstAddress = QStringLiteral("005");
    record.InstName = QStringLiteral("Kiln zone with a long name");
    record.InstProtocol = QStringLiteral("R");
    record.InstGroup = 1;
    rig.app.Config.Instruments = {record};
    auto registers = std::make_shared<RegisterMap>(RegisterMap{{0x12, 1},
                                                               {0x102A, 0x0014},
                                                               {0x1001, 750},
                                                               {0x1024, 100},
                                                               {0x1025, 200},
                                                               {0x1026, 300},
                                                               {0x1027, 400},
                                                               {0x1028, 500},
                                                               {0x1029, 600}});
    rig.answerWith(modbusRtuInstrument(5, registers));
    ui::Navigator navigator(rig.app, rig.link);
    monitor::frmSetpoints window(navigator.context());
    window.show();

    auto *list = findControl<QListWidget>(window, "lstControls");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("005     Kiln zone with a"));
    EXPECT_FALSE(findControl<QPushButton>(window, "cmdUpdate")->isEnabled());

    list->setCurrentRow(0);
    EXPECT_EQ(findControl<QLineEdit>(window, "txtSV_5")->text(), QStringLiteral("60.0"));
    EXPECT_EQ(findControl<QLabel>(window, "lblUnits_0")->text(), QStringLiteral(" °C"));
    EXPECT_TRUE(findControl<QLabel>(window, "lblAlm3HiSV")->isVisible());
    EXPECT_EQ(findControl<QLabel>(window, "lblNameText")->toolTip(), record.InstName);

    auto *setpoint = findControl<QLineEdit>(window, "txtSV_0");
    setpoint->selectAll();
    setpoint->insert(QStringLiteral("25.5"));
    findControl<QPushButton>(window, "cmdUpdate")->click();
    EXPECT_EQ(registers->at(0x1001), 255);

    // Edited again and closed: the box answers "No" by default and the window stays.
    setpoint->insert(QStringLiteral("1"));
    window.reject();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(rig.user.titles(), QStringList{"Cancel Changes?"});
}

} // namespace
} // namespace vanta::test
