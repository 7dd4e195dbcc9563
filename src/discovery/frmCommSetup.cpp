// Communications setup: handlers read the controls, edit the instrument list model and hand the
// result to ApplyCommSetup.
#include "discovery/frmCommSetup.h"

#include "core/address.h"
#include "core/comm_ports.h"
#include "core/file_path.h"
#include "core/number_format.h"
#include "core/program_folder.h"
#include "discovery/comm_setup.h"
#include "discovery/protocol_rule.h"
#include "ui/address_combo.h"
#include "ui/controls.h"
#include "ui/enter_as_tab.h"
#include "ui/field_focus.h"
#include "ui/run_handler.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace vanta::discovery {

namespace {

using Options = std::array<QRadioButton *, 3>;

const char *const ProtocolCaptions[] = {"Vanta Link Protocol", "Modbus RTU Protocol",
                                        "Modbus ASCII Protocol"};

int chosenIndex(const Options &options)
{
    for (int index = 0; index < 3; ++index) {
        if (options[index]->isChecked())
            return index;
    }
    return -1;
}

void choose(const Options &options, int index)
{
    if (index >= 0 && index < 3)
        options[index]->setChecked(true);
}

// Only the protocols the group speaks can be chosen; a choice it does not speak moves.
void applyProtocolRule(int group, const Options &protocols)
{
    const std::array<bool, ProtocolChoiceCount> enabled = enabledProtocols(group);
    for (int index = 0; index < ProtocolChoiceCount; ++index)
        protocols[index]->setEnabled(enabled[index]);
    choose(protocols, correctedProtocol(group, chosenIndex(protocols)));
}

// Fills a fixed list and chooses `value` in it (regardless of case). A stored value that is not
// in the list is added, so that "&OK" keeps it rather than putting another in its place.
void fillChoices(QComboBox *combo, const QStringList &items, const QString &value)
{
    combo->clear();
    combo->addItems(items);
    int index = combo->findText(value, Qt::MatchFixedString);
    if (index < 0 && !value.isEmpty()) {
        combo->addItem(value);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
}

QFont fixedPitch()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

// `path` (relative ones from the program folder) when it is an existing folder, else `fallback`.
QString existingFolder(const QString &programFolder, const QString &path, const QString &fallback)
{
    const QFileInfo folder(QDir(programFolder).filePath(path.trimmed()));
    return !path.trimmed().isEmpty() && folder.isDir() ? folder.absoluteFilePath() : fallback;
}

// Puts a field's limited value in place; an unchanged text is left alone (no change signal).
void showLimited(QLineEdit *field, const QString &limited)
{
    if (limited != field->text())
        field->setText(limited);
}

QString programFilter()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Programs|*.exe;*.bat;*.com");
#else
    return QStringLiteral("Programs|*"); // programs here have no extension of their own
#endif
}

} // namespace

frmCommSetup::frmCommSetup(const ui::WindowContext &context,
                           std::shared_ptr<const SerialDeviceSource> devices, QWidget *parent)
    : QDialog(parent), m_context(context), m_devices(std::move(devices))
{
    setObjectName(QStringLiteral("frmCommSetup"));
    setWindowTitle(QStringLiteral("Communications Setup"));
    buildControls();
    connectHandlers();
    ui::installEnterAsTab(this);
    Form_Load();
}

void frmCommSetup::buildControls()
{
    QGroupBox *groups =
        newGroupFrame(this, "fraGlobalControllerGroup", QStringLiteral("Select Controller Group"),
                      "optGlobalControllerGroup", optGlobalControllerGroup);
    QGroupBox *protocols = newProtocolFrame(this, "fraGlobalProtocol",
                                            QStringLiteral("Select Communications Protocol"),
                                            "optGlobalProtocol", optGlobalProtocol);
    auto *top = ui::newRow({buildPortSettings(), ui::newColumn({groups, protocols})});
    top->setStretch(1, 1);
    lblInfo = ui::newLabel(
        this, "lblInfo",
        QStringLiteral("The Comm Port number must be the same one that you plug the serial cable "
                       "into.  The Baud Rate must match the setting of the instrument(s) you are "
                       "communicating to.  The Polling Timeout should be at least 125 msec."));
    lblInfo->setWordWrap(true);
    cmdOK = ui::newButton(this, "cmdOK", QStringLiteral("&OK"));
    cmdCancel = ui::newButton(this, "cmdCancel", QStringLiteral("&Cancel"));
    cmdOK->setDefault(true);
    ui::addToBox(new QVBoxLayout(this), {top, buildFileSettings(), buildInstrumentSetup(), lblInfo,
                                         ui::newRow({ui::Stretch, cmdOK, cmdCancel})});
}

QLayout *frmCommSetup::buildPortSettings()
{
    txtCommPort = ui::newTextBox(this, "txtCommPort");
    txtCommPort->setMaximumWidth(txtCommPort->fontMetrics().averageCharWidth() * 8);
    cbxCommDevice = ui::newCombo(this, "cbxCommDevice");
    cbxCommDevice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbxCommDevice->setMinimumContentsLength(40);
    cmdRefreshDevices = ui::newButton(this, "cmdRefreshDevices", QStringLiteral("Sca&n"));
    cbxBaudRate = ui::newCombo(this, "cbxBaudRate");
    cbxParity = ui::newCombo(this, "cbxParity");
    cbxDataLength = ui::newCombo(this, "cbxDataLength");
    cbxStopBits = ui::newCombo(this, "cbxStopBits");
    txtPollTimeout = ui::newTextBox(this, "txtPollTimeout");
    txtPollTimeout->setMaximumWidth(txtPollTimeout->fontMetrics().averageCharWidth() * 8);
    auto *grid = new QGridLayout;
    const auto caption = [this](const char *name, const char *text) {
        return ui::newLabel(this, name, QString::fromLatin1(text));
    };
    ui::addGridRows(grid, {{caption("lblCommPort", "Comm Port:"), txtCommPort},
                           {caption("lblCommDevice", "Device:")}});
    grid->addLayout(ui::newRow({cbxCommDevice, cmdRefreshDevices}), 1, 1, 1, 2);
    ui::addGridRows(grid, {{caption("lblBaudRate", "Baud Rate:"), cbxBaudRate},
                           {caption("lblParity", "Parity:"), cbxParity},
                           {caption("lblDataLength", "Data Length:"), cbxDataLength},
                           {caption("lblStopBits", "Stop Bits:"), cbxStopBits},
                           {caption("lblPollTimeout", "Polling Timeout:"), txtPollTimeout,
                            caption("lblMsec", "msec")}});
    grid->setColumnStretch(2, 1);
    return ui::newColumn({grid, ui::Stretch});
}

QLayout *frmCommSetup::buildFileSettings()
{
    txtViewApp = ui::newTextBox(this, "txtViewApp");
    cmdViewApp = ui::newButton(this, "cmdViewApp", QStringLiteral("..."));
    txtDefaultFolder = ui::newTextBox(this, "txtDefaultFolder");
    cmdDefaultFolder = ui::newButton(this, "cmdDefaultFolder", QStringLiteral("..."));
    for (QPushButton *button : {cmdViewApp, cmdDefaultFolder})
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) *
                                3);
    auto *grid = new QGridLayout;
    ui::addGridRows(
        grid,
        {{ui::newLabel(this, "lblViewApp", QStringLiteral("Application Used to View Hist. Logs:")),
          txtViewApp, cmdViewApp},
         {ui::newLabel(this, "lblDefaultFolder", QStringLiteral("Default Folder for Log Files:")),
          txtDefaultFolder, cmdDefaultFolder}});
    return grid;
}

QGroupBox *frmCommSetup::buildInstrumentSetup()
{
    QGroupBox *frame = ui::newFrame(this, "fraInstrumentSetup", QStringLiteral("INSTRUMENT SETUP"));
    cbxAddress = ui::newCombo(frame, "cbxAddress");
    cbxAddress->setMaxVisibleItems(16);
    txtName = ui::newTextBox(frame, "txtName");
    txtName->setMaxLength(60); // cut to 21 on leaving; the rest only shows what was typed
    auto *entry = new QGridLayout;
    ui::addGridRows(entry,
                    {{ui::newLabel(frame, "lblAddress", QStringLiteral("Address")), cbxAddress},
                     {ui::newLabel(frame, "lblName", QStringLiteral("Name")), txtName}});
    QGroupBox *groups =
        newGroupFrame(frame, "fraInstControllerGroup", QStringLiteral("Controller Group"),
                      "optInstControllerGroup", optInstControllerGroup);
    QGroupBox *protocols = newProtocolFrame(frame, "fraInstProtocol", QStringLiteral("Protocol"),
                                            "OptInstProtocol", OptInstProtocol);
    QLabel *heading =
        ui::newLabel(frame, "lblListHeading", QStringLiteral("Address   P        Name"));
    heading->setFont(fixedPitch());
    lstControls = ui::newList(frame, "lstControls");
    lstControls->setFont(fixedPitch());
    lstControls->setMinimumWidth(lstControls->fontMetrics().horizontalAdvance(QString(48, 'M')));
    cmdUpdate = ui::newButton(frame, "cmdUpdate", QStringLiteral("&Update"));
    cmdRemove = ui::newButton(frame, "cmdRemove", QStringLiteral("&Remove"));
    auto *row = ui::newRow(
        {ui::newColumn({entry, groups, protocols, ui::Stretch}),
         ui::newColumn({heading, lstControls, ui::newRow({ui::Stretch, cmdUpdate, cmdRemove})})});
    row->setStretch(1, 1);
    frame->setLayout(row);
    return frame;
}

QGroupBox *frmCommSetup::newGroupFrame(QWidget *parent, const char *name, const QString &caption,
                                       const char *optionName, Options &options)
{
    QGroupBox *frame = ui::newFrame(parent, name, caption);
    auto *column = new QVBoxLayout(frame);
    for (int index = 0; index < 3; ++index) {
        options[index] = ui::newOption(frame, optionName, index, QString());
        column->addWidget(options[index]);
    }
    return frame;
}

QGroupBox *frmCommSetup::newProtocolFrame(QWidget *parent, const char *name, const QString &caption,
                                          const char *optionName, Options &options)
{
    QGroupBox *frame = newGroupFrame(parent, name, caption, optionName, options);
    for (int index = 0; index < 3; ++index)
        options[index]->setText(QString::fromLatin1(ProtocolCaptions[index]));
    return frame;
}

void frmCommSetup::connectHandlers()
{
    connectChangeMarks();
    for (QLineEdit *text : {txtCommPort, txtPollTimeout, txtName})
        text->installEventFilter(this);
    connect(txtName, &QLineEdit::textChanged, this, [this] { txtName_Change(); });
    // Option and list clicks by the user only; the window sets them itself under SuppressEvents.
    for (QRadioButton *option : optGlobalControllerGroup)
        connect(option, &QRadioButton::clicked, this, [this] { optGlobalControllerGroup_Click(); });
    for (QRadioButton *option : optInstControllerGroup)
        connect(option, &QRadioButton::clicked, this, [this] { optInstControllerGroup_Click(); });
    connect(cbxAddress, &QComboBox::activated, this, [this] { cbxAddress_Click(); });
    connect(cbxCommDevice, &QComboBox::activated, this, [this] { cbxCommDevice_Click(); });
    connect(lstControls, &QListWidget::currentRowChanged, this, [this] { lstControls_Click(); });
    connect(cmdUpdate, &QPushButton::clicked, this, &frmCommSetup::cmdUpdate_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmCommSetup::cmdRemove_Click);
    connect(cmdRefreshDevices, &QPushButton::clicked, this, &frmCommSetup::cmdRefreshDevices_Click);
    connect(cmdDefaultFolder, &QPushButton::clicked, this, &frmCommSetup::cmdDefaultFolder_Click);
    connect(cmdViewApp, &QPushButton::clicked, this, &frmCommSetup::cmdViewApp_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmCommSetup::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmCommSetup::reject);
}

// The edits that only mark the window changed.
void frmCommSetup::connectChangeMarks()
{
    for (QLineEdit *text : {txtCommPort, txtPollTimeout, txtViewApp, txtDefaultFolder})
        connect(text, &QLineEdit::textChanged, this, [this] { markChanged(); });
    for (QComboBox *combo : {cbxBaudRate, cbxParity, cbxDataLength, cbxStopBits})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { markChanged(); });
    for (QRadioButton *option : optGlobalProtocol)
        connect(option, &QRadioButton::clicked, this, [this] { markChanged(); });
    for (QRadioButton *option : OptInstProtocol)
        connect(option, &QRadioButton::clicked, this, [this] { markChanged(); });
}

void frmCommSetup::Form_Load()
{
    ui::runHandler(m_context.ui(), "frmCommSetup.Form_Load", [this] {
        const QScopedValueRollback suppress(SuppressEvents, true);
        const core::SystemConfig &config = m_context.app.Config;
        showGroupCaptions();
        showSettings();
        choose(optGlobalControllerGroup, config.ControllerGroup);
        choose(optGlobalProtocol, core::ProtocolIndexFromCode(config.ProtocolCode));
        const int group = std::max(0, chosenIndex(optGlobalControllerGroup));
        applyProtocolRule(group, optGlobalProtocol);
        // A new instrument starts from the global choice.
        choose(optInstControllerGroup, group);
        choose(OptInstProtocol, chosenIndex(optGlobalProtocol));
        applyProtocolRule(group, OptInstProtocol);
        fillAddressList(group);
        m_list = InstrumentList(config.Instruments);
        fillInstrumentList(-1);
        txtName->clear();
        cmdUpdate->setEnabled(false);
        cmdRemove->setEnabled(false);
        SetupChanged = false;
    });
}

void frmCommSetup::showGroupCaptions()
{
    for (int group = 0; group < 3; ++group) {
        QString models = groupModelNames(m_context.app.Catalogue, group);
        if (models.isEmpty())
            models = QStringLiteral("of group ") + QString::number(group);
        optGlobalControllerGroup[group]->setText(QStringLiteral("Communicate with models ") +
                                                 models);
        optInstControllerGroup[group]->setText(models);
    }
}

void frmCommSetup::showSettings()
{
    const core::SystemConfig &config = m_context.app.Config;
    txtCommPort->setText(QString::number(config.CommPort));
    fillChoices(cbxBaudRate,
                {"300", "1200", "2400", "4800", "9600", "19200", "28800", "38400", "57600"},
                core::numberText(config.BaudRate));
    fillChoices(cbxParity, {"None", "Even", "Odd"}, QString(config.Parity).remove(' '));
    fillChoices(cbxDataLength, {"7", "8"}, QString::number(config.DataBits));
    fillChoices(cbxStopBits, {"1", "2"}, QString::number(config.StopBits));
    txtPollTimeout->setText(QString::number(config.PollTimeout));
    txtViewApp->setText(config.ViewerProgram);
    txtDefaultFolder->setText(config.DefaultFolder);
    fillDeviceList();
}

void frmCommSetup::fillInstrumentList(int selectedRow)
{
    const QScopedValueRollback suppress(SuppressEvents, true);
    lstControls->clear();
    for (int index = 0; index < m_list.count(); ++index)
        lstControls->addItem(m_list.displayLine(index));
    lstControls->setCurrentRow(selectedRow);
}

// The device of the port number shown, then the devices present; "Scan" lists them again.
void frmCommSetup::fillDeviceList()
{
    const QScopedValueRollback suppress(SuppressEvents, true);
    m_mappedDevice = core::devicePathForPort(m_context.app.programFolder(),
                                             limitedCommPort(txtCommPort->text()));
    cbxCommDevice->clear();
    for (const DeviceChoice &choice : deviceChoices(m_devices->devices(), m_mappedDevice)) {
        cbxCommDevice->addItem(choice.label, choice.path);
        cbxCommDevice->setItemData(cbxCommDevice->count() - 1, choice.label, Qt::ToolTipRole);
    }
    cbxCommDevice->setCurrentIndex(0);
    cbxCommDevice->setToolTip(cbxCommDevice->currentText());
}

void frmCommSetup::fillAddressList(int group)
{
    const QScopedValueRollback suppress(SuppressEvents, true);
    ui::FillAddressList(*cbxAddress, group == 0, /*SetDefault=*/false);
    cbxAddress->setCurrentIndex(-1); // no address chosen yet
}

void frmCommSetup::markChanged()
{
    if (!SuppressEvents)
        SetupChanged = true;
}

void frmCommSetup::txtCommPort_LostFocus()
{
    const int port = limitedCommPort(txtCommPort->text());
    showLimited(txtCommPort, QString::number(port));
    // Another port number maps to another device (any device chosen for the old one is dropped).
    if (core::devicePathForPort(m_context.app.programFolder(), port) != m_mappedDevice)
        fillDeviceList();
}

void frmCommSetup::txtPollTimeout_LostFocus()
{
    showLimited(txtPollTimeout, QString::number(limitedPollTimeout(txtPollTimeout->text())));
}

void frmCommSetup::txtName_Change()
{
    if (SuppressEvents)
        return;
    txtName->setToolTip(txtName->text());
    SetupChanged = true;
}

void frmCommSetup::txtName_LostFocus()
{
    showLimited(txtName, limitedName(txtName->text()));
}

void frmCommSetup::optGlobalControllerGroup_Click()
{
    if (SuppressEvents)
        return;
    applyProtocolRule(chosenIndex(optGlobalControllerGroup), optGlobalProtocol);
    SetupChanged = true;
}

void frmCommSetup::optInstControllerGroup_Click()
{
    if (SuppressEvents)
        return;
    const int group = chosenIndex(optInstControllerGroup);
    applyProtocolRule(group, OptInstProtocol);
    fillAddressList(group);
    SetupChanged = true;
}

void frmCommSetup::cbxAddress_Click()
{
    if (SuppressEvents)
        return;
    ui::runHandler(m_context.ui(), "frmCommSetup.cbxAddress_Click", [this] {
        const QScopedValueRollback suppress(SuppressEvents, true);
        const int row =
            m_list.indexOfAddress(chosenIndex(optInstControllerGroup), cbxAddress->currentText());
        lstControls->setCurrentRow(row);
        if (const core::InstrumentRecord *instrument = m_list.at(row)) {
            choose(OptInstProtocol, core::ProtocolIndexFromCode(instrument->InstProtocol));
            txtName->setText(instrument->InstName);
        } else {
            txtName->clear();
        }
        cmdRemove->setEnabled(row >= 0);
        cmdUpdate->setEnabled(true);
    });
}

void frmCommSetup::cbxCommDevice_Click()
{
    if (SuppressEvents)
        return;
    cbxCommDevice->setToolTip(cbxCommDevice->currentText());
    SetupChanged = true;
    if (core::portsMappedByFile())
        return;
    // Windows names its ports by number: choosing a device chooses its number.
    if (const std::optional<int> number = comPortNumber(cbxCommDevice->currentData().toString()))
        txtCommPort->setText(QString::number(*number));
}

void frmCommSetup::lstControls_Click()
{
    if (SuppressEvents)
        return;
    ui::runHandler(m_context.ui(), "frmCommSetup.lstControls_Click", [this] {
        const core::InstrumentRecord *instrument = m_list.at(lstControls->currentRow());
        if (instrument == nullptr)
            return;
        const QScopedValueRollback suppress(SuppressEvents, true);
        cmdUpdate->setEnabled(true);
        cmdRemove->setEnabled(true);
        showInstrument(*instrument);
    });
}

void frmCommSetup::showInstrument(const core::InstrumentRecord &instrument)
{
    const int group = instrument.InstGroup;
    choose(OptInstProtocol, core::ProtocolIndexFromCode(instrument.InstProtocol));
    choose(optInstControllerGroup, group);
    applyProtocolRule(group, OptInstProtocol);
    fillAddressList(group);
    const int address = core::ParseAddress(group, instrument.InstAddress);
    cbxAddress->setCurrentIndex(core::isValidAddress(address) ? address - 1 : -1);
    txtName->setText(instrument.InstName);
    txtName->setToolTip(instrument.InstName);
}

InstrumentEntry frmCommSetup::entryFromControls() const
{
    const int group = std::max(0, chosenIndex(optInstControllerGroup));
    return {group, cbxAddress->currentText(),
            core::ProtocolCodeFromIndex(chosenIndex(OptInstProtocol)), txtName->text()};
}

bool frmCommSetup::runUpdate()
{
    SetupChanged = true;
    const QScopedValueRollback suppress(SuppressEvents, true);
    const InstrumentEntry entry = entryFromControls();
    const EntryFault fault = m_list.update(entry);
    if (fault != EntryFault::None) {
        m_context.ui().MsgBox(entryFaultText(fault, entry.group), core::MsgButtons::Ok,
                              core::MsgIcon::Exclamation,
                              fault == EntryFault::Name ? QStringLiteral("Invalid Name")
                                                        : QStringLiteral("Invalid Address"),
                              core::MsgResult::Ok);
        return false;
    }
    const int row = m_list.indexOfAddress(entry.group, entry.addressText);
    fillInstrumentList(row);
    cmdRemove->setEnabled(row >= 0);
    return true;
}

void frmCommSetup::cmdUpdate_Click()
{
    ui::runHandler(m_context.ui(), "frmCommSetup.cmdUpdate_Click", [this] { (void)runUpdate(); });
}

void frmCommSetup::cmdRemove_Click()
{
    ui::runHandler(m_context.ui(), "frmCommSetup.cmdRemove_Click", [this] {
        SetupChanged = true;
        m_list.remove(lstControls->currentRow());
        fillInstrumentList(-1);
        cmdRemove->setEnabled(false);
    });
}

void frmCommSetup::cmdRefreshDevices_Click()
{
    ui::runHandler(m_context.ui(), "frmCommSetup.cmdRefreshDevices_Click", [this] {
        const core::BusyPointer busy(m_context.ui());
        fillDeviceList();
    });
}

void frmCommSetup::cmdDefaultFolder_Click()
{
    ui::runHandler(m_context.ui(), "frmCommSetup.cmdDefaultFolder_Click", [this] {
        const QString start =
            existingFolder(m_context.app.programFolder(), txtDefaultFolder->text(),
                           core::LogFolder(m_context.app));
        const std::optional<QString> chosen =
            m_context.ui().chooseFolder({QStringLiteral("Default Log File Folder"), start});
        if (!chosen || chosen->isEmpty())
            return;
        QString folder = QDir::toNativeSeparators(*chosen);
        if (!folder.endsWith(QDir::separator()))
            folder += QDir::separator();
        txtDefaultFolder->setText(folder);
    });
}

void frmCommSetup::cmdViewApp_Click()
{
    ui::runHandler(m_context.ui(), "frmCommSetup.cmdViewApp_Click", [this] {
        const QString program = m_context.app.programFolder();
        const QString current = txtViewApp->text().trimmed();
        core::FileDialogRequest request;
        request.title = QStringLiteral("Log File Viewer");
        request.filter = programFilter();
        request.initialFolder = existingFolder(program, core::FilePath(program, current), program);
        request.fileName = core::NameOfFile(current);
        request.fileMustExist = true;
        const std::optional<QString> chosen = m_context.ui().openFileDialog(request);
        if (chosen && !chosen->isEmpty())
            txtViewApp->setText(QDir::toNativeSeparators(*chosen));
    });
}

bool frmCommSetup::editPending() const
{
    const core::InstrumentRecord *shown = m_list.at(lstControls->currentRow());
    if (!SetupChanged || !cmdUpdate->isEnabled() || !cmdRemove->isEnabled() || shown == nullptr)
        return false;
    const InstrumentEntry entry = entryFromControls();
    return m_list.indexOfAddress(entry.group, entry.addressText) != lstControls->currentRow() ||
           entry.group != shown->InstGroup || entry.protocolCode != shown->InstProtocol ||
           limitedName(entry.name).trimmed() != shown->InstName;
}

CommSettings frmCommSetup::settingsFromControls() const
{
    const core::SystemConfig &config = m_context.app.Config;
    CommSettings settings;
    settings.CommPort = limitedCommPort(txtCommPort->text());
    settings.BaudRate =
        static_cast<float>(core::parseNumberText(cbxBaudRate->currentText()).value_or(0));
    settings.Parity = cbxParity->currentText();
    settings.DataBits = static_cast<qint16>(cbxDataLength->currentText().toInt());
    settings.StopBits = static_cast<qint16>(cbxStopBits->currentText().toInt());
    settings.PollTimeout = limitedPollTimeout(txtPollTimeout->text());
    const int group = chosenIndex(optGlobalControllerGroup);
    settings.ControllerGroup = group >= 0 ? static_cast<qint16>(group) : config.ControllerGroup;
    settings.ProtocolCode = core::ProtocolCodeFromIndex(chosenIndex(optGlobalProtocol));
    settings.ViewerProgram = txtViewApp->text();
    settings.DefaultFolder = txtDefaultFolder->text();
    return settings;
}

// The device chosen for the port number, when it is another than the one it maps to now.
std::optional<QString> frmCommSetup::chosenDevice() const
{
    const QString chosen = cbxCommDevice->currentData().toString();
    if (!core::portsMappedByFile() || chosen.isEmpty() || chosen == m_mappedDevice)
        return std::nullopt;
    return chosen;
}

void frmCommSetup::cmdOK_Click()
{
    ui::runHandler(m_context.ui(), "frmCommSetup.cmdOK_Click", [this] {
        if (!confirmConfigurationChange(m_context.app, m_context.ui()))
            return;
        // An instrument edited but not updated is updated now; a refused one keeps the window.
        if (editPending() && !runUpdate())
            return;
        {
            const QScopedValueRollback suppress(SuppressEvents, true);
            ApplyCommSetup(m_context.link, settingsFromControls(), m_list, chosenDevice());
        }
        SetupChanged = false;
        accept();
    });
}

void frmCommSetup::reject()
{
    if (SetupChanged && !m_context.navigator.isEnding() && !confirmCancelChanges(m_context.ui()))
        return;
    QDialog::reject();
}

bool frmCommSetup::eventFilter(QObject *watched, QEvent *event)
{
    if (!ui::isLeavingField(event))
        return QDialog::eventFilter(watched, event);
    if (watched == txtCommPort)
        txtCommPort_LostFocus();
    else if (watched == txtPollTimeout)
        txtPollTimeout_LostFocus();
    else if (watched == txtName)
        txtName_LostFocus();
    return QDialog::eventFilter(watched, event);
}

} // namespace vanta::discovery
