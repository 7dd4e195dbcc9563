// Communications setup: the port settings, the reply time-out, the controller group and protocol,
// the log viewer and folder, the device behind the port number, and the list of configured
// instruments. Opened modally from every window's Communications menu; nothing changes until
// "&OK".
#pragma once

#include "discovery/instrument_list.h"
#include "discovery/serial_devices.h"
#include "ui/navigator.h"

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vanta::discovery {

struct CommSettings;

class frmCommSetup : public QDialog
{
    Q_OBJECT

public:
    // `devices` lists the serial devices the port picker offers.
    explicit frmCommSetup(const ui::WindowContext &context,
                          std::shared_ptr<const SerialDeviceSource> devices = systemSerialDevices(),
                          QWidget *parent = nullptr);

    // "&Cancel", Escape and the title bar: asks before discarding changes (not while the program
    // ends).
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using Options = std::array<QRadioButton *, 3>;

    void buildControls();
    QLayout *buildPortSettings();
    QLayout *buildFileSettings();
    QGroupBox *buildInstrumentSetup();
    QGroupBox *newGroupFrame(QWidget *parent, const char *name, const QString &caption,
                             const char *optionName, Options &options);
    QGroupBox *newProtocolFrame(QWidget *parent, const char *name, const QString &caption,
                                const char *optionName, Options &options);
    void connectHandlers();
    void connectChangeMarks();

    void Form_Load();
    void showGroupCaptions();
    void showSettings();
    void fillInstrumentList(int selectedRow);
    void fillDeviceList();
    void fillAddressList(int group);

    void markChanged();
    void txtCommPort_LostFocus();
    void txtPollTimeout_LostFocus();
    void txtName_Change();
    void txtName_LostFocus();
    void optGlobalControllerGroup_Click();
    void optInstControllerGroup_Click();
    void cbxAddress_Click();
    void cbxCommDevice_Click();
    void lstControls_Click();
    void cmdUpdate_Click();
    void cmdRemove_Click();
    void cmdRefreshDevices_Click();
    void cmdDefaultFolder_Click();
    void cmdViewApp_Click();
    void cmdOK_Click();

    // Runs the update; false when the entry was refused (the operator has been told).
    bool runUpdate();
    InstrumentEntry entryFromControls() const;
    // The instrument being edited differs from its line (an update is still to run).
    bool editPending() const;
    CommSettings settingsFromControls() const;
    std::optional<QString> chosenDevice() const;
    void showInstrument(const core::InstrumentRecord &instrument);

    ui::WindowContext m_context;
    std::shared_ptr<const SerialDeviceSource> m_devices;
    InstrumentList m_list;
    QString m_mappedDevice; // the device the shown port number maps to now

    bool SetupChanged = false;
    bool SuppressEvents = false;

    QLineEdit *txtCommPort = nullptr;
    QComboBox *cbxCommDevice = nullptr;
    QPushButton *cmdRefreshDevices = nullptr;
    QComboBox *cbxBaudRate = nullptr;
    QComboBox *cbxParity = nullptr;
    QComboBox *cbxDataLength = nullptr;
    QComboBox *cbxStopBits = nullptr;
    QLineEdit *txtPollTimeout = nullptr;
    Options optGlobalControllerGroup{};
    Options optGlobalProtocol{};
    QLineEdit *txtViewApp = nullptr;
    QPushButton *cmdViewApp = nullptr;
    QLineEdit *txtDefaultFolder = nullptr;
    QPushButton *cmdDefaultFolder = nullptr;
    QComboBox *cbxAddress = nullptr;
    QLineEdit *txtName = nullptr;
    Options optInstControllerGroup{};
    Options OptInstProtocol{};
    QListWidget *lstControls = nullptr;
    QPushButton *cmdUpdate = nullptr;
    QPushButton *cmdRemove = nullptr;
    QLabel *lblInfo = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
};

} // namespace vanta::discovery
