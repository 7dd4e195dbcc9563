// The status window: controls, activation and the poll timer; the poll itself is StatusPoll.
#include "monitor/frmStatus.h"

#include "core/app_error.h"
#include "ui/address_combo.h"
#include "ui/colours.h"
#include "ui/enter_as_tab.h"
#include "ui/navigation_bar.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>

namespace vanta::monitor {

namespace {

constexpr int PollIntervalMs = 1000;

QColor colourOf(StatusColour colour)
{
    switch (colour) {
    case StatusColour::Green:
        return ui::Colours::AutoGreen;
    case StatusColour::Red:
        return ui::Colours::Red;
    case StatusColour::Black:
        break;
    }
    return ui::Colours::Black;
}

QLabel *newLabel(QWidget *parent, const char *objectName, const QString &text = {})
{
    auto *label = new QLabel(text, parent);
    if (objectName != nullptr)
        label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

} // namespace

frmStatus::frmStatus(const ui::WindowContext &context, std::function<double()> random)
    : m_app(context.app), m_ui(context.ui()), m_navigator(context.navigator),
      m_poll(context.link, std::move(random))
{
    setObjectName(QStringLiteral("frmStatus"));
    setWindowTitle(QStringLiteral("Controller Status"));
    buildControls();

    tmrPoll = new QTimer(this);
    tmrPoll->setObjectName(QStringLiteral("tmrPoll"));
    tmrPoll->setInterval(PollIntervalMs);
    connect(tmrPoll, &QTimer::timeout, this, &frmStatus::tmrPoll_Timer);
    connect(&m_app, &core::AppState::demoModeChanged, this, &frmStatus::showDemoMode);

    Form_Load();
    connect(cbxAddress, &QComboBox::currentIndexChanged, this, &frmStatus::ClearAllFields);
    ui::installEnterAsTab(this);
}

QLabel *frmStatus::addRow(QGridLayout *grid, int row, const char *captionName,
                          const QString &caption, const char *valueName)
{
    QWidget *parent = grid->parentWidget();
    grid->addWidget(newLabel(parent, captionName, caption), row, 0, Qt::AlignRight);
    QLabel *value = newLabel(parent, valueName);
    value->setMinimumWidth(200);
    grid->addWidget(value, row, 1);
    return value;
}

void frmStatus::buildControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("fraStatus"));
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(ui::createNavigationButtons(this, m_navigator));

    auto *top = new QHBoxLayout;
    top->addWidget(newLabel(central, "lblAddress", QStringLiteral("Address:")));
    cbxAddress = new QComboBox(central);
    cbxAddress->setObjectName(QStringLiteral("cbxAddress"));
    cbxAddress->setMaxVisibleItems(16);
    top->addWidget(cbxAddress);
    top->addStretch();
    lblDemoMode = newLabel(central, "lblDemoMode", QStringLiteral("Demo Mode"));
    ui::setTextColour(lblDemoMode, ui::Colours::Red);
    top->addWidget(lblDemoMode);
    lblDateTime = newLabel(central, "lblDateTime");
    top->addWidget(lblDateTime);
    layout->addLayout(top);

    fraModelInfo = new QGroupBox(QStringLiteral("Model Info"), central);
    fraModelInfo->setObjectName(QStringLiteral("fraModelInfo"));
    auto *model = new QGridLayout(fraModelInfo);
    lblModelIDText =
        addRow(model, 0, "lblModelID", QStringLiteral("Model I.D. #:"), "lblModelIDText");
    lblModelType = newLabel(fraModelInfo, "lblModelType");
    model->addWidget(lblModelType, 1, 1);
    lblSoftVerText =
        addRow(model, 2, "lblSoftVer", QStringLiteral("Software Version #:"), "lblSoftVerText");
    lblCommVerText =
        addRow(model, 3, "lblCommVer", QStringLiteral("Comm. Version #:"), "lblCommVerText");
    lblCommVer = fraModelInfo->findChild<QLabel *>(QStringLiteral("lblCommVer"));
    lblModeText = addRow(model, 4, "lblMode", QStringLiteral("A/M Mode:"), "lblModeText");
    lblMode = fraModelInfo->findChild<QLabel *>(QStringLiteral("lblMode"));
    layout->addWidget(fraModelInfo);

    auto *values = new QWidget(central);
    auto *grid = new QGridLayout(values);
    lblCommModeText =
        addRow(grid, 0, "lblCommMode", QStringLiteral("Comm. Mode:"), "lblCommModeText");
    lblAlm1StatText =
        addRow(grid, 1, "lblAlm1Stat", QStringLiteral("Alarm 1 Output:"), "lblAlm1StatText");
    lblAlm2StatText =
        addRow(grid, 2, "lblAlm2Stat", QStringLiteral("Alarm 2 Output:"), "lblAlm2StatText");
    lblProcessValueText =
        addRow(grid, 3, "lblProcessValue", QStringLiteral("Process Value:"), "lblProcessValueText");
    lblSetpointText =
        addRow(grid, 4, "lblSetpoint", QStringLiteral("Setpoint  Value:"), "lblSetpointText");
    lblSetpoint = values->findChild<QLabel *>(QStringLiteral("lblSetpoint"));
    layout->addWidget(values);

    layout->addWidget(newLabel(central, "lblUnitErrors", QStringLiteral("Instrument Unit Errors")));
    lisUnitErrors = new QListWidget(central);
    lisUnitErrors->setObjectName(QStringLiteral("lisUnitErrors"));
    lisUnitErrors->setMaximumHeight(120);
    layout->addWidget(lisUnitErrors);

    lblErrorMessageText = newLabel(central, "lblErrorMessageText");
    lblErrorMessageText->setWordWrap(true);
    lblErrorMessageText->setFrameShape(QFrame::Panel);
    lblErrorMessageText->setFrameShadow(QFrame::Sunken);
    layout->addWidget(lblErrorMessageText);

    setCentralWidget(central);
    ui::addFileMenu(menuBar(), this);
    ui::addCommunicationsMenu(menuBar(), this, m_navigator);
}

void frmStatus::Form_Load()
{
    fillAddressList();
    ClearAllFields();
    showDemoMode();
}

void frmStatus::fillAddressList()
{
    const QSignalBlocker quiet(cbxAddress);
    LastGroup = m_app.Config.ControllerGroup;
    ui::FillAddressList(*cbxAddress, LastGroup == 0, /*SetDefault=*/true);
}

void frmStatus::activated()
{
    showDemoMode();
    if (m_app.Config.ControllerGroup != LastGroup) {
        fillAddressList();
        ClearAllFields();
    }
    tmrPoll->start();
    if (m_app.DemoMode())
        tmrPoll_Timer();
}

void frmStatus::deactivated()
{
    tmrPoll->stop();
}

void frmStatus::showDemoMode()
{
    lblDemoMode->setVisible(m_app.DemoMode());
}

void frmStatus::ClearAllFields()
{
    m_poll.ClearAllFields();
    showFields();
}

void frmStatus::tmrPoll_Timer()
{
    const core::ReentryGuard guard(m_inTick, m_navigator.loops());
    if (!guard)
        return;
    try {
        m_poll.tmrPoll_Timer(ui::ParseAddressCombo(*cbxAddress, m_app.Config.ControllerGroup));
    } catch (const core::AppError &error) {
        core::reportAppError(m_ui, error, QStringLiteral("frmStatus.tmrPoll_Timer"));
    }
    showFields();
}

void frmStatus::showFields()
{
    const StatusFields &fields = m_poll.fields();
    lblDateTime->setText(fields.DateTime);
    lblErrorMessageText->setText(fields.ErrorMessageText);
    lblModelIDText->setText(fields.ModelIDText);
    lblModelType->setText(fields.ModelType);
    lblSoftVerText->setText(fields.SoftVerText);
    lblCommVerText->setText(fields.CommVerText);
    lblCommVer->setVisible(fields.CommVerVisible);
    lblCommVerText->setVisible(fields.CommVerVisible);
    lblModeText->setText(fields.ModeText);
    ui::setTextColour(lblModeText, colourOf(fields.ModeColour));
    lblMode->setVisible(fields.ModeVisible);
    lblModeText->setVisible(fields.ModeVisible);
    lblCommModeText->setText(fields.CommModeText);
    lblAlm1StatText->setText(fields.Alm1StatText);
    ui::setTextColour(lblAlm1StatText, colourOf(fields.Alm1Colour));
    lblAlm2StatText->setText(fields.Alm2StatText);
    ui::setTextColour(lblAlm2StatText, colourOf(fields.Alm2Colour));
    lblProcessValueText->setText(fields.ProcessValueText);
    lblSetpointText->setText(fields.SetpointText);
    lblSetpoint->setVisible(fields.SetpointVisible);
    lblSetpointText->setVisible(fields.SetpointVisible);
    showUnitErrors();
}

// The list is refilled only when the poll rebuilt it, so a selection survives unchanged ticks.
void frmStatus::showUnitErrors()
{
    const StatusFields &fields = m_poll.fields();
    if (fields.UnitErrorsBuilds == m_shownErrorBuilds)
        return;
    m_shownErrorBuilds = fields.UnitErrorsBuilds;
    lisUnitErrors->clear();
    lisUnitErrors->addItems(fields.UnitErrors);
}

void frmStatus::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_navigator.endProgram();
}

} // namespace vanta::monitor
