// The configuration window's Verify and compare commands offscreen: a good send verifies as a
// match, a change made at the instrument afterwards is listed, and a saved file compares equal.
#include "config/compare_result_widget.h"
#include "config/frmConfig.h"
#include "transfer_rig.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

namespace vanta::test {
namespace {

class CompareWindowRig
{
public:
    CompareWindowRig()
    {
        navigator.registerMainScreen(QStringLiteral("frmConfig"), [](const ui::WindowContext &c) {
            return std::make_unique<config::frmConfig>(c);
        });
        navigator.registerMainScreen(QStringLiteral("frmMain"), [](const auto &) {
            auto window = std::make_unique<QWidget>();
            window->setObjectName(QStringLiteral("frmMain"));
            return window;
        });
        QWidget *main = navigator.showFirst(QStringLiteral("frmMain"));
        navigator.showMainScreen(main, QStringLiteral("frmConfig"));
        window = navigator.window(QStringLiteral("frmConfig"));
    }

    QPushButton *button(const char *name) const
    {
        return window->findChild<QPushButton *>(QString::fromLatin1(name));
    }
    void click(const char *name) const { button(name)->click(); }
    void trigger(const char *name) const
    {
        window->findChild<QAction *>(QString::fromLatin1(name))->trigger();
    }
    const RecordedBox &lastBox() const { return instrument.user.boxes.back(); }

    TransferRig instrument{1, "QT"}; // the first group-1 model, as the window opens
    ui::Navigator navigator{instrument.app, instrument.link};
    QWidget *window = nullptr;
};

TEST(FrmConfigCompare, VerifiesASendAndListsWhatChangedSince)
{
    CompareWindowRig rig;
    ASSERT_NE(rig.button("cmdVerify"), nullptr);
    EXPECT_FALSE(rig.button("cmdVerify")->isEnabled());
    rig.instrument.set(4132, 40);
    rig.click("cmdReadControl");
    rig.click("cmdSaveControl");
    ASSERT_TRUE(rig.button("cmdVerify")->isEnabled());

    rig.click("cmdVerify");
    EXPECT_EQ(rig.lastBox().title, "Verify");
    EXPECT_EQ(rig.lastBox().text, "The screen and the instrument at address 001 hold the same "
                                  "configuration.");

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("qt.csv"));
    rig.instrument.user.saveResults.push_back(path);
    rig.click("cmdSaveFile");
    rig.instrument.user.openResults.push_back(path);
    rig.trigger("mnuFileCompareFile");
    EXPECT_EQ(rig.lastBox().text,
              "The screen and the file " + path + " hold the same configuration.");

    // A file that does not load is reported by the load alone.
    std::size_t boxes = rig.instrument.user.boxes.size();
    rig.instrument.user.openResults.push_back(dir.filePath(QStringLiteral("missing.csv")));
    rig.trigger("mnuFileCompareFile");
    EXPECT_EQ(rig.instrument.user.boxes.size(), boxes + 1);
    EXPECT_EQ(rig.lastBox().title, "Application Error");

    boxes = rig.instrument.user.boxes.size();
    rig.instrument.set(4132, 55); // at the instrument's front panel
    rig.trigger("mnuFileCompareInstrument");
    EXPECT_EQ(rig.instrument.user.boxes.size(), boxes);
    auto *dialog = rig.window->findChild<config::CompareResultDialog *>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), "Compare with Instrument");
    EXPECT_EQ(dialog->findChild<QLabel *>("lblDifferences")->text(),
              "1 difference between the screen and the instrument at address 001:");
    const auto *grid = dialog->findChild<QTableWidget *>("grdDifferences");
    ASSERT_EQ(grid->rowCount(), 1);
    const char *expected[] = {"1024H", "Alarm 1 Low Limit (AL1L)", "4.0", "5.5"};
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(grid->item(0, column)->text(), expected[column]);
    EXPECT_EQ(grid->horizontalHeaderItem(3)->text(), "Instrument 001");
}

} // namespace
} // namespace vanta::test
