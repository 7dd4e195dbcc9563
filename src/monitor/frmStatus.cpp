// The status window: controls, activation and the poll timer; the poll itself is StatusPoll.
#include "monitor/frmStatus.h"

#include "ui/address_combo.h"
#include "ui/colours.h"
#include "ui/controls.h"
#include "ui/enter_as_tab.h"
#include "ui/navigation_bar.h"
#include "ui/run_handler.h"

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
constexpr int ValueWidth = 200; // wide enough for a model name and type

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

// Controls are created in the order of the window, which is their tab order.
void frmStatus::buildControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("fraStatus"));
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(ui::createNavigationButtons(this, m_navigator));
    QLabel *lblAddress = ui::newLabel(central, "lblAddress", QStringLiteral("Address:"));
    cbxAddress = ui::newCombo(central, "cbxAddress");
    cbxAddress->setMaxVisibleItems(16);
    lblDemoMode = ui::newDemoModeMark(central);
    lblDateTime = ui::newLabel(central, "lblDateTime");
    ui::addToBox(layout,
                 {ui::newRow({lblAddress, cbxAddress, ui::Stretch, lblDemoMode, lblDateTime}),
                  buildModelInfo(central), buildValues(central)});
    QLabel *lblUnitErrors =
        ui::newLabel(central, "lblUnitErrors", QStringLiteral("Instrument Unit Errors"));
    lisUnitErrors = ui::newList(central, "lisUnitErrors");
    lisUnitErrors->setMaximumHeight(120);
    lblErrorMessageText = ui::newMessageLine(central, "lblErrorMessageText");
    ui::addToBox(layout, {lblUnitErrors, lisUnitErrors, lblErrorMessageText});
    setCentralWidget(central);
    ui::addFileMenu(menuBar(), this);
    ui::addCommunicationsMenu(menuBar(), this, m_navigator);
}

QWidget *frmStatus::buildModelInfo(QWidget *parent)
{
    fraModelInfo = ui::newFrame(parent, "fraModelInfo", QStringLiteral("Model Info"));
    ui::addFormRows(
        fraModelInfo, new QGridLayout(fraModelInfo),
        {
            {"lblModelID", "Model I.D. #:", "lblModelIDText", &lblModelIDText},
            {nullptr, nullptr, "lblModelType", &lblModelType},
            {"lblSoftVer", "Software Version #:", "lblSoftVerText", &lblSoftVerText},
            {"lblCommVer", "Comm. Version #:", "lblCommVerText", &lblCommVerText, &lblCommVer},
            {"lblMode", "A/M Mode:", "lblModeText", &lblModeText, &lblMode},
        },
        ValueWidth);
    return fraModelInfo;
}

QWidget *frmStatus::buildValues(QWidget *parent)
{
    auto *values = new QWidget(parent);
    ui::addFormRows(
        values, new QGridLayout(values),
        {
            {"lblCommMode", "Comm. Mode:", "lblCommModeText", &lblCommModeText},
            {"lblAlm1Stat", "Alarm 1 Output:", "lblAlm1StatText", &lblAlm1StatText},
            {"lblAlm2Stat", "Alarm 2 Output:", "lblAlm2StatText", &lblAlm2StatText},
            {"lblProcessValue", "Process Value:", "lblProcessValueText", &lblProcessValueText},
            {"lblSetpoint", "Setpoint  Value:", "lblSetpointText", &lblSetpointText, &lblSetpoint},
        },
        ValueWidth);
    return values;
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
    ui::runHandler(m_ui, "frmStatus.tmrPoll_Timer", [this] {
        m_poll.tmrPoll_Timer(ui::ParseAddressCombo(*cbxAddress, m_app.Config.ControllerGroup));
    });
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
