// The configuration window: the address, the header and page set of the current controller
// group, the file commands and the navigation of a main screen. A view of ConfigModel: the
// model holds every value, the window copies it into its controls and the user's edits back.
#pragma once

#include "config/config_model.h"
#include "config/config_transfer.h"
#include "ui/navigator.h"

#include <QMainWindow>
#include <array>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace vanta::config {

class ConfigGroupView;
class FieldRules;

class frmConfig : public QMainWindow, public ui::Activatable, public ui::LeaveVeto
{
    Q_OBJECT

public:
    explicit frmConfig(const ui::WindowContext &context);

    // Shows lblDemoMode, loads the window afresh when the controller group has changed, and
    // enters the ramp/soak-only edit when the monitor asked for one (RSModel).
    void activated() override;
    // Leaving the window (another main screen, a modal window) ends the ramp/soak-only edit.
    void deactivated() override;
    // Unsaved changes are asked about (AskIfDiscardChanges) before any main screen but the
    // graph window takes this window's place, and before the program ends.
    bool allowLeavingFor(const QString &target) override;
    bool allowProgramEnd() override;

    const ConfigModel &model() const { return m_model; }

    void cmdReadControl_Click();
    void cmdSaveControl_Click();
    void cmdReadFile_Click();
    void cmdSaveFile_Click();
    // Verify (after a completed send) and "Compare with Instrument...": the instrument read back
    // and compared with the screen; "Compare with File...": a parameter file compared with it.
    void cmdVerify_Click();
    void mnuFileCompareInstrument_Click();
    void mnuFileCompareFile_Click();
    // The command line's unattended send (see AutoSendParameterFile); returns the program's exit
    // status. The caller ends the program.
    int autoSend(const QString &commandLine);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void buildControls();
    QWidget *buildCommands(QWidget *parent);
    void addFileCommands();
    ConfigGroupView &groupView(); // the current group's, built on first use
    void showModel();
    void showDemoMode();
    void handleEdit(const char *routine, const std::function<void(FieldRules &)> &rule);
    config::TransferHooks transferHooks();
    void compareWithInstrument(const QString &title, const char *routine);
    void enterRampSoakMode();
    void showNormalMode();
    void showRampSoakLook(bool rampSoak);

    core::AppState &m_app;
    core::Interaction &m_ui;
    comms::CommLink &m_link;
    ui::Navigator &m_navigator;
    ConfigModel m_model;
    std::array<ConfigGroupView *, core::ControllerGroupCount> m_groupViews{};

    QComboBox *cbxAddress = nullptr;
    QLabel *lblDemoMode = nullptr;
    QLabel *lblProgress = nullptr;
    QProgressBar *prgProgress = nullptr; // parameters done out of the model's total
    QLabel *lblAutoSendFileName = nullptr;
    QPushButton *cmdVerify = nullptr; // enabled once a send has completed
    QStackedWidget *m_pageSets = nullptr;
    bool m_inTransfer = false; // a read or send runs
};

} // namespace vanta::config
