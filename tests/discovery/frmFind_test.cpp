// The search window offscreen: the group and framing rules on its lists, a demo search shown
// by control name, and found instruments added to the instrument list.
#include "discovery/frmFind.h"

#include "comm_setup_fixture.h"
#include "support/window_controls.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace vanta::test {
namespace {

class FrmFindTest : public ::testing::Test
{
protected:
    QString text(const char *combo) { return findControl<QComboBox>(window, combo)->currentText(); }
    void choose(const char *combo, const char *item)
    {
        auto *box = findControl<QComboBox>(window, combo);
        box->setCurrentText(QString::fromLatin1(item));
        emit box->activated(box->currentIndex());
    }
    void click(const char *option) { findControl<QAbstractButton>(window, option)->click(); }

    CommSetupFixture rig;
    ui::Navigator navigator{rig.app, rig.link};
    discovery::frmFind window{navigator.context()};
};

TEST_F(FrmFindTest, GroupChoiceSetsAddressesProtocolsAndFraming)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Find Instruments"));
    EXPECT_EQ(findControl<QRadioButton>(window, "optInstControllerGroup_0")->text(),
              QStringLiteral("AL16 (Factory default: Addr=32, Comm.= 9600,N,8,1)"));
    EXPECT_EQ(text("cbxStartAddress"), QStringLiteral("01"));
    EXPECT_EQ(text("cbxEndAddress"), QStringLiteral("FF"));
    EXPECT_EQ(text("cbxParity"), QStringLiteral("None"));
    EXPECT_EQ(text("cbxDataLength"), QStringLiteral("8"));
    EXPECT_EQ(text("cbxStopBits"), QStringLiteral("1"));
    EXPECT_FALSE(findControl<QRadioButton>(window, "OptInstProtocol_2")->isEnabled());

    click("optInstControllerGroup_2");
    EXPECT_EQ(text("cbxEndAddress"), QStringLiteral("255"));
    EXPECT_TRUE(findControl<QRadioButton>(window, "OptInstProtocol_2")->isChecked());
    choose("cbxParity", "Even");
    choose("cbxDataLength", "8");
    choose("cbxStopBits", "2");
    EXPECT_EQ(text("cbxStopBits"), QStringLiteral("1")); // even parity, 8 data bits: 1 stop bit
}

TEST_F(FrmFindTest, DemoSearchShowsResultsAndAddsNewAddressesToTheList)
{
    rig.app.setDemoMode(true);
    click("optInstControllerGroup_1");
    click("OptInstProtocol_1");
    findControl<QComboBox>(window, "cbxEndAddress")->setCurrentText(QStringLiteral("002"));
    click("cmdStartSearch");

    auto *results = findControl<QListWidget>(window, "lisSearchResults");
    ASSERT_EQ(results->count(), 2);
    EXPECT_TRUE(results->item(0)->text().startsWith(QStringLiteral("Addr:001  ID#:XK")));
    EXPECT_EQ(findControl<QLabel>(window, "lblProgress")->text(),
              QStringLiteral("Search completed. Found 2 instruments."));

    click("cmdAddToList"); // 001 is listed already
    ASSERT_EQ(rig.app.Config.InstCount(), 3);
    EXPECT_EQ(rig.app.Config.Instruments.back().InstAddress, QStringLiteral("002"));
    EXPECT_EQ(rig.app.Config.Instruments.back().InstProtocol, QStringLiteral("R"));
    EXPECT_EQ(rig.ui.titles(), QStringList{"Instrument List"});
    EXPECT_TRUE(rig.fileLines(rig.app.configFileName()).join('\n').contains("002"));

    findControl<QComboBox>(window, "cbxStartAddress")->setCurrentText(QStringLiteral("0"));
    click("cmdStartSearch");
    EXPECT_EQ(rig.ui.titles().last(), QStringLiteral("Invalid Address"));
}

} // namespace
} // namespace vanta::test
