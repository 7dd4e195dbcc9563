// The main window.
#include "ui/frmMain.h"

#include "ui/colours.h"
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

QLabel *newLabel(QWidget *parent, const char *objectName, const QString &text = {})
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

void setPointSize(QLabel *label, int points, bool bold)
{
    QFont font = label->font();
    font.setPointSize(points);
    font.setBold(bold);
    label->setFont(font);
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

void frmMain::buildControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("fraMain"));
    auto *layout = new QVBoxLayout(central);

    lblTitle =
        newLabel(central, "lblTitle", QStringLiteral("VANTALNK3 - Process Monitoring and Logger"));
    setPointSize(lblTitle, 14, true);
    lblTitle->setAlignment(Qt::AlignCenter);
    layout->addWidget(lblTitle);

    auto *versionRow = new QHBoxLayout;
    lblVersion = newLabel(central, "lblVersion", QStringLiteral("Version 1.00.00"));
    lblBeta = newLabel(central, "lblBeta", QStringLiteral("BETA"));
    setPointSize(lblBeta, 10, true);
    setTextColour(lblBeta, Colours::Red);
    versionRow->addStretch();
    versionRow->addWidget(lblVersion);
    versionRow->addWidget(lblBeta);
    versionRow->addStretch();
    layout->addLayout(versionRow);

    // The picture is placed by hand so that it is centred on the design width.
    fraPicture = new QWidget(central);
    fraPicture->setObjectName(QStringLiteral("fraPicture"));
    fraPicture->setFixedWidth(DesignWidthPixels);
    imgCompany = newLabel(fraPicture, "imgCompany");
    layout->addWidget(fraPicture, 0, Qt::AlignHCenter);

    layout->addWidget(createNavigationButtons(this, m_navigator));

    auto *lowerRow = new QHBoxLayout;
    auto *indicators = new QVBoxLayout;
    indicators->addWidget(buildIndicator(shpComms, "shpComms", lblComms, "lblComms",
                                         QStringLiteral("Comms Established")));
    indicators->addWidget(buildIndicator(shpLogging, "shpLogging", lblLogging, "lblLogging",
                                         QStringLiteral("Log Session(s) in Progress")));
    indicators->addWidget(buildIndicator(shpGraphing, "shpGraphing", lblGraphing, "lblGraphing",
                                         QStringLiteral("Graph Recording in Progress")));
    lowerRow->addLayout(indicators);
    lowerRow->addStretch();
    lblDemoMode = newLabel(central, "lblDemoMode", QStringLiteral("Demo Mode"));
    setPointSize(lblDemoMode, 12, true);
    setTextColour(lblDemoMode, Colours::Red);
    lowerRow->addWidget(lblDemoMode);
    cmdDemoMode = new QPushButton(QStringLiteral("Toggle Demo Mode"), central);
    cmdDemoMode->setObjectName(QStringLiteral("cmdDemoMode"));
    cmdDemoMode->setAutoDefault(false);
    connect(cmdDemoMode, &QPushButton::clicked, this, &frmMain::cmdDemoMode_Click);
    lowerRow->addWidget(cmdDemoMode);
    layout->addLayout(lowerRow);

    lblErrorMessageText = newLabel(central, "lblErrorMessageText");
    lblErrorMessageText->setWordWrap(true);
    lblErrorMessageText->setFrameShape(QFrame::Panel);
    lblErrorMessageText->setFrameShadow(QFrame::Sunken);
    lblErrorMessageText->setMinimumHeight(lblErrorMessageText->fontMetrics().height() * 2);
    layout->addWidget(lblErrorMessageText);

    setCentralWidget(central);
    addFileMenu(menuBar(), this);
    addCommunicationsMenu(menuBar(), this, m_navigator);
}

QWidget *frmMain::buildIndicator(QFrame *&shape, const char *shapeName, QLabel *&label,
                                 const char *labelName, const QString &caption)
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    shape = new QFrame(row);
    shape->setObjectName(QString::fromLatin1(shapeName));
    shape->setFrameShape(QFrame::Box);
    shape->setFixedSize(ShapeSize, ShapeSize);
    label = newLabel(row, labelName, caption);
    layout->addWidget(shape);
    layout->addWidget(label);
    layout->addStretch();
    return row;
}

// Each step stands alone: a missing or unreadable file leaves its caption or picture empty.
void frmMain::Form_Load(const ProgramVersion &version)
{
    const QString title = readTitleLine(m_app.programFile(titleFileName(m_app.ProductMode)));
    setWindowTitle(title);
    lblTitle->setText(title);

    lblVersion->setText(versionLabelText(version));
    lblBeta->setVisible(isBetaVersion(version));

    const QPixmap picture(m_app.programFile(pictureFileName(m_app.ProductMode)));
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
