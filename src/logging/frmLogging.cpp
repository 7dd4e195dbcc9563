// The logging window: handlers read the controls, call the session rules and show the result.
#include "logging/frmLogging.h"

#include "core/system_config_file.h"
#include "logging/log_settings.h"
#include "logging/logging_sessions.h"
#include "ui/colours.h"
#include "ui/controls.h"
#include "ui/enter_as_tab.h"
#include "ui/field_focus.h"
#include "ui/run_handler.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <QVBoxLayout>
#include <array>

namespace vanta::logging {
namespace {

// The names and captions of a frame holding a value's text box, its unit caption and the
// option pair that chooses the unit.
struct UnitFrame
{
    const char *frameName;
    const char *caption;
    const char *textName;
    const char *unitName;
    const char *optionName;
    const char *optionCaptions[2];
};

constexpr UnitFrame DurationFrame{"fraDuration",  "Duration",     "txtDuration",
                                  "lblHoursMins", "optHoursMins", {"Hours", "Minutes"}};
constexpr UnitFrame RateFrame{"fraRate",   "Rate",      "txtRate",
                              "lblMinSec", "optMinSec", {"min/log", "sec/log"}};

QGroupBox *newUnitFrame(QWidget *parent, const UnitFrame &names, QLineEdit *&text, QLabel *&unit,
                        QRadioButton *(&options)[2])
{
    QGroupBox *frame = ui::newFrame(parent, names.frameName, QString::fromLatin1(names.caption));
    text = ui::newTextBox(frame, names.textName);
    unit = ui::newLabel(frame, names.unitName);
    for (int index = 0; index < 2; ++index)
        options[index] = ui::newOption(frame, names.optionName, index,
                                       QString::fromLatin1(names.optionCaptions[index]));
    ui::addGridRows(new QGridLayout(frame), {{text, unit}, {options[0], options[1]}});
    return frame;
}

} // namespace

frmLogging::frmLogging(const ui::WindowContext &context, std::shared_ptr<LogSnapshot> snapshot,
                       ProgramLauncher launch, QWidget *parent)
    : QDialog(parent), m_context(context), m_snapshot(std::move(snapshot)),
      m_launch(std::move(launch))
{
    setObjectName(QStringLiteral("frmLogging"));
    setWindowTitle(QStringLiteral("Process Variable Logging"));
    buildControls();
    connectHandlers();
    ui::installEnterAsTab(this);
    Form_Load();
}

// Controls are created in the order of the window, which is their tab order: the list first.
void frmLogging::buildControls()
{
    auto *top = new QHBoxLayout;
    top->addLayout(buildListColumn(), 3);
    top->addLayout(buildDetails(), 2);
    cmdStart = ui::newButton(this, "cmdStart", QStringLiteral("&Start Log..."));
    cmdStop = ui::newButton(this, "cmdStop", QStringLiteral("S&top Log"));
    cmdView = ui::newButton(this, "cmdView", QStringLiteral("&View Current"));
    cmdViewHist = ui::newButton(this, "cmdViewHist", QStringLiteral("View &Hist..."));
    cmdClose = ui::newButton(this, "cmdClose", QStringLiteral("C&lose"));
    ui::addToBox(new QVBoxLayout(this),
                 {top, ui::newRow({cmdStart, cmdStop, cmdView, cmdViewHist, cmdClose})});
}

QLayout *frmLogging::buildListColumn()
{
    const ui::InstrumentList instruments = ui::newInstrumentList(this);
    QLabel *heading = instruments.heading;
    lstControls = instruments.list;
    QLabel *instruction = ui::newLabel(
        this, "lblInstruction",
        QStringLiteral("Click a control in this list box to access logging functions."));
    instruction->setWordWrap(true);
    return ui::newColumn({heading, lstControls, instruction});
}

QLayout *frmLogging::buildDetails()
{
    lblAddressText = ui::newLabel(this, "lblAddressText");
    lblNameText = ui::newLabel(this, "lblNameText");
    lblStatusText = ui::newStateLabel(this, "lblStatusText");
    lblStartTimeText = ui::newLabel(this, "lblStartTimeText");
    auto *captions = new QGridLayout;
    ui::addGridRows(captions,
                    {{ui::newLabel(this, "lblAddress", QStringLiteral("Address:")), lblAddressText},
                     {ui::newLabel(this, "lblName", QStringLiteral("Name:")), lblNameText},
                     {ui::newLabel(this, "lblStatus", QStringLiteral("Status:")), lblStatusText}});
    return ui::newColumn(
        {captions, lblStartTimeText,
         newUnitFrame(this, DurationFrame, txtDuration, lblHoursMins, optHoursMins),
         newUnitFrame(this, RateFrame, txtRate, lblMinSec, optMinSec), ui::Stretch});
}

void frmLogging::connectHandlers()
{
    // Option clicks by the user only; the window runs the handlers itself when it sets them.
    for (int index = 0; index < 2; ++index) {
        connect(optHoursMins[index], &QRadioButton::clicked, this,
                [this, index] { optHoursMins_Click(index); });
        connect(optMinSec[index], &QRadioButton::clicked, this,
                [this, index] { optMinSec_Click(index); });
    }
    for (QLineEdit *text : {txtDuration, txtRate}) {
        text->installEventFilter(this);
        connect(text, &QLineEdit::textChanged, this, [this] {
            if (!Busy)
                SettingsChanged = true;
        });
    }
    // The list makes a row current only by the user's click or key (or the program's choice).
    connect(lstControls, &QListWidget::currentRowChanged, this, [this] { lstControls_Click(); });
    connect(cmdStart, &QPushButton::clicked, this, &frmLogging::cmdStart_Click);
    connect(cmdStop, &QPushButton::clicked, this, &frmLogging::cmdStop_Click);
    connect(cmdView, &QPushButton::clicked, this, &frmLogging::cmdView_Click);
    connect(cmdViewHist, &QPushButton::clicked, this, &frmLogging::cmdViewHist_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmLogging::Form_Load()
{
    ui::runHandler(m_context.ui(), "frmLogging.Form_Load", [this] {
        const QScopedValueRollback busy(Busy, true);
        for (QLabel *caption : {lblAddressText, lblNameText, lblStatusText, lblStartTimeText})
            caption->clear();
        lblNameText->setToolTip(QString());
        txtDuration->clear();
        txtRate->clear();
        setEditingEnabled(false);
        for (QPushButton *button : {cmdStart, cmdStop, cmdView})
            button->setEnabled(false);
        for (const core::InstrumentRecord &instrument : m_context.app.Config.Instruments)
            lstControls->addItem(instrument.InstAddress + QStringLiteral("     ") +
                                 instrument.InstName);
    });
}

core::InstrumentRecord *frmLogging::selectedInstrument()
{
    std::vector<core::InstrumentRecord> &instruments = m_context.app.Config.Instruments;
    if (SelectedIndex < 0 || SelectedIndex >= static_cast<int>(instruments.size()))
        return nullptr;
    return &instruments[SelectedIndex];
}

void frmLogging::lstControls_Click()
{
    if (Busy)
        return;
    ui::runHandler(m_context.ui(), "frmLogging.lstControls_Click", [this] {
        showSelected();
        const core::InstrumentRecord *instrument = selectedInstrument();
        if (instrument == nullptr)
            return;
        const int durationUnit = instrument->LogDurationUnit == 0 ? 0 : 1;
        const int rateUnit = instrument->LogRateUnit == 0 ? 0 : 1;
        optHoursMins[durationUnit]->setChecked(true);
        optHoursMins_Click(durationUnit);
        optMinSec[rateUnit]->setChecked(true);
        optMinSec_Click(rateUnit);
    });
}

void frmLogging::showSelected()
{
    const core::BusyPointer pointer(m_context.ui());
    const QScopedValueRollback busy(Busy, true);
    SelectedIndex = lstControls->currentRow();
    const core::InstrumentRecord *instrument = selectedInstrument();
    if (instrument == nullptr)
        return;
    lblAddressText->setText(instrument->InstAddress);
    lblNameText->setText(instrument->InstName);
    lblNameText->setToolTip(instrument->InstName);
    showSessionState(*instrument);
}

void frmLogging::showSessionState(const core::InstrumentRecord &instrument)
{
    const std::array<QString, 3> &stateText = m_context.app.LogStateText;
    const qint16 state = instrument.LogState;
    const bool started = state == LogStates::Started;
    lblStatusText->setText(state >= LogStates::Started && state <= LogStates::Finished
                               ? stateText[state - 1]
                               : QString());
    ui::setFillColour(lblStatusText, started                       ? ui::Colours::Green
                                     : state == LogStates::Stopped ? ui::Colours::Red
                                                                   : ui::buttonFace());
    lblStartTimeText->setText(started ? startTimeText(instrument) : QString());
    setEditingEnabled(!started);
    if (started)
        cmdStart->setEnabled(false);
    else
        enableIfCommEnabled(cmdStart);
    if (started)
        enableIfCommEnabled(cmdStop);
    else
        cmdStop->setEnabled(false);
    if (state == LogStates::Never)
        cmdView->setEnabled(false);
    else
        enableIfCommEnabled(cmdView);
}

void frmLogging::enableIfCommEnabled(QWidget *control)
{
    if (m_context.app.CommEnabled())
        control->setEnabled(true);
}

void frmLogging::setEditingEnabled(bool enabled)
{
    for (QWidget *control :
         {static_cast<QWidget *>(txtDuration), static_cast<QWidget *>(txtRate),
          static_cast<QWidget *>(optHoursMins[0]), static_cast<QWidget *>(optHoursMins[1]),
          static_cast<QWidget *>(optMinSec[0]), static_cast<QWidget *>(optMinSec[1])})
        control->setEnabled(enabled);
}

void frmLogging::editSelected(const char *routine,
                              const std::function<void(core::InstrumentRecord &)> &body)
{
    core::InstrumentRecord *instrument = selectedInstrument();
    if (Busy || instrument == nullptr)
        return;
    ui::runHandler(m_context.ui(), routine, [&] { body(*instrument); });
}

void frmLogging::optHoursMins_Click(int Index)
{
    editSelected("frmLogging.optHoursMins_Click", [&](core::InstrumentRecord &instrument) {
        const DurationUnit unit = durationUnitFromIndex(Index);
        instrument.LogDurationUnit = static_cast<qint16>(unit);
        lblHoursMins->setText(durationUnitCaption(unit));
        txtDuration->setText(durationText(instrument.LogDuration, unit));
        txtDuration_LostFocus();
    });
}

void frmLogging::optMinSec_Click(int Index)
{
    editSelected("frmLogging.optMinSec_Click", [&](core::InstrumentRecord &instrument) {
        const RateUnit unit = rateUnitFromIndex(Index);
        instrument.LogRateUnit = static_cast<qint16>(unit);
        lblMinSec->setText(rateUnitCaption(unit));
        txtRate->setText(rateText(instrument.LogRate, unit));
        txtRate_LostFocus();
    });
}

void frmLogging::txtDuration_LostFocus()
{
    editSelected("frmLogging.txtDuration_LostFocus", [&](core::InstrumentRecord &instrument) {
        {
            const QScopedValueRollback busy(Busy, true);
            const DurationUnit unit =
                optHoursMins[0]->isChecked() ? DurationUnit::Hours : DurationUnit::Minutes;
            const CheckedEntry<qint16> entry =
                checkDuration(txtDuration->text(), unit, instrument.LogDuration);
            instrument.LogDuration = entry.stored;
            txtDuration->setText(entry.text);
        }
        saveIfChanged();
    });
}

void frmLogging::txtRate_LostFocus()
{
    editSelected("frmLogging.txtRate_LostFocus", [&](core::InstrumentRecord &instrument) {
        {
            const QScopedValueRollback busy(Busy, true);
            const RateUnit unit =
                optMinSec[0]->isChecked() ? RateUnit::MinutesPerLog : RateUnit::SecondsPerLog;
            const CheckedEntry<float> entry = checkRate(txtRate->text(), unit, instrument.LogRate);
            instrument.LogRate = entry.stored;
            txtRate->setText(entry.text);
        }
        saveIfChanged();
    });
}

void frmLogging::saveIfChanged()
{
    if (!SettingsChanged)
        return;
    // SaveSystemConfig reports its own failures; the list in memory has changed either way.
    (void)core::SaveSystemConfig(m_context.app, m_context.ui());
    SettingsChanged = false;
    m_context.app.notifyInstrumentListChanged();
}

void frmLogging::cmdStart_Click()
{
    ui::runHandler(m_context.ui(), "frmLogging.cmdStart_Click", [this] {
        if (StartLogSession(m_context.app, m_context.clock(), m_context.ui(), SelectedIndex))
            lstControls_Click();
    });
}

void frmLogging::cmdStop_Click()
{
    ui::runHandler(m_context.ui(), "frmLogging.cmdStop_Click", [this] {
        StopLogSession(m_context.app, m_context.ui(), SelectedIndex);
        lstControls_Click();
    });
}

void frmLogging::cmdView_Click()
{
    ui::runHandler(m_context.ui(), "frmLogging.cmdView_Click", [this] {
        const core::InstrumentRecord *instrument = selectedInstrument();
        if (instrument == nullptr)
            return;
        std::optional<LogSnapshot> snapshot = readLogSnapshot(instrument->LogFile);
        if (!snapshot)
            return;
        *m_snapshot = std::move(*snapshot);
        m_context.navigator.openModal(this, QStringLiteral("frmViewLog"));
    });
}

void frmLogging::cmdViewHist_Click()
{
    ui::runHandler(m_context.ui(), "frmLogging.cmdViewHist_Click",
                   [this] { ViewHistoricalLog(m_context.app, m_context.ui(), m_launch); });
}

bool frmLogging::eventFilter(QObject *watched, QEvent *event)
{
    auto *text = qobject_cast<QLineEdit *>(watched);
    if (text == nullptr)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, text, &QLineEdit::selectAll);
    } else if (ui::isLeavingField(event)) {
        if (text == txtDuration)
            txtDuration_LostFocus();
        else
            txtRate_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void frmLogging::done(int result)
{
    // Closing by the title bar leaves the field without a focus change: check it now.
    if (focusWidget() == txtDuration)
        txtDuration_LostFocus();
    else if (focusWidget() == txtRate)
        txtRate_LostFocus();
    QDialog::done(result);
}

} // namespace vanta::logging
