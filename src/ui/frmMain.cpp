// The main window.
#include "ui/frmMain.h"

#include "core/app_error.h"
#include "core/regular_file.h"
#include "ui/colours.h"
#include "ui/controls.h"
#include "ui/enter_as_tab.h"
#include "ui/navigation_bar.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vanta::ui {

namespace {

constexpr int LoggingIntervalMs = 50;
constexpr int ShapeSize = 16;

// An indicator's shape: a small box that is filled when the indicator is on.
QFrame *newShape(QWidget *parent, const char *name)
{
    auto *shape = new QFrame(parent);
    shape->setObjectName(QString::fromLatin1(name));
    shape->setFrameShape(QFrame::Box);
    shape->setFixedSize(ShapeSize, ShapeSize);
    return shape;
}

// The picture file's image; none when it is missing, no regular file (a fifo would block the
// start) or no image.
QPixmap readPicture(const QString &path)
{
    QPixmap picture;
    try {
        picture.loadFromData(core::readRegularFile(path));
    } catch (const core::AppError &) {
    }
    return picture;
}

} // namespace

frmMain::frmMain(const WindowContext &context, ProgramVersion version)
    : m_app(context.app), m_navigator(context.navigator)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vanta Controls - Process Monitor/Logger"));
    buildControls();
    Form_Load(version);

    tmrLogging = new QTimer(this);
    tmrLogging->setObjectName(QStringLiteral("tmrLogging"));
    tmrLogging->setInterval(LoggingIntervalMs);
    connect(tmrLogging, &QTimer::timeout, this, &frmMain::tmrLogging_Timer);

    connect(&m_app, &core::AppState::demoModeChanged, this, &frmMain::showDemoMode);
    connect(&m_app, &core::AppState::commEnabledChanged, this, &frmMain::followCommEnabled);
    connect(&m_app, &core::AppState::loggingActiveChanged, this,
            [this](bool active) { setIndicator(shpLogging, active); });
    connect(&m_app, &core::AppState::graphRecordingChanged, this,
            [this](bool recording) { setIndicator(shpGraphing, recording); });
    connect(&m_app, &core::AppState::errorLineChanged, lblErrorMessageText, &QLabel::setText);
    followCommEnabled(m_app.CommEnabled());
    setIndicator(shpLogging, m_app.LoggingActive());
    setIndicator(shpGraphing, m_app.GraphRecording());
    showDemoMode();
    installEnterAsTab(this);
}

// Controls are created in the order of the window, which is their tab order.
void frmMain::buildControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("fraMain"));
    lblTitle =
        newLabel(central, "lblTitle", QStringLiteral("VANTALNK3 - Process Monitoring and Logger"));
    setFontSize(lblTitle, 14, Weight::Bold);
    lblTitle->setAlignment(Qt::AlignCenter);
    lblVersion = newLabel(central, "lblVersion", QStringLiteral("Version 1.00.00"));
    lblBeta = newLabel(central, "lblBeta", QStringLiteral("BETA"));
    setFontSize(lblBeta, 10, Weight::Bold);
    setTextColour(lblBeta, Colours::Red);
    auto *layout = new QVBoxLayout(central);
    addToBox(layout, {lblTitle, newRow({Stretch, lblVersion, lblBeta, Stretch})});
    layout->addWidget(buildPicture(central), 0, Qt::AlignHCenter);
    layout->addWidget(createNavigationButtons(this, m_navigator));
    layout->addLayout(buildLowerRow(central));
    lblErrorMessageText = newMessageLine(central, "lblErrorMessageText");
    layout->addWidget(lblErrorMessageText);
    setCentralWidget(central);
    addFileMenu(menuBar(), this);
    addCommunicationsMenu(menuBar(), this, m_navigator);
}

// The picture is placed by hand (Form_Load) so that it is centred on the design width.
QWidget *frmMain::buildPicture(QWidget *parent)
{
    fraPicture = new QWidget(parent);
    fraPicture->setObjectName(QStringLiteral("fraPicture"));
    fraPicture->setFixedWidth(DesignWidthPixels);
    imgCompany = newLabel(fraPicture, "imgCompany");
    return fraPicture;
}

// The indicators, the demo-mode mark and its button.
QLayout *frmMain::buildLowerRow(QWidget *parent)
{
    QWidget *indicators = buildIndicators(parent);
    lblDemoMode = newDemoModeMark(parent);
    setFontSize(lblDemoMode, 12, Weight::Bold);
    QPushButton *cmdDemoMode = newButton(parent, "cmdDemoMode", QStringLiteral("Toggle Demo Mode"));
    connect(cmdDemoMode, &QPushButton::clicked, this, &frmMain::cmdDemoMode_Click);
    return newRow({indicators, Stretch, lblDemoMode, cmdDemoMode});
}

QWidget *frmMain::buildIndicators(QWidget *parent)
{
    auto *indicators = new QWidget(parent);
    shpComms = newShape(indicators, "shpComms");
    shpLogging = newShape(indicators, "shpLogging");
    shpGraphing = newShape(indicators, "shpGraphing");
    auto *grid = new QGridLayout(indicators);
    grid->setContentsMargins(0, 0, 0, 0);
    addGridRows(grid,
                {{shpComms, newLabel(indicators, "lblComms", QStringLiteral("Comms Established"))},
                 {shpLogging,
                  newLabel(indicators, "lblLogging", QStringLiteral("Log Session(s) in Progress"))},
                 {shpGraphing, newLabel(indicators, "lblGraphing",
                                        QStringLiteral("Graph Recording in Progress"))}});
    return indicators;
}

// Each step stands alone: a missing or unreadable file leaves its caption or picture empty.
void frmMain::Form_Load(const ProgramVersion &version)
{
    const QString title = readTitleLine(m_app.programFile(titleFileName(m_app.ProductMode)));
    setWindowTitle(title);
    lblTitle->setText(title);

    lblVersion->setText(versionLabelText(version));
    lblBeta->setVisible(isBetaVersion(version));

    const QPixmap picture = readPicture(m_app.programFile(pictureFileName(m_app.ProductMode)));
    if (!picture.isNull()) {
        imgCompany->setPixmap(picture);
        imgCompany->setGeometry(pictureLeft(picture.width()), 0, picture.width(), picture.height());
        fraPicture->setFixedHeight(picture.height());
    } else {
        fraPicture->setFixedHeight(0);
    }

    lblErrorMessageText->clear();
}

void frmMain::activated()
{
    showDemoMode();
}

void frmMain::showDemoMode()
{
    lblDemoMode->setVisible(m_app.DemoMode());
}

void frmMain::followCommEnabled(bool enabled)
{
    setIndicator(shpComms, enabled);
    if (enabled)
        tmrLogging->start();
    else
        tmrLogging->stop();
}

void frmMain::tmrLogging_Timer()
{
    m_navigator.runLoggingTick();
}

void frmMain::cmdDemoMode_Click()
{
    m_app.setDemoMode(!m_app.DemoMode());
}

void frmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_navigator.endProgram();
}

} // namespace vanta::ui
