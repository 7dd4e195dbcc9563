// The logging window: handlers read the controls, call the session rules and show the result.
#include "logging/frmLogging.h"

#include "core/app_error.h"
#include "core/system_config_file.h"
#include "logging/log_settings.h"
#include "logging/logging_sessions.h"
#include "ui/colours.h"
#include "ui/enter_as_tab.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <array>

namespace vanta::logging {
namespace {

QLabel *newLabel(QWidget *parent, const QString &name, const QString &text = {})
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QPushButton *newButton(QWidget *parent, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QRadioButton *newOption(QWidget *parent, const QString &name, int index, const QString &caption)
{
    auto *option = new QRadioButton(caption, parent);
    option->setObjectName(name + QLatin1Char('_') + QString::number(index));
    return option;
}

// A caption whose background shows a state.
QLabel *newStateLabel(QWidget *parent, const QString &name)
{
    QLabel *label = newLabel(parent, name);
    label->setAutoFillBackground(true);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QString routine(const char *handler)
{
    return QStringLiteral("frmLogging.") + QLatin1String(handler);
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
    ui::installEnterAsTab(this);
    Form_Load();
}

void frmLogging::buildControls()
{
    auto *heading =
        newLabel(this, QStringLiteral("lblListHeading"), QStringLiteral("Address           Name"));
    lstControls = new QListWidget(this);
    lstControls->setObjectName(QStringLiteral("lstControls"));
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    lstControls->setFont(courier);
    heading->setFont(courier);
    auto *instruction =
        newLabel(this, QStringLiteral("lblInstruction"),
                 QStringLiteral("Click a control in this list box to access logging functions."));
    instruction->setWordWrap(true);

    lblAddressText = newLabel(this, QStringLiteral("lblAddressText"));
    lblNameText = newLabel(this, QStringLiteral("lblNameText"));
    lblStatusText = newStateLabel(this, QStringLiteral("lblStatusText"));
    lblStartTimeText = newLabel(this, QStringLiteral("lblStartTimeText"));

    auto *fraDuration = new QGroupBox(QStringLiteral("Duration"), this);
    fraDuration->setObjectName(QStringLiteral("fraDuration"));
    txtDuration = new QLineEdit(fraDuration);
    txtDuration->setObjectName(QStringLiteral("txtDuration"));
    optHoursMins[0] =
        newOption(fraDuration, QStringLiteral("optHoursMins"), 0, QStringLiteral("Hours"));
    optHoursMins[1] =
        newOption(fraDuration, QStringLiteral("optHoursMins"), 1, QStringLiteral("Minutes"));
    lblHoursMins = newLabel(fraDuration, QStringLiteral("lblHoursMins"));

    auto *fraRate = new QGroupBox(QStringLiteral("Rate"), this);
    fraRate->setObjectName(QStringLiteral("fraRate"));
    txtRate = new QLineEdit(fraRate);
    txtRate->setObjectName(QStringLiteral("txtRate"));
    optMinSec[0] = newOption(fraRate, QStringLiteral("optMinSec"), 0, QStringLiteral("min/log"));
    optMinSec[1] = newOption(fraRate, QStringLiteral("optMinSec"), 1, QStringLiteral("sec/log"));
    lblMinSec = newLabel(fraRate, QStringLiteral("lblMinSec"));

    cmdStart = newButton(this, QStringLiteral("cmdStart"), QStringLiteral("&Start Log..."));
    cmdStop = newButton(this, QStringLiteral("cmdStop"), QStringLiteral("S&top Log"));
    cmdView = newButton(this, QStringLiteral("cmdView"), QStringLiteral("&View Current"));
    cmdViewHist = newButton(this, QStringLiteral("cmdViewHist"), QStringLiteral("View &Hist..."));
    cmdClose = newButton(this, QStringLiteral("cmdClose"), QStringLiteral("C&lose"));

    auto *durationLayout = new QGridLayout(fraDuration);
    durationLayout->addWidget(txtDuration, 0, 0);
    durationLayout->addWidget(lblHoursMins, 0, 1);
    durationLayout->addWidget(optHoursMins[0], 1, 0);
    durationLayout->addWidget(optHoursMins[1], 1, 1);
    auto *rateLayout = new QGridLayout(fraRate);
    rateLayout->addWidget(txtRate, 0, 0);
    rateLayout->addWidget(lblMinSec, 0, 1);
    rateLayout->addWidget(optMinSec[0], 1, 0);
    rateLayout->addWidget(optMinSec[1], 1, 1);

    auto *details = new QGridLayout;
    details->addWidget(newLabel(this, QStringLiteral("lblAddress"), QStringLiteral("Address:")), 0,
                       0);
    details->addWidget(lblAddressText, 0, 1);
    details->addWidget(newLabel(this, QStringLiteral("lblName"), QStringLiteral("Name:")), 1, 0);
    details->addWidget(lblNameText, 1, 1);
    details->addWidget(newLabel(this, QStringLiteral("lblStatus"), QStringLiteral("Status:")), 2,
                       0);
    details->addWidget(lblStatusText, 2, 1);
    details->addWidget(lblStartTimeText, 3, 0, 1, 2);
    details->addWidget(fraDuration, 4, 0, 1, 2);
    details->addWidget(fraRate, 5, 0, 1, 2);

    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(heading);
    listColumn->addWidget(lstControls);
    listColumn->addWidget(instruction);
    auto *top = new QHBoxLayout;
    top->addLayout(listColumn, 3);
    top->addLayout(details, 2);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {cmdStart, cmdStop, cmdView, cmdViewHist, cmdClose})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

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
    connect(lstControls, &QListWidget::currentRowChanged, this, [this] { lstControls_Click(); });
    connect(cmdStart, &QPushButton::clicked, this, &frmLogging::cmdStart_Click);
    connect(cmdStop, &QPushButton::clicked, this, &frmLogging::cmdStop_Click);
    connect(cmdView, &QPushButton::clicked, this, &frmLogging::cmdView_Click);
    connect(cmdViewHist, &QPushButton::clicked, this, &frmLogging::cmdViewHist_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmLogging::Form_Load()
{
    try {
        Busy = true;
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
        Busy = false;
    } catch (const core::AppError &error) {
        Busy = false;
        core::reportAppError(m_context.ui(), error, routine("Form_Load"));
    }
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
    try {
        {
            const core::BusyPointer pointer(m_context.ui());
            Busy = true;
            SelectedIndex = lstControls->currentRow();
            if (const core::InstrumentRecord *instrument = selectedInstrument()) {
                lblAddressText->setText(instrument->InstAddress);
                lblNameText->setText(instrument->InstName);
                lblNameText->setToolTip(instrument->InstName);
                showSessionState(*instrument);
            }
            Busy = false;
        }
        const core::InstrumentRecord *instrument = selectedInstrument();
        if (instrument == nullptr)
            return;
        const int durationUnit = instrument->LogDurationUnit == 0 ? 0 : 1;
        const int rateUnit = instrument->LogRateUnit == 0 ? 0 : 1;
        optHoursMins[durationUnit]->setChecked(true);
        optHoursMins_Click(durationUnit);
        optMinSec[rateUnit]->setChecked(true);
        optMinSec_Click(rateUnit);
    } catch (const core::AppError &error) {
        Busy = false;
        core::reportAppError(m_context.ui(), error, routine("lstControls_Click"));
    }
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

template <typename Body>
void frmLogging::editSelected(const char *handler, Body body)
{
    core::InstrumentRecord *instrument = selectedInstrument();
    if (Busy || instrument == nullptr)
        return;
    try {
        body(*instrument);
    } catch (const core::AppError &error) {
        Busy = false;
        core::reportAppError(m_context.ui(), error, routine(handler));
    }
}

void frmLogging::optHoursMins_Click(int Index)
{
    editSelected("optHoursMins_Click", [&](core::InstrumentRecord &instrument) {
        const DurationUnit unit = durationUnitFromIndex(Index);
        instrument.LogDurationUnit = static_cast<qint16>(unit);
        lblHoursMins->setText(durationUnitCaption(unit));
        txtDuration->setText(durationText(instrument.LogDuration, unit));
        txtDuration_LostFocus();
    });
}

void frmLogging::optMinSec_Click(int Index)
{
    editSelected("optMinSec_Click", [&](core::InstrumentRecord &instrument) {
        const RateUnit unit = rateUnitFromIndex(Index);
        instrument.LogRateUnit = static_cast<qint16>(unit);
        lblMinSec->setText(rateUnitCaption(unit));
        txtRate->setText(rateText(instrument.LogRate, unit));
        txtRate_LostFocus();
    });
}

void frmLogging::txtDuration_LostFocus()
{
    editSelected("txtDuration_LostFocus", [&](core::InstrumentRecord &instrument) {
        Busy = true;
        const DurationUnit unit =
            optHoursMins[0]->isChecked() ? DurationUnit::Hours : DurationUnit::Minutes;
        const CheckedEntry<qint16> entry =
            checkDuration(txtDuration->text(), unit, instrument.LogDuration);
        instrument.LogDuration = entry.stored;
        txtDuration->setText(entry.text);
        Busy = false;
        saveIfChanged();
    });
}

void frmLogging::txtRate_LostFocus()
{
    editSelected("txtRate_LostFocus", [&](core::InstrumentRecord &instrument) {
        Busy = true;
        const RateUnit unit =
            optMinSec[0]->isChecked() ? RateUnit::MinutesPerLog : RateUnit::SecondsPerLog;
        const CheckedEntry<float> entry = checkRate(txtRate->text(), unit, instrument.LogRate);
        instrument.LogRate = entry.stored;
        txtRate->setText(entry.text);
        Busy = false;
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
    try {
        if (StartLogSession(m_context.app, m_context.clock(), m_context.ui(), SelectedIndex))
            lstControls_Click();
    } catch (const core::AppError &error) {
        core::reportAppError(m_context.ui(), error, routine("cmdStart_Click"));
    }
}

void frmLogging::cmdStop_Click()
{
    try {
        StopLogSession(m_context.app, m_context.ui(), SelectedIndex);
        lstControls_Click();
    } catch (const core::AppError &error) {
        core::reportAppError(m_context.ui(), error, routine("cmdStop_Click"));
    }
}

void frmLogging::cmdView_Click()
{
    const core::InstrumentRecord *instrument = selectedInstrument();
    if (instrument == nullptr)
        return;
    try {
        std::optional<LogSnapshot> snapshot = readLogSnapshot(instrument->LogFile);
        if (!snapshot)
            return;
        *m_snapshot = std::move(*snapshot);
        m_context.navigator.openModal(this, QStringLiteral("frmViewLog"));
    } catch (const core::AppError &error) {
        core::reportAppError(m_context.ui(), error, routine("cmdView_Click"));
    }
}

void frmLogging::cmdViewHist_Click()
{
    try {
        ViewHistoricalLog(m_context.app, m_context.ui(), m_launch);
    } catch (const core::AppError &error) {
        core::reportAppError(m_context.ui(), error, routine("cmdViewHist_Click"));
    }
}

bool frmLogging::eventFilter(QObject *watched, QEvent *event)
{
    auto *text = qobject_cast<QLineEdit *>(watched);
    if (text == nullptr)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, text, &QLineEdit::selectAll);
    } else if (event->type() == QEvent::FocusOut) {
        // Switching to another application or opening a message box is not leaving the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (text == txtDuration)
                txtDuration_LostFocus();
            else
                txtRate_LostFocus();
        }
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
