// The logging window: each configured instrument's logging rate and duration, starting and
// stopping its session, and looking at its logs. Opened modally from the "&Logging" buttons.
#pragma once

#include "logging/log_viewing.h"
#include "ui/navigator.h"

#include <QDialog>
#include <functional>
#include <memory>

class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vanta::logging {

class frmLogging : public QDialog
{
    Q_OBJECT

public:
    // `snapshot` receives the log that "View Current" shows in frmViewLog; `launch` starts the
    // external viewer of "View Hist...".
    frmLogging(const ui::WindowContext &context, std::shared_ptr<LogSnapshot> snapshot,
               ProgramLauncher launch = startDetachedProgram, QWidget *parent = nullptr);

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    QLayout *buildListColumn();
    QLayout *buildDetails();
    void connectHandlers();
    void Form_Load();
    void lstControls_Click();
    // Takes the list's current row as SelectedIndex and shows that instrument's session.
    void showSelected();
    void showSessionState(const core::InstrumentRecord &instrument);
    // Runs a handler's body on the selected instrument unless the window is setting its own
    // controls or nothing is selected; an unexpected error is reported under `routine`.
    void editSelected(const char *routine,
                      const std::function<void(core::InstrumentRecord &)> &body);
    void optHoursMins_Click(int Index);
    void optMinSec_Click(int Index);
    void txtDuration_LostFocus();
    void txtRate_LostFocus();
    void saveIfChanged();
    void cmdStart_Click();
    void cmdStop_Click();
    void cmdView_Click();
    void cmdViewHist_Click();
    void enableIfCommEnabled(QWidget *control);
    void setEditingEnabled(bool enabled);
    core::InstrumentRecord *selectedInstrument();

    ui::WindowContext m_context;
    std::shared_ptr<LogSnapshot> m_snapshot;
    ProgramLauncher m_launch;

    int SelectedIndex = -1;
    bool Busy = false;            // the window is setting its own controls
    bool SettingsChanged = false; // the duration or rate text changed since the last save

    QListWidget *lstControls = nullptr;
    QLabel *lblAddressText = nullptr;
    QLabel *lblNameText = nullptr;
    QLabel *lblStatusText = nullptr;
    QLabel *lblStartTimeText = nullptr;
    QLineEdit *txtDuration = nullptr;
    QRadioButton *optHoursMins[2] = {};
    QLabel *lblHoursMins = nullptr;
    QLineEdit *txtRate = nullptr;
    QRadioButton *optMinSec[2] = {};
    QLabel *lblMinSec = nullptr;
    QPushButton *cmdStart = nullptr;
    QPushButton *cmdStop = nullptr;
    QPushButton *cmdView = nullptr;
    QPushButton *cmdViewHist = nullptr;
    QPushButton *cmdClose = nullptr;
};

} // namespace vanta::logging
