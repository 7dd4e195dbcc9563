// Communications setup offscreen, driven by control name with a scripted user: loading,
// cancelling, the logging question, the "&OK" order, editing the list and the port picker.
#include "discovery/frmCommSetup.h"

#include "comm_setup_fixture.h"
#include "core/system_config_file.h"
#include "support/window_controls.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace vanta;

namespace {

class FakeDevices : public discovery::SerialDeviceSource
{
public:
    std::vector<discovery::SerialDevice> list;
    std::vector<discovery::SerialDevice> devices() const override { return list; }
};

class CommSetupWindow : public ::testing::Test, public test::CommSetupFixture
{
protected:
    ui::Navigator navigator{app, link};
    std::shared_ptr<FakeDevices> devices = std::make_shared<FakeDevices>();
    std::unique_ptr<discovery::frmCommSetup> window;

    void open()
    {
        window = std::make_unique<discovery::frmCommSetup>(navigator.context(), devices);
        window->show();
    }

    template <typename T>
    T *control(const char *name)
    {
        return test::findControl<T>(*window, name);
    }
    bool enabled(const char *name) { return control<QWidget>(name)->isEnabled(); }
    bool checked(const char *name) { return control<QRadioButton>(name)->isChecked(); }
    void click(const char *name) { control<QAbstractButton>(name)->click(); }
    QString text(const char *name) { return control<QLineEdit>(name)->text(); }
    QStringList listLines()
    {
        QStringList lines;
        auto *list = control<QListWidget>("lstControls");
        for (int row = 0; row < list->count(); ++row)
            lines << list->item(row)->text();
        return lines;
    }
    // Types into a field and leaves it, as Tab does.
    void enter(const char *name, const QString &value)
    {
        auto *field = control<QLineEdit>(name);
        field->setText(value);
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(field, &leave);
    }
    // Chooses an entry of a combo box as a click in its list does.
    void pick(const char *name, const QString &entry)
    {
        auto *combo = control<QComboBox>(name);
        const int index = combo->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void pick(const char *name, int index)
    {
        auto *combo = control<QComboBox>(name);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
};

TEST_F(CommSetupWindow, LoadsTheSettingsAndTheListWithNothingChosen)
{
    app.Config.BaudRate = 115200; // not offered, but kept
    open();
    EXPECT_EQ(window->windowTitle(), "Communications Setup");
    EXPECT_EQ(text("txtCommPort"), "1");
    EXPECT_EQ(control<QComboBox>("cbxBaudRate")->currentText(), "115200");
    EXPECT_EQ(control<QComboBox>("cbxParity")->currentText(), "None");
    EXPECT_EQ(control<QComboBox>("cbxDataLength")->currentText(), "8");
    EXPECT_EQ(text("txtPollTimeout"), "500");
    EXPECT_EQ(text("txtViewApp"), "/usr/bin/viewer");
    EXPECT_TRUE(checked("optGlobalControllerGroup_0"));
    EXPECT_TRUE(checked("optGlobalProtocol_0"));
    EXPECT_FALSE(enabled("optGlobalProtocol_2"));
    EXPECT_EQ(control<QRadioButton>("optGlobalControllerGroup_0")->text(),
              "Communicate with models AL16"); // the ramp/soak entry left out
    EXPECT_EQ(control<QRadioButton>("optInstControllerGroup_1")->text(), "BE48");
    EXPECT_EQ(listLines(), (QStringList{"32    L0 Furnace               00008 00001 0 1",
                                        "001   R1 Extruder              00008 00003 0 1"}));
    EXPECT_EQ(control<QListWidget>("lstControls")->currentRow(), -1);
    EXPECT_EQ(control<QComboBox>("cbxAddress")->currentIndex(), -1);
    EXPECT_EQ(control<QComboBox>("cbxAddress")->itemText(0), "01"); // group 0: hexadecimal
    EXPECT_FALSE(enabled("cmdUpdate"));
    EXPECT_FALSE(enabled("cmdRemove"));
}

TEST_F(CommSetupWindow, CancelAsksOnlyAfterAChange)
{
    open();
    click("cmdCancel");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(ui.boxes.empty());

    open();
    pick("cbxBaudRate", QStringLiteral("19200"));
    click("cmdCancel"); // answered with the default, No
    ASSERT_EQ(ui.titles(), QStringList{"Cancel Changes?"});
    EXPECT_EQ(ui.boxes[0].defaultButton, core::MsgResult::No);
    EXPECT_EQ(ui.boxes[0].text, "Are sure you wish to cancel your Communications Setup changes?");
    EXPECT_TRUE(window->isVisible());
    ui.answers.push_back(core::MsgResult::Yes);
    window->close(); // the title bar asks the same
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(app.Config.BaudRate, 9600.0F);
    EXPECT_FALSE(QFile::exists(folder.filePath(app.configFileName())));
}

TEST_F(CommSetupWindow, LoggingQuestionAnsweredNoChangesNothing)
{
    app.setLoggingActive(true);
    open();
    enter("txtCommPort", QStringLiteral("2"));
    const int opens = line.opens;
    click("cmdOK");
    ASSERT_EQ(ui.titles(), QStringList{"Change System Configuration?"});
    EXPECT_EQ(ui.boxes[0].defaultButton, core::MsgResult::No);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(app.Config.CommPort, 1);
    EXPECT_EQ(app.Config.Instruments[0].LogState, core::LogStates::Finished);
    EXPECT_EQ(line.opens, opens);
    EXPECT_FALSE(QFile::exists(folder.filePath(app.configFileName())));
}

TEST_F(CommSetupWindow, OkCopiesReloadsSavesThenReopensThePort)
{
    QStringList savedAtReopen;
    QObject::connect(&app, &core::AppState::commEnabledChanged,
                     [&] { savedAtReopen = fileLines(app.configFileName()); });
    int listChanges = 0;
    int settingChanges = 0;
    QObject::connect(&app, &core::AppState::instrumentListChanged, [&] { ++listChanges; });
    QObject::connect(&app, &core::AppState::portSettingsChanged, [&] { ++settingChanges; });
    app.setCommEnabled(false);
    open();
    enter("txtCommPort", QStringLiteral("25"));
    EXPECT_EQ(text("txtCommPort"), "16");
    enter("txtCommPort", QStringLiteral("3"));
    enter("txtPollTimeout", QStringLiteral("99999"));
    EXPECT_EQ(text("txtPollTimeout"), "32767");
    pick("cbxBaudRate", QStringLiteral("19200"));
    pick("cbxParity", QStringLiteral("Even"));
    click("optGlobalControllerGroup_1");
    EXPECT_TRUE(checked("optGlobalProtocol_1")); // Vanta Link is not spoken by group 1
    // Looking at an instrument without changing it is no update.
    control<QListWidget>("lstControls")->setCurrentRow(0);
    click("cmdOK");

    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_FALSE(window->isVisible());
    const core::SystemConfig &config = app.Config;
    EXPECT_EQ(config.CommPort, 3);
    EXPECT_EQ(config.PollTimeout, 32767);
    EXPECT_EQ(config.ControllerGroup, 1);
    EXPECT_EQ(config.ProtocolCode, "R");
    EXPECT_TRUE(app.Catalogue.ModelRegisters(0x1F, 1)); // the register file of group 1's model
    EXPECT_EQ(line.port, 3);
    EXPECT_EQ(line.settings, "19200,E,8,1");
    EXPECT_TRUE(app.CommEnabled());
    // The file was complete before the port reopened.
    ASSERT_GE(savedAtReopen.size(), 12);
    EXPECT_EQ(savedAtReopen.mid(0, 3), (QStringList{" 3", " 19200", "Even"}));
    EXPECT_EQ(listChanges, 1);
    EXPECT_EQ(settingChanges, 1);

    // Every instrument keeps its logging values; the working state starts afresh.
    ASSERT_EQ(config.InstCount(), 2);
    EXPECT_EQ(config.Instruments[0].LogRate, 0.5F);
    EXPECT_EQ(config.Instruments[1].LogRate, 2.5F);
    EXPECT_EQ(config.Instruments[0].LogDurationUnit, 0);
    EXPECT_EQ(config.Instruments[0].LogState, core::LogStates::Never);
    core::AppState reread(folder.path());
    core::ReadSystemConfig(reread, ui);
    ASSERT_EQ(reread.Config.InstCount(), 2);
    EXPECT_EQ(reread.Config.Instruments[0].LogRate, 0.5F);
    EXPECT_EQ(reread.Config.Instruments[1].LogRate, 2.5F);
}

TEST_F(CommSetupWindow, OkSavesAndWarnsWhenThePortDoesNotOpen)
{
    struct Case
    {
        int error;
        const char *cause;
    };
    const Case cases[] = {
        {8002, ", either does not exist or is in use."},
        {70, ", cannot be opened: Scripted open failure"}, // the line says why and what to do
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.error);
        ui.boxes.clear();
        line.openError = c.error;
        open();
        enter("txtPollTimeout", QStringLiteral("250"));
        click("cmdOK");
        ASSERT_EQ(ui.titles(), (QStringList{"InitComm", "Communications Disabled"}));
        EXPECT_TRUE(ui.boxes[0].text.startsWith(
            QStringLiteral("The selected communications port, COM1") + c.cause))
            << ui.boxes[0].text.toStdString();
        EXPECT_EQ(ui.boxes[1].icon, core::MsgIcon::Exclamation);
        EXPECT_EQ(ui.boxes[1].text, "Communications with the instrument(s) will be disabled until "
                                    "valid comm port settings are entered.");
        EXPECT_FALSE(app.CommEnabled());
        EXPECT_EQ(fileLines(app.configFileName()).value(5), " 250");
        EXPECT_FALSE(window->isVisible());
    }
}

TEST_F(CommSetupWindow, EditsTheListAndRefusesWhatCannotBeStored)
{
    open();
    pick("cbxAddress", QStringLiteral("32")); // listed
    EXPECT_EQ(control<QListWidget>("lstControls")->currentRow(), 0);
    EXPECT_EQ(text("txtName"), "Furnace");
    EXPECT_TRUE(enabled("cmdRemove"));

    click("optInstControllerGroup_2"); // Vanta Link becomes Modbus ASCII
    EXPECT_TRUE(checked("OptInstProtocol_2"));
    EXPECT_EQ(control<QComboBox>("cbxAddress")->itemText(0), "001");
    pick("cbxAddress", QStringLiteral("007")); // not listed
    EXPECT_EQ(control<QListWidget>("lstControls")->currentRow(), -1);
    EXPECT_TRUE(text("txtName").isEmpty());
    EXPECT_FALSE(enabled("cmdRemove"));
    EXPECT_TRUE(enabled("cmdUpdate"));
    enter("txtName", QStringLiteral("Dryer, upper"));
    click("cmdUpdate");
    ASSERT_EQ(ui.titles(), QStringList{"Invalid Name"});
    EXPECT_EQ(listLines().size(), 2);
    enter("txtName", QStringLiteral("Dryer upper hopper with a long name"));
    EXPECT_EQ(text("txtName"), "Dryer upper hopper wi");
    click("cmdUpdate");
    ASSERT_EQ(listLines().size(), 3);
    EXPECT_EQ(listLines()[2], "007   A2 Dryer upper hopper wi 00001 00001 1 1");
    EXPECT_TRUE(enabled("cmdRemove"));

    control<QListWidget>("lstControls")->setCurrentRow(0);
    click("cmdRemove");
    EXPECT_EQ(listLines().size(), 2);
    EXPECT_FALSE(enabled("cmdRemove"));
    // Choosing a line shows it; an edit not yet updated is updated by "&OK".
    control<QListWidget>("lstControls")->setCurrentRow(0);
    EXPECT_TRUE(checked("optInstControllerGroup_1"));
    EXPECT_EQ(control<QComboBox>("cbxAddress")->currentText(), "001");
    enter("txtName", QStringLiteral("Extruder 2"));
    click("cmdOK");
    ASSERT_EQ(app.Config.InstCount(), 2);
    EXPECT_EQ(app.Config.Instruments[0].InstName, "Extruder 2");
    EXPECT_EQ(app.Config.Instruments[0].LogRate, 1.0F); // updated: the logging defaults
    EXPECT_EQ(app.Config.Instruments[1].InstAddress, "007");
}

TEST_F(CommSetupWindow, PortPickerMapsTheChosenDeviceBeforeThePortReopens)
{
    folder.writeRaw(
        QStringLiteral("CommPorts.txt"),
        "Ports of this bench\r\n\r\n\r\n\r\nkeep me\r\n1,/dev/vanta-gone\r\n2,/dev/vanta-none\r\n");
    discovery::SerialDevice adapter;
    adapter.portName = QStringLiteral("ttyUSB0");
    adapter.systemLocation = QStringLiteral("/dev/ttyUSB0");
    adapter.description = QStringLiteral("USB Serial");
    adapter.stableLink = QStringLiteral("/dev/serial/by-id/usb-X-if00");
    devices->list = {adapter};
    QStringList mapAtReopen;
    QObject::connect(&app, &core::AppState::commEnabledChanged,
                     [&] { mapAtReopen = fileLines(QStringLiteral("CommPorts.txt")); });
    app.setCommEnabled(false);
    open();
    auto *picker = control<QComboBox>("cbxCommDevice");
    ASSERT_EQ(picker->count(), 2);
    EXPECT_EQ(picker->itemText(0), "/dev/vanta-gone  (not present)");
    EXPECT_EQ(picker->itemText(1), "ttyUSB0  USB Serial  (/dev/serial/by-id/usb-X-if00)");
    enter("txtCommPort", QStringLiteral("2"));
    EXPECT_EQ(picker->itemText(0), "/dev/vanta-none  (not present)");

    pick("cbxCommDevice", 1);
    click("cmdOK");
    const QStringList expected{
        "Ports of this bench",           "", "", "", "keep me", "1,/dev/vanta-gone",
        "2,/dev/serial/by-id/usb-X-if00"};
    EXPECT_EQ(mapAtReopen, expected);
    EXPECT_EQ(fileLines(QStringLiteral("CommPorts.txt")), expected);
    EXPECT_EQ(app.Config.CommPort, 2);
}

TEST_F(CommSetupWindow, FolderAndViewerButtonsUseTheDialogs)
{
    open();
    ui.folderResults.push_back(folder.path());
    click("cmdDefaultFolder");
    ASSERT_EQ(ui.folderRequests.size(), 1u);
    EXPECT_EQ(ui.folderRequests[0].title, "Default Log File Folder");
    EXPECT_EQ(text("txtDefaultFolder"),
              QDir::toNativeSeparators(folder.path()) + QDir::separator());
    ui.openResults.push_back(folder.filePath("view.sh"));
    click("cmdViewApp");
    ASSERT_EQ(ui.openRequests.size(), 1u);
    EXPECT_EQ(ui.openRequests[0].title, "Log File Viewer");
    EXPECT_EQ(ui.openRequests[0].fileName, "viewer");
    EXPECT_TRUE(ui.openRequests[0].fileMustExist);
    EXPECT_EQ(text("txtViewApp"), QDir::toNativeSeparators(folder.filePath("view.sh")));
    // Cancelled dialogs change nothing.
    click("cmdDefaultFolder");
    click("cmdViewApp");
    EXPECT_EQ(text("txtViewApp"), QDir::toNativeSeparators(folder.filePath("view.sh")));
    EXPECT_TRUE(ui.boxes.empty());
}

} // namespace
