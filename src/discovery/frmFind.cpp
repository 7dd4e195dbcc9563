// The search window: choices in, the search engine run, results and progress shown.
#include "discovery/frmFind.h"

#include "core/address.h"
#include "discovery/comm_setup.h"
#include "discovery/found_instruments.h"
#include "discovery/protocol_rule.h"
#include "ui/address_combo.h"
#include "ui/controls.h"
#include "ui/enter_as_tab.h"
#include "ui/navigation_bar.h"
#include "ui/run_handler.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vanta::discovery {

namespace {

const char *const FactoryDefaults[] = {
    " (Factory default: Addr=32, Comm.= 9600,N,8,1)",
    " (Factory default: Addr=001, Comm.= 9600,E,7,1,ASCII)",
    " (Fact. Default=001,9600,E,7,1,ASCII)",
};

const char *const ProtocolCaptions[] = {"Vanta Link Protocol", "Modbus RTU Protocol",
                                        "Modbus ASCII Protocol", "Unknown"};

template <size_t N>
int chosenIndex(QRadioButton *const (&options)[N])
{
    for (size_t index = 0; index < N; ++index) {
        if (options[index]->isChecked())
            return static_cast<int>(index);
    }
    return -1;
}

void fillChoices(QComboBox *combo, const QStringList &items, const QString &chosen)
{
    combo->clear();
    combo->addItems(items);
    combo->setCurrentText(chosen);
}

} // namespace

frmFind::frmFind(const ui::WindowContext &context)
    : m_context(context), m_search(context.link, context.navigator.loops())
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("Find Instruments"));
    buildControls();
    for (int group = 0; group < 3; ++group)
        connect(optInstControllerGroup[group], &QRadioButton::clicked, this,
                [this, group] { optInstControllerGroup_Click(group); });
    for (QComboBox *combo : {cbxParity, cbxDataLength, cbxStopBits})
        connect(combo, &QComboBox::activated, this, &frmFind::serialChoice_Click);
    connect(cmdStartSearch, &QPushButton::clicked, this, &frmFind::cmdStartSearch_Click);
    connect(cmdCancelSearch, &QPushButton::clicked, this, &frmFind::cmdCancelSearch_Click);
    connect(cmdAddToList, &QPushButton::clicked, this, &frmFind::cmdAddToList_Click);
    connect(&m_context.app, &core::AppState::demoModeChanged, lblDemoMode, &QLabel::setVisible);
    ui::runHandler(m_context.ui(), "frmFind.Form_Load", [this] { Form_Load(); });
    ui::installEnterAsTab(this);
}

void frmFind::buildControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("fraFind"));
    auto *layout = new QVBoxLayout(central);
    fraNavigation = ui::createNavigationButtons(this, m_context.navigator);
    lblDemoMode = ui::newDemoModeMark(central);
    cmdStartSearch = ui::newButton(central, "cmdStartSearch", QStringLiteral("  &Begin  Search"));
    cmdCancelSearch = ui::newButton(central, "cmdCancelSearch", QStringLiteral("  C&ancel Search"));
    cmdAddToList =
        ui::newButton(central, "cmdAddToList", QStringLiteral("A&dd Found To Instrument List"));
    QLabel *results = ui::newLabel(central, "lblSearchResults", QStringLiteral("Search Results"));
    lisSearchResults = ui::newList(central, "lisSearchResults");
    lisSearchResults->setMinimumHeight(160);
    lblProgress = ui::newLabel(central, "lblProgress");
    prgSearch = new QProgressBar(central);
    prgSearch->setObjectName(QStringLiteral("prgSearch"));
    prgSearch->setRange(0, 1);
    prgSearch->setValue(0);
    prgSearch->setTextVisible(false); // until a search counts its probes
    lblErrorMessageText = ui::newMessageLine(central, "lblErrorMessageText");
    ui::addToBox(layout,
                 {fraNavigation, ui::newRow({buildChoices(central), buildSettings(central)}),
                  ui::newRow({cmdStartSearch, cmdCancelSearch, ui::Stretch, lblDemoMode}), results,
                  lisSearchResults, ui::newRow({cmdAddToList, ui::Stretch}), lblProgress, prgSearch,
                  lblErrorMessageText});
    setCentralWidget(central);
    ui::addFileMenu(menuBar(), this);
    ui::addCommunicationsMenu(menuBar(), this, m_context.navigator);
}

QWidget *frmFind::buildChoices(QWidget *parent)
{
    QGroupBox *groups =
        ui::newFrame(parent, "fraControllerGroup", QStringLiteral("Select Controller Group"));
    auto *groupBox = new QVBoxLayout(groups);
    for (int group = 0; group < 3; ++group) {
        optInstControllerGroup[group] = ui::newOption(groups, "optInstControllerGroup", group, {});
        groupBox->addWidget(optInstControllerGroup[group]);
    }
    QGroupBox *protocols = ui::newFrame(parent, "fraProtocol", QStringLiteral("Protocol"));
    auto *protocolBox = new QVBoxLayout(protocols);
    for (int index = 0; index < 4; ++index) {
        OptInstProtocol[index] = ui::newOption(protocols, "OptInstProtocol", index,
                                               QString::fromLatin1(ProtocolCaptions[index]));
        protocolBox->addWidget(OptInstProtocol[index]);
    }
    auto *column = new QWidget(parent);
    ui::addToBox(new QVBoxLayout(column), {groups, protocols});
    return column;
}

QWidget *frmFind::buildSettings(QWidget *parent)
{
    auto *settings = new QWidget(parent);
    auto *grid = new QGridLayout(settings);
    const auto caption = [settings](const char *name, const char *text) {
        return ui::newLabel(settings, name, QString::fromLatin1(text));
    };
    cbxStartAddress = ui::newCombo(settings, "cbxStartAddress");
    cbxEndAddress = ui::newCombo(settings, "cbxEndAddress");
    for (QComboBox *address : {cbxStartAddress, cbxEndAddress})
        address->setEditable(true);
    cbxBaudRate = ui::newCombo(settings, "cbxBaudRate");
    cbxParity = ui::newCombo(settings, "cbxParity");
    cbxDataLength = ui::newCombo(settings, "cbxDataLength");
    cbxStopBits = ui::newCombo(settings, "cbxStopBits");
    ui::addGridRows(grid,
                    {{caption("lblStartAddress", "Starting Address To Search:"), cbxStartAddress},
                     {caption("lblEndAddress", "Ending Address To Search:"), cbxEndAddress},
                     {caption("lblBaudRate", "Baud Rate:"), cbxBaudRate},
                     {caption("lblParity", "Parity:"), cbxParity},
                     {caption("lblDataLength", "Data Length:"), cbxDataLength},
                     {caption("lblStopBits", "Stop Bits:"), cbxStopBits}});
    return settings;
}

void frmFind::Form_Load()
{
    SuppressEvents = true;
    lblProgress->clear();
    lisSearchResults->clear();
    lblErrorMessageText->clear();
    for (int group = 0; group < 3; ++group)
        optInstControllerGroup[group]->setText(groupModelNames(m_context.app.Catalogue, group) +
                                               QString::fromLatin1(FactoryDefaults[group]));
    fillChoices(cbxBaudRate, searchBaudRates(), UnknownChoice);
    fillChoices(cbxParity, searchParities(), UnknownChoice);
    fillChoices(cbxDataLength, searchDataLengths(), UnknownChoice);
    fillChoices(cbxStopBits, searchStopBits(), QStringLiteral("1"));
    const int group = qBound(0, int(m_context.app.Config.ControllerGroup), 2);
    OptInstProtocol[correctedProtocol(
                        group, core::ProtocolIndexFromCode(m_context.app.Config.ProtocolCode))]
        ->setChecked(true);
    optInstControllerGroup[group]->setChecked(true);
    optInstControllerGroup_Click(group);
    cmdAddToList->setEnabled(false);
    SuppressEvents = false;
}

void frmFind::optInstControllerGroup_Click(int group)
{
    const bool wasSuppressed = SuppressEvents;
    SuppressEvents = true;
    const std::array<bool, ProtocolChoiceCount> enabled = enabledProtocols(group);
    for (int index = 0; index < ProtocolChoiceCount; ++index)
        OptInstProtocol[index]->setEnabled(enabled[static_cast<size_t>(index)]);
    const int protocol = chosenIndex(OptInstProtocol);
    if (protocol != UnknownProtocolChoice)
        OptInstProtocol[correctedProtocol(group, protocol)]->setChecked(true);
    for (QComboBox *address : {cbxStartAddress, cbxEndAddress})
        ui::FillAddressList(*address, group == 0, /*SetDefault=*/false);
    cbxStartAddress->setCurrentText(core::FormatAddress(group, core::MinAddress));
    cbxEndAddress->setCurrentText(core::FormatAddress(group, core::MaxAddress));
    applyFramingRules();
    SuppressEvents = wasSuppressed;
}

void frmFind::serialChoice_Click()
{
    if (!SuppressEvents)
        applyFramingRules();
}

// The stop-bit rule (odd or even parity with 8 data bits takes one stop bit), then group 0's
// fixed framing of no parity, 8 data bits, 1 stop bit.
void frmFind::applyFramingRules()
{
    const bool parity = cbxParity->currentText() == QLatin1String("Odd") ||
                        cbxParity->currentText() == QLatin1String("Even");
    if (parity && cbxDataLength->currentText() == QLatin1String("8") &&
        cbxStopBits->currentText() == QLatin1String("2"))
        cbxStopBits->setCurrentText(QStringLiteral("1"));
    if (!optInstControllerGroup[0]->isChecked())
        return;
    cbxParity->setCurrentText(QStringLiteral("None"));
    cbxDataLength->setCurrentText(QStringLiteral("8"));
    cbxStopBits->setCurrentText(QStringLiteral("1"));
}

void frmFind::activated()
{
    lblDemoMode->setVisible(m_context.app.DemoMode());
}

void frmFind::deactivated()
{
    m_search.cancel();
}

SearchChoices frmFind::choices() const
{
    SearchChoices chosen;
    chosen.group = qMax(0, chosenIndex(optInstControllerGroup));
    chosen.protocolChoice = chosenIndex(OptInstProtocol);
    chosen.startAddress = ui::ParseAddressCombo(*cbxStartAddress, chosen.group);
    chosen.endAddress = ui::ParseAddressCombo(*cbxEndAddress, chosen.group);
    chosen.baudRate = cbxBaudRate->currentText();
    chosen.parity = cbxParity->currentText();
    chosen.dataLength = cbxDataLength->currentText();
    chosen.stopBits = cbxStopBits->currentText();
    return chosen;
}

SearchHooks frmFind::hooks()
{
    SearchHooks hooks;
    hooks.progress = [this](const SearchProgress &progress) { showProgress(progress); };
    hooks.probeError = [this](const QString &text) { lblErrorMessageText->setText(text); };
    hooks.found = [this](const FoundInstrument &found) {
        m_found.push_back(found);
        lisSearchResults->addItem(found.line);
    };
    hooks.betweenProbes = [] { QCoreApplication::processEvents(); };
    return hooks;
}

void frmFind::showProgress(const SearchProgress &progress)
{
    lblProgress->setText(progress.text);
    prgSearch->setRange(0, qMax(1, progress.total));
    prgSearch->setValue(progress.done);
    const QString left = progress.secondsLeft
                             ? QStringLiteral(", ") + timeLeftText(*progress.secondsLeft)
                             : QString();
    prgSearch->setFormat(QStringLiteral("%v of %m probes") + left);
    prgSearch->setTextVisible(true);
}

// While a search runs only the cancel button leads anywhere: a modal window opened from here
// would hold the search inside its own event loop with the port at a probe's settings.
void frmFind::setSearching(bool searching)
{
    fraNavigation->setEnabled(!searching);
    menuBar()->setEnabled(!searching);
    cmdAddToList->setEnabled(!searching && !m_found.empty());
}

void frmFind::cmdStartSearch_Click()
{
    if (m_search.running())
        return;
    ui::runHandler(m_context.ui(), "frmFind.cmdSearch_Click", [this] {
        lisSearchResults->clear();
        m_found.clear();
        setSearching(true);
        const SearchResult result = m_search.run(choices(), hooks());
        setSearching(false);
        if (result.end == SearchEnd::Refused)
            return;
        prgSearch->setValue(prgSearch->maximum());
        lblProgress->setText(result.text);
    });
    setSearching(false);
}

void frmFind::cmdAddToList_Click()
{
    ui::runHandler(m_context.ui(), "frmFind.cmdAddToList_Click", [this] {
        const int added = AddFoundInstruments(m_context.app, m_context.ui(), m_found);
        m_context.ui().MsgBox(
            QStringLiteral("%1 instrument(s) added to the instrument list.").arg(added),
            core::MsgButtons::Ok, core::MsgIcon::Information, QStringLiteral("Instrument List"),
            core::MsgResult::Ok);
    });
}

void frmFind::closeEvent(QCloseEvent *event)
{
    m_search.cancel();
    event->accept();
    m_context.navigator.endProgram();
}

} // namespace vanta::discovery
