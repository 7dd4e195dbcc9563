// The configuration window: controls, activation, file commands and leaving; the values are
// ConfigModel's, the pages ConfigGroupView's.
#include "config/frmConfig.h"

#include "config/auto_send.h"
#include "config/compare_result_widget.h"
#include "config/config_group_widget.h"
#include "config/configuration_read.h"
#include "config/configuration_send.h"
#include "config/field_rules.h"
#include "config/parameter_file.h"
#include "config/ramp_soak_mode.h"
#include "core/reentry_guard.h"
#include "ui/address_combo.h"
#include "ui/controls.h"
#include "ui/enter_as_tab.h"
#include "ui/navigation_bar.h"
#include "ui/run_handler.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace vanta::config {

namespace {

constexpr int WindowWidth = 1140; // four ramp/soak patterns side by side
constexpr int WindowHeight = 800;

} // namespace

frmConfig::frmConfig(const ui::WindowContext &context)
    : m_app(context.app), m_ui(context.ui()), m_link(context.link), m_navigator(context.navigator),
      m_model(context.app)
{
    setObjectName(QStringLiteral("frmConfig"));
    setWindowTitle(QStringLiteral("Configure Instrument"));
    buildControls();
    resize(WindowWidth, WindowHeight);
    connect(&m_app, &core::AppState::demoModeChanged, this, &frmConfig::showDemoMode);
    // A request while this window is in front: no activation follows, so it is honoured here.
    connect(&m_app, &core::AppState::rampSoakConfigRequested, this, [this] {
        if (m_navigator.activeMainScreen() != this || !isVisible())
            return;
        m_navigator.leaveModeless();
        raise();
        activateWindow();
        ui::runHandler(m_ui, "frmConfig.Form_Activate", [this] { enterRampSoakMode(); });
    });
    connect(cbxAddress, &QComboBox::currentTextChanged, this,
            [this](const QString &text) { m_model.AddressText = text; });
    Form_Load();
}

// Controls are created in the order of the window, which is their tab order.
void frmConfig::buildControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("fraConfig"));
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(ui::createNavigationButtons(this, m_navigator));
    QLabel *lblAddress = ui::newLabel(central, "lblAddress", QStringLiteral("Address:"));
    cbxAddress = ui::newCombo(central, "cbxAddress");
    cbxAddress->setEditable(true);
    cbxAddress->setMaxVisibleItems(16);
    lblDemoMode = ui::newDemoModeMark(central);
    lblProgress = ui::newLabel(central, "lblProgress");
    lblAutoSendFileName = ui::newLabel(central, "lblAutoSendFileName");
    prgProgress = new QProgressBar(central);
    prgProgress->setObjectName(QStringLiteral("prgProgress"));
    prgProgress->setRange(0, 1);
    prgProgress->setValue(0);
    ui::addToBox(layout, {ui::newRow({lblAddress, cbxAddress, ui::Stretch, lblAutoSendFileName,
                                      lblProgress, prgProgress, lblDemoMode}),
                          buildCommands(central)});
    m_pageSets = new QStackedWidget(central);
    layout->addWidget(m_pageSets, 1);
    setCentralWidget(central);
    ui::addFileMenu(menuBar(), this);
    addFileCommands();
    ui::addCommunicationsMenu(menuBar(), this, m_navigator);
}

QWidget *frmConfig::buildCommands(QWidget *parent)
{
    auto *row = new QWidget(parent);
    struct Command
    {
        const char *name;
        const char *caption;
        void (frmConfig::*handler)();
    };
    const Command commands[] = {
        {"cmdReadControl", "Read Configuration From an Instrument",
         &frmConfig::cmdReadControl_Click},
        {"cmdSaveControl", "Send Configuration To an Instrument", &frmConfig::cmdSaveControl_Click},
        {"cmdReadFile", "Read Configuration From a File", &frmConfig::cmdReadFile_Click},
        {"cmdSaveFile", "Save Configuration To a File", &frmConfig::cmdSaveFile_Click},
        {"cmdVerify", "Verify", &frmConfig::cmdVerify_Click},
    };
    auto *buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(0, 0, 0, 0);
    for (const Command &command : commands) {
        QPushButton *button =
            ui::newButton(row, command.name, QString::fromLatin1(command.caption));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, command.handler);
        buttons->addWidget(button);
    }
    cmdVerify = row->findChild<QPushButton *>(QStringLiteral("cmdVerify"));
    cmdVerify->setEnabled(false);
    return row;
}

// The file commands join "E&xit" on the shared File menu.
void frmConfig::addFileCommands()
{
    auto *menu = menuBar()->findChild<QMenu *>(QStringLiteral("mnuFile"));
    auto *exit = menuBar()->findChild<QAction *>(QStringLiteral("mnuFileExit"));
    if (menu == nullptr || exit == nullptr)
        return;
    auto *open = new QAction(QStringLiteral("&Read Configuration From a File..."), menu);
    open->setObjectName(QStringLiteral("mnuFileOpen"));
    connect(open, &QAction::triggered, this, &frmConfig::cmdReadFile_Click);
    auto *save = new QAction(QStringLiteral("&Save Configuration To a File..."), menu);
    save->setObjectName(QStringLiteral("mnuFileSave"));
    connect(save, &QAction::triggered, this, &frmConfig::cmdSaveFile_Click);
    auto *withInstrument = new QAction(QStringLiteral("Compare with &Instrument..."), menu);
    withInstrument->setObjectName(QStringLiteral("mnuFileCompareInstrument"));
    connect(withInstrument, &QAction::triggered, this, &frmConfig::mnuFileCompareInstrument_Click);
    auto *withFile = new QAction(QStringLiteral("Compare with &File..."), menu);
    withFile->setObjectName(QStringLiteral("mnuFileCompareFile"));
    connect(withFile, &QAction::triggered, this, &frmConfig::mnuFileCompareFile_Click);
    menu->insertActions(exit, {open, save});
    menu->insertSeparator(exit);
    menu->insertActions(exit, {withInstrument, withFile});
    menu->insertSeparator(exit);
}

// The window's load, repeated when the controller group has changed: the model at its
// defaults, the group's address list and its page set in front.
void frmConfig::Form_Load()
{
    m_model.Load();
    {
        const QSignalBlocker quiet(cbxAddress);
        ui::FillAddressList(*cbxAddress, m_model.group() == 0, /*SetDefault=*/true);
    }
    lblProgress->clear();
    lblAutoSendFileName->clear();
    cmdVerify->setEnabled(false); // nothing of this load has been sent yet
    m_pageSets->setCurrentWidget(&groupView());
    showDemoMode();
    showModel();
}

ConfigGroupView &frmConfig::groupView()
{
    ConfigGroupView *&view = m_groupViews[static_cast<std::size_t>(m_model.group())];
    if (view != nullptr)
        return *view;
    view = new ConfigGroupView(m_model, m_model.group(), m_pageSets);
    m_pageSets->addWidget(view);
    ConfigPages &pages = view->pages();
    connect(&pages, &ConfigPages::fieldEdited, this, [this](int reg) {
        handleEdit("frmConfig.txtParameter_Change", [reg](FieldRules &r) { r.fieldEdited(reg); });
    });
    connect(&pages, &ConfigPages::listChosen, this, [this](int reg) {
        handleEdit("frmConfig.cbxParameter_Click", [reg](FieldRules &r) { r.listChosen(reg); });
    });
    connect(&pages, &ConfigPages::fieldLeft, this, [this](int reg) {
        handleEdit("frmConfig.txtParameter_LostFocus", [reg](FieldRules &r) { r.fieldLeft(reg); });
    });
    connect(view, &ConfigGroupView::modelChosen, this, [this](int index) {
        handleEdit("frmConfig.cbxModelID_Click",
                   [index](FieldRules &r) { r.modelChosen(index + 1); });
    });
    connect(view, &ConfigGroupView::decimalPointChosen, this, [this](int index) {
        handleEdit("frmConfig.cbxDecimalPoint_Click",
                   [index](FieldRules &r) { r.decimalPointChosen(index); });
    });
    connect(view, &ConfigGroupView::inputTypeChosen, this, [this](int index) {
        handleEdit("frmConfig.cbxInputType_Click",
                   [index](FieldRules &r) { r.inputTypeChosen(index); });
    });
    connect(view, &ConfigGroupView::descriptionEdited, this, [this](const QString &text) {
        m_model.Description = text;
        m_model.ChangesPending = true;
    });
    // While the ramp/soak-only edit lasts, every other page leads back to the ramp/soak page.
    connect(view->tabs(), &QTabWidget::currentChanged, this, [this, view](int index) {
        if (m_app.RSModel && index != RampSoakPage)
            view->tabs()->setCurrentIndex(RampSoakPage);
    });
    ui::installEnterAsTab(this);
    return *view;
}

void frmConfig::showModel()
{
    {
        const QSignalBlocker quiet(cbxAddress);
        if (cbxAddress->currentText() != m_model.AddressText)
            cbxAddress->setEditText(m_model.AddressText);
    }
    groupView().show();
}

void frmConfig::showDemoMode()
{
    lblDemoMode->setVisible(m_app.DemoMode());
}

void frmConfig::activated()
{
    showDemoMode();
    ui::runHandler(m_ui, "frmConfig.Form_Activate", [this] {
        if (m_app.Config.ControllerGroup != m_model.group())
            Form_Load();
        if (m_app.RSModel)
            enterRampSoakMode();
        else
            showNormalMode();
    });
}

void frmConfig::deactivated()
{
    m_app.RSModel = false;
    showNormalMode();
}

// A request that does not fit is warned about and sends the user back to the monitor, with the
// window in normal mode and nothing read. The message boxes of the read itself leave the mode
// alone: they are no navigation.
void frmConfig::enterRampSoakMode()
{
    if (!RampSoakRequestFits(m_model, m_app, m_ui)) {
        m_app.RSModel = false;
        showNormalMode();
        m_navigator.showMonitor();
        return;
    }
    SelectRampSoakModel(m_model, m_app);
    showModel();
    showRampSoakLook(true);
    cmdReadControl_Click();
}

void frmConfig::showNormalMode()
{
    showRampSoakLook(false);
}

void frmConfig::showRampSoakLook(bool rampSoak)
{
    setWindowTitle(rampSoak ? QStringLiteral("Configure Instrument - Ramp/Soak Only")
                            : QStringLiteral("Configure Instrument"));
    QTabWidget *tabs = groupView().tabs();
    tabs->setToolTip(rampSoak ? QStringLiteral("Only Ramp/Soak Changes are Allowed") : QString());
    if (rampSoak)
        tabs->setCurrentIndex(RampSoakPage);
    // The monitor stays reachable: the edit was opened from there.
    for (const char *name : {"cmdMainMenu", "cmdConfigureController", "cmdStatus", "cmdFind",
                             "cmdSetpoints", "cmdLogging", "cmdGraph"}) {
        if (auto *button = findChild<QPushButton *>(QString::fromLatin1(name)))
            button->setVisible(!rampSoak);
    }
}

// An edit the user made: the field rules act on the model, which may ask, beep or write to
// the instrument (and re-read it), and the window shows the outcome.
void frmConfig::handleEdit(const char *routine, const std::function<void(FieldRules &)> &rule)
{
    if (m_model.SuppressEvents())
        return;
    const core::ReentryGuard guard(m_inTransfer, m_navigator.loops());
    if (!guard)
        return;
    ui::runHandler(m_ui, routine, [this, &rule] {
        FieldRules rules(m_model, m_link, transferHooks(), [this] { showModel(); });
        rule(rules);
        showModel();
    });
}

// The window repaints the progress between parameters and lets timers and paint events run;
// the user's clicks wait until the transfer has ended.
config::TransferHooks frmConfig::transferHooks()
{
    return {[this](const QString &text) {
                lblProgress->setText(text);
                lblProgress->repaint();
            },
            [this](int done, int total) {
                prgProgress->setRange(0, std::max(1, total));
                prgProgress->setValue(done);
            },
            [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }};
}

void frmConfig::cmdReadControl_Click()
{
    const core::ReentryGuard guard(m_inTransfer, m_navigator.loops());
    if (!guard)
        return;
    ui::runHandler(m_ui, "frmConfig.cmdReadControl_Click", [this] {
        const core::BusyPointer busy(m_ui);
        (void)ReadControllerParameters(m_model, m_link, transferHooks());
        showModel();
    });
}

void frmConfig::cmdSaveControl_Click()
{
    const core::ReentryGuard guard(m_inTransfer, m_navigator.loops());
    if (!guard)
        return;
    ui::runHandler(m_ui, "frmConfig.cmdSaveControl_Click", [this] {
        const core::BusyPointer busy(m_ui);
        bool sendFailed = true;
        (void)SendControllerParameters(m_model, m_link, sendFailed, SendMode::Interactive,
                                       transferHooks());
        cmdVerify->setEnabled(cmdVerify->isEnabled() || !sendFailed);
        showModel();
    });
}

void frmConfig::cmdReadFile_Click()
{
    ui::runHandler(m_ui, "frmConfig.cmdReadFile_Click", [this] {
        if (AskIfDiscardChanges(m_model, m_ui) == Leaving::Stay)
            return;
        if (readWithDialog(m_model, m_ui) != FileCommand::Cancelled)
            showModel();
    });
}

void frmConfig::cmdSaveFile_Click()
{
    ui::runHandler(m_ui, "frmConfig.cmdSaveFile_Click",
                   [this] { (void)saveWithDialog(m_model, m_ui); });
}

void frmConfig::cmdVerify_Click()
{
    compareWithInstrument(QStringLiteral("Verify"), "frmConfig.cmdVerify_Click");
}

void frmConfig::mnuFileCompareInstrument_Click()
{
    compareWithInstrument(QStringLiteral("Compare with Instrument"),
                          "frmConfig.mnuFileCompareInstrument_Click");
}

// The instrument is read into a configuration of its own: the screen keeps its values.
void frmConfig::compareWithInstrument(const QString &title, const char *routine)
{
    const core::ReentryGuard guard(m_inTransfer, m_navigator.loops());
    if (!guard)
        return;
    ui::runHandler(m_ui, routine, [this, &title] {
        ConfigComparison comparison;
        {
            const core::BusyPointer busy(m_ui);
            comparison = config::compareWithInstrument(m_model, m_link, transferHooks());
        }
        const QString address = m_model.AddressText;
        showComparison(this, m_ui, comparison,
                       {title, QStringLiteral("Instrument ") + address,
                        QStringLiteral("the instrument at address ") + address});
    });
}

void frmConfig::mnuFileCompareFile_Click()
{
    ui::runHandler(m_ui, "frmConfig.mnuFileCompareFile_Click", [this] {
        const std::optional<FileComparison> compared = compareWithFileDialog(m_model, m_ui);
        if (!compared)
            return;
        const QString name = QFileInfo(compared->path).fileName();
        showComparison(this, m_ui, compared->comparison,
                       {QStringLiteral("Compare with File"), name,
                        QStringLiteral("the file ") + compared->path});
    });
}

int frmConfig::autoSend(const QString &commandLine)
{
    const core::ReentryGuard guard(m_inTransfer, m_navigator.loops());
    if (!guard)
        return 1; // a read or send of the window runs: nothing was sent
    const core::BusyPointer busy(m_ui);
    AutoSendHooks hooks{[this](const QString &status) {
                            showModel();
                            lblAutoSendFileName->setText(status);
                            lblAutoSendFileName->repaint();
                        },
                        transferHooks()};
    const int status = AutoSendParameterFile(m_model, m_link, commandLine, hooks);
    showModel();
    return status;
}

bool frmConfig::allowLeavingFor(const QString &target)
{
    // The graph window is only looked at; staying here asks nothing either.
    if (target == QLatin1String("frmGraph") || target == objectName())
        return true;
    return AskIfDiscardChanges(m_model, m_ui) == Leaving::Proceed;
}

bool frmConfig::allowProgramEnd()
{
    return AskIfDiscardChanges(m_model, m_ui) == Leaving::Proceed;
}

// The navigator has asked already when it built this window; a window built by hand asks here.
void frmConfig::closeEvent(QCloseEvent *event)
{
    if (!m_navigator.isEnding() && !(allowProgramEnd() && m_navigator.endProgram())) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace vanta::config
