// The graph window: controls, handlers and timers around TrendGraph, and the chart TrendPlot.
#include "logging/frmGraph.h"

#include "core/number_format.h"
#include "core/program_folder.h"
#include "logging/trend_cursors.h"
#include "ui/colours.h"
#include "ui/controls.h"
#include "ui/enter_as_tab.h"
#include "ui/navigation_bar.h"
#include "ui/printing.h"
#include "ui/run_handler.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace vanta::logging {

namespace {

constexpr int SamplingIntervalMs = 50;
constexpr int RefreshIntervalMs = 250;
constexpr int ShapeSize = 14;

struct CommandButton
{
    const char *name;
    const char *caption;
};

constexpr CommandButton CommandButtons[] = {
    {"cmdStartSampling", "Start Sampling"}, {"cmdStopSampling", "Stop Sampling"},
    {"cmdClearData", "Clear Data"},         {"cmdRefresh", "Refresh"},
    {"cmdPrintColor", "Print Color"},       {"cmdPrintMono", "Print Mono"},
    {"cmdGraphConfig", "Tick Marks"},       {"cmdSaveData", "Save Data"},
    {"cmdRestoreData", "Restore Data"},     {"cmdExportImage", "Export Image..."},
};

QScrollBar *newScrollBar(QWidget *parent, const char *name, Qt::Orientation orientation,
                         int minimum, int value)
{
    auto *bar = new QScrollBar(orientation, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(minimum, 100);
    bar->setPageStep(10);
    bar->setValue(value);
    // The vertical bars have 100 at the top.
    bar->setInvertedAppearance(orientation == Qt::Vertical);
    return bar;
}

QColor indicatorColour(PenIndicator indicator, const QWidget &window)
{
    switch (indicator) {
    case PenIndicator::Reading:
        return ui::Colours::Green;
    case PenIndicator::Failed:
        return ui::Colours::Red;
    case PenIndicator::ButtonFace:
        return ui::buttonFace();
    case PenIndicator::WindowColour:
        break;
    }
    return window.palette().color(QPalette::Window);
}

QString numberOrDash(std::optional<double> value)
{
    return value ? QString::number(*value, 'g', 6) : QStringLiteral("-");
}

QString unitOf(TimeBase base)
{
    switch (base) {
    case TimeBase::Minutes:
        return QStringLiteral("min.");
    case TimeBase::Hours:
        return QStringLiteral("hrs.");
    case TimeBase::Seconds:
        break;
    }
    return QStringLiteral("sec.");
}

// Decimals of a value as shown; 0 for numbers shown with an exponent.
int decimalsOf(float value)
{
    const QString text = QString::number(value, 'g', 6);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point < 0 || text.contains(QLatin1Char('e')))
        return 0;
    return static_cast<int>(text.size() - point - 1);
}

// The change between the cursors in the decimals of the readings, so 325.1 after 325 shows 0.1
// and not the single-precision rest 0.100006.
QString differenceText(std::optional<float> first, std::optional<float> second)
{
    if (!first || !second)
        return QStringLiteral("-");
    const int decimals = std::max(decimalsOf(*first), decimalsOf(*second));
    return QString::number(double(*second) - double(*first), 'f', decimals);
}

// A pen's row of the cursor table; with one cursor only its value there.
QStringList cursorCells(const QString &legend, const PenReading &reading, bool bothCursors)
{
    const auto ifBoth = [bothCursors](std::optional<double> value) {
        return numberOrDash(bothCursors ? value : std::nullopt);
    };
    const std::optional<Extent> between = bothCursors ? reading.between : std::nullopt;
    return {legend,
            numberOrDash(reading.atFirst),
            ifBoth(reading.atSecond),
            bothCursors ? differenceText(reading.atFirst, reading.atSecond) : QStringLiteral("-"),
            numberOrDash(between ? std::optional(between->minimum) : std::nullopt),
            numberOrDash(between ? std::optional(between->maximum) : std::nullopt),
            ifBoth(reading.mean)};
}

} // namespace

frmGraph::frmGraph(const ui::WindowContext &context, std::shared_ptr<GraphSetupExchange> setup,
                   ProcessValueReader reader)
    : m_app(context.app), m_ui(context.ui()), m_navigator(context.navigator),
      m_setup(std::move(setup)), m_graph(context.link, context.navigator.loops(), std::move(reader))
{
    setObjectName(QStringLiteral("frmGraph"));
    setWindowTitle(QStringLiteral("Real Time Graph"));
    buildControls();
    resize(1240, 940);
    buildTimers();
    connectHandlers();
    ui::installEnterAsTab(this);
    // Enter in one Y limit box moves to the other; installed after Enter-as-Tab to come first.
    for (QLineEdit *box : {txtYScaleMin, txtYScaleMax})
        box->installEventFilter(this);
    Form_Load();
}

// Controls are created in the order of the window, which is their tab order.
void frmGraph::buildControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("fraGraph"));
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(ui::createNavigationButtons(this, m_navigator, 8));
    auto *side = new QWidget(central);
    auto *sideColumn = new QVBoxLayout(side);
    sideColumn->setContentsMargins(0, 0, 0, 0);
    ui::addToBox(sideColumn, {buildChoices(side), buildCommands(side), buildScaling(side),
                              buildCaptions(side), ui::Stretch});
    side->setFixedWidth(230);
    layout->addLayout(ui::newRow({side, buildChart(central)}), 1);
    layout->addWidget(buildPens(central));
    setCentralWidget(central);
    ui::addFileMenu(menuBar(), this);
    ui::addCommunicationsMenu(menuBar(), this, m_navigator);
}

QWidget *frmGraph::buildChoices(QWidget *parent)
{
    auto *choices = new QWidget(parent);
    cbxSampleRate = ui::newCombo(choices, "cbxSampleRate");
    cbxDuration = ui::newCombo(choices, "cbxDuration");
    cbxRefreshRate = ui::newCombo(choices, "cbxRefreshRate");
    auto *grid = new QGridLayout(choices);
    grid->setContentsMargins(0, 0, 0, 0);
    ui::addGridRows(
        grid,
        {{ui::newLabel(choices, "lblSampleRate", QStringLiteral("Data Sampling Rate:")),
          cbxSampleRate},
         {ui::newLabel(choices, "lblDuration", QStringLiteral("Sampling Duration:")), cbxDuration},
         {ui::newLabel(choices, "lblRefreshRate", QStringLiteral("Graph Refresh Rate:")),
          cbxRefreshRate}});
    return choices;
}

QWidget *frmGraph::buildCommands(QWidget *parent)
{
    auto *commands = new QWidget(parent);
    auto *grid = new QGridLayout(commands);
    grid->setContentsMargins(0, 0, 0, 0);
    int index = 0;
    for (const CommandButton &command : CommandButtons) {
        QPushButton *button =
            ui::newButton(commands, command.name, QString::fromLatin1(command.caption));
        button->setAutoDefault(false);
        grid->addWidget(button, index / 2, index % 2);
        ++index;
    }
    return commands;
}

QWidget *frmGraph::buildScaling(QWidget *parent)
{
    auto *scaling = new QWidget(parent);
    chkXAutoScale = ui::newCheckBox(scaling, "chkXAutoScale", QStringLiteral("X Auto-Scaling"));
    chkYAutoScale = ui::newCheckBox(scaling, "chkYAutoScale", QStringLiteral("Y Auto-Scaling"));
    chkSymbols = ui::newCheckBox(scaling, "chkSymbols", QStringLiteral("Show Symbols"));
    QGroupBox *fraTimeBase = ui::newFrame(scaling, "fraTimeBase", QStringLiteral("Time Base:"));
    const char *bases[] = {"Secs.", "Min.", "Hours"};
    auto *row = new QHBoxLayout(fraTimeBase);
    for (int index = 0; index < 3; ++index) {
        optTimeBase[index] =
            ui::newOption(fraTimeBase, "optTimeBase", index, QString::fromLatin1(bases[index]));
        row->addWidget(optTimeBase[index]);
    }
    auto *column = new QVBoxLayout(scaling);
    column->setContentsMargins(0, 0, 0, 0);
    ui::addToBox(column, {chkXAutoScale, chkYAutoScale, chkSymbols, fraTimeBase});
    return scaling;
}

QWidget *frmGraph::buildCaptions(QWidget *parent)
{
    auto *captions = new QWidget(parent);
    auto *grid = new QGridLayout(captions);
    grid->setContentsMargins(0, 0, 0, 0);
    ui::addFormRows(captions, grid,
                    {{"lblSampleCount", "Sample Count:", "lblSampleCountText", &lblSampleCountText},
                     {"lblBufferSize", "Buffer Used:", "lblBufferSizeText", &lblBufferSizeText,
                      &lblBufferSize}});
    lblSampling = ui::newLabel(captions, "lblSampling", QStringLiteral("Sampling in Progress"));
    ui::setFontSize(lblSampling, 10, ui::Weight::Bold);
    ui::setTextColour(lblSampling, ui::Colours::AutoGreen);
    lblDemoMode = ui::newDemoModeMark(captions);
    ui::addGridRows(grid, {{lblSampling}, {lblDemoMode}});
    return captions;
}

// The chart with its Y scroll bars and limit boxes on the left and its X scroll bars below.
QWidget *frmGraph::buildChart(QWidget *parent)
{
    auto *chart = new QWidget(parent);
    txtYScaleMax = ui::newTextBox(chart, "txtYScaleMax");
    txtYScaleMin = ui::newTextBox(chart, "txtYScaleMin");
    for (QLineEdit *box : {txtYScaleMax, txtYScaleMin})
        box->setFixedWidth(70);
    vscYAxisOffset = newScrollBar(chart, "vscYAxisOffset", Qt::Vertical, 0, 0);
    vscYAxisSpan = newScrollBar(chart, "vscYAxisSpan", Qt::Vertical, 1, 100);
    hscXAxisOffset = newScrollBar(chart, "hscXAxisOffset", Qt::Horizontal, 0, 0);
    hscXAxisSpan = newScrollBar(chart, "hscXAxisSpan", Qt::Horizontal, 1, 100);
    gphGraph = new TrendPlot(chart);
    gphGraph->setMinimumSize(600, 380);
    lblCursors = ui::newLabel(chart, "lblCursors",
                              QStringLiteral("Ctrl+click the chart to place the two cursors."));
    grdCursors = new QTableWidget(0, 7, chart);
    grdCursors->setObjectName(QStringLiteral("grdCursors"));
    grdCursors->setHorizontalHeaderLabels({QStringLiteral("Pen"), QStringLiteral("Cursor 1"),
                                           QStringLiteral("Cursor 2"),
                                           QStringLiteral("\u0394 Value"), QStringLiteral("Min"),
                                           QStringLiteral("Max"), QStringLiteral("Mean")});
    grdCursors->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grdCursors->verticalHeader()->hide();
    grdCursors->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdCursors->verticalHeader()->setDefaultSectionSize(grdCursors->fontMetrics().height() + 4);
    grdCursors->hide();

    auto *grid = new QGridLayout(chart);
    grid->setContentsMargins(0, 0, 0, 0);
    QWidget *yColumn = new QWidget(chart);
    auto *yBox = new QGridLayout(yColumn);
    yBox->setContentsMargins(0, 0, 0, 0);
    yBox->addWidget(ui::newLabel(yColumn, "lblMaxY", QStringLiteral("MaxY:")), 0, 0, 1, 2);
    yBox->addWidget(txtYScaleMax, 1, 0, 1, 2);
    yBox->addWidget(ui::newLabel(yColumn, "lblYOffset", QStringLiteral("OFFSET")), 2, 0);
    yBox->addWidget(ui::newLabel(yColumn, "lblYSpan", QStringLiteral("SPAN")), 2, 1);
    yBox->addWidget(vscYAxisOffset, 3, 0, Qt::AlignHCenter);
    yBox->addWidget(vscYAxisSpan, 3, 1, Qt::AlignHCenter);
    yBox->addWidget(ui::newLabel(yColumn, "lblMinY", QStringLiteral("MinY:")), 4, 0, 1, 2);
    yBox->addWidget(txtYScaleMin, 5, 0, 1, 2);
    yBox->setRowStretch(3, 1);
    grid->addWidget(yColumn, 0, 0);
    grid->addWidget(gphGraph, 0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
    grid->addLayout(
        ui::newRow({ui::newLabel(chart, "lblXOffset", QStringLiteral("OFFSET")), hscXAxisOffset,
                    ui::newLabel(chart, "lblXSpan", QStringLiteral("SPAN")), hscXAxisSpan}),
        1, 1);
    grid->addWidget(lblCursors, 2, 1);
    grid->addWidget(grdCursors, 3, 1);
    return chart;
}

// Ten pens in two columns: each an indicator and its instrument list.
QWidget *frmGraph::buildPens(QWidget *parent)
{
    QGroupBox *fraPens = ui::newFrame(parent, "fraPens", QStringLiteral("Pens"));
    auto *grid = new QGridLayout(fraPens);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    for (int pen = 0; pen < PenSlots; ++pen) {
        const QByteArray suffix = QByteArray::number(pen + 1);
        auto *shape = new QFrame(fraPens);
        shape->setObjectName(QStringLiteral("shpPoll_") + QString::fromLatin1(suffix));
        shape->setFrameShape(QFrame::Box);
        shape->setFixedSize(ShapeSize, ShapeSize);
        shpPoll[pen] = shape;
        cbxControl[pen] = ui::newCombo(fraPens, ("cbxControl_" + suffix).constData());
        cbxControl[pen]->setFont(fixed);
        cbxControl[pen]->setMinimumWidth(220);
        const int row = pen % 5;
        const int column = (pen / 5) * 3;
        grid->addWidget(
            ui::newLabel(fraPens, ("lblPen_" + suffix).constData(), QString::number(pen + 1)), row,
            column);
        grid->addWidget(shape, row, column + 1);
        grid->addWidget(cbxControl[pen], row, column + 2);
    }
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(5, 1);
    return fraPens;
}

void frmGraph::buildTimers()
{
    tmrGraphSampling = new QTimer(this);
    tmrGraphSampling->setObjectName(QStringLiteral("tmrGraphSampling"));
    tmrGraphSampling->setInterval(SamplingIntervalMs);
    tmrGraphRefresh = new QTimer(this);
    tmrGraphRefresh->setObjectName(QStringLiteral("tmrGraphRefresh"));
    tmrGraphRefresh->setInterval(RefreshIntervalMs);
    connect(tmrGraphSampling, &QTimer::timeout, this, &frmGraph::tmrGraphSampling_Timer);
    connect(tmrGraphRefresh, &QTimer::timeout, this, &frmGraph::tmrGraphRefresh_Timer);
}

// The engine guards and reports its own tick.
void frmGraph::tmrGraphSampling_Timer()
{
    m_graph.tmrGraphSampling_Timer();
    showFields();
}

void frmGraph::tmrGraphRefresh_Timer()
{
    handle("frmGraph.tmrGraphRefresh_Timer",
           [this] { m_graph.tmrGraphRefresh_Timer(isVisible()); });
}

void frmGraph::connectHandlers()
{
    const auto button = [this](const char *name) {
        return findChild<QPushButton *>(QString::fromLatin1(name));
    };
    connect(button("cmdStartSampling"), &QPushButton::clicked, this,
            &frmGraph::cmdStartSampling_Click);
    const std::pair<const char *, void (TrendGraph::*)()> modelCommands[] = {
        {"cmdStopSampling", &TrendGraph::cmdStopSampling_Click},
        {"cmdClearData", &TrendGraph::cmdClearData_Click},
        {"cmdRefresh", &TrendGraph::cmdRefresh_Click},
        {"cmdSaveData", &TrendGraph::cmdSaveData_Click},
        {"cmdRestoreData", &TrendGraph::cmdRestoreData_Click},
    };
    for (const auto &[name, command] : modelCommands) {
        connect(button(name), &QPushButton::clicked, this, [this, name = name, command = command] {
            const QByteArray routine = "frmGraph." + QByteArray(name) + "_Click";
            handle(routine.constData(), [this, command] { (m_graph.*command)(); });
        });
    }
    connect(button("cmdPrintColor"), &QPushButton::clicked, this,
            [this] { cmdPrint_Click(PrintColours::Colour); });
    connect(button("cmdPrintMono"), &QPushButton::clicked, this,
            [this] { cmdPrint_Click(PrintColours::Mono); });
    connect(button("cmdGraphConfig"), &QPushButton::clicked, this, &frmGraph::cmdGraphConfig_Click);
    connect(button("cmdExportImage"), &QPushButton::clicked, this, &frmGraph::cmdExportImage_Click);
    const std::pair<QComboBox *, ChoiceList> choices[] = {
        {cbxSampleRate, ChoiceList::SampleRate},
        {cbxDuration, ChoiceList::Duration},
        {cbxRefreshRate, ChoiceList::RefreshRate}};
    for (const auto &[combo, list] : choices) {
        connect(combo, &QComboBox::activated, this, [this, list = list](int position) {
            handle("frmGraph.cbxChoice_Click", [&] { m_graph.cbxChoice_Click(list, position); });
        });
    }
    for (int pen = 0; pen < PenSlots; ++pen) {
        connect(cbxControl[pen], &QComboBox::activated, this, [this, pen] {
            handle("frmGraph.cbxControl_Click",
                   [&] { m_graph.cbxControl_Click(pen, cbxControl[pen]->currentText()); });
        });
    }
    connectScaling();
    m_graph.setReadingHook([this](int pen) { showIndicator(pen, PenIndicator::Reading); });
    connect(&m_app, &core::AppState::demoModeChanged, lblDemoMode, &QLabel::setVisible);
}

void frmGraph::connectScaling()
{
    connect(chkSymbols, &QCheckBox::clicked, this, [this](bool checked) {
        handle("frmGraph.chkSymbols_Click", [&] { m_graph.chkSymbols_Click(checked); });
    });
    connect(chkXAutoScale, &QCheckBox::clicked, this, [this](bool checked) {
        handle("frmGraph.chkXAutoScale_Click", [&] { m_graph.chkXAutoScale_Click(checked); });
    });
    connect(chkYAutoScale, &QCheckBox::clicked, this, [this](bool checked) {
        handle("frmGraph.chkYAutoScale_Click", [&] { m_graph.chkYAutoScale_Click(checked); });
    });
    for (int index = 0; index < 3; ++index) {
        connect(optTimeBase[index], &QRadioButton::clicked, this, [this, index] {
            gphGraph->clearCursors(); // their X positions were in the old unit
            handle("frmGraph.ScaleTheGraph", [&] { m_graph.optTimeBase_Click(index); });
        });
    }
    for (QScrollBar *bar : {hscXAxisOffset, hscXAxisSpan})
        connect(bar, &QScrollBar::valueChanged, this, [this] { scrollBarMoved(Qt::Horizontal); });
    for (QScrollBar *bar : {vscYAxisOffset, vscYAxisSpan})
        connect(bar, &QScrollBar::valueChanged, this, [this] { scrollBarMoved(Qt::Vertical); });
    for (QLineEdit *box : {txtYScaleMin, txtYScaleMax}) {
        connect(box, &QLineEdit::textEdited, this, [this] { YLimitsEdited = true; });
        connect(box, &QLineEdit::editingFinished, this, &frmGraph::txtYScale_LostFocus);
    }
    connect(gphGraph, &TrendPlot::rangeRequested, this, &frmGraph::rangeRequested);
    connect(gphGraph, &TrendPlot::cursorsChanged, this, &frmGraph::showCursorReadout);
}

void frmGraph::Form_Load()
{
    ui::runHandler(m_ui, "frmGraph.Form_Load", [this] {
        m_graph.Form_Load();
        const QScopedValueRollback busy(Busy, true);
        cbxSampleRate->addItems(choiceEntries(ChoiceList::SampleRate));
        cbxDuration->addItems(choiceEntries(ChoiceList::Duration));
        cbxRefreshRate->addItems(choiceEntries(ChoiceList::RefreshRate));
        chkXAutoScale->setChecked(true);
        chkYAutoScale->setChecked(true);
        optTimeBase[0]->setChecked(true);
    });
    showFields();
}

void frmGraph::activated()
{
    handle("frmGraph.Form_Activate", [this] { m_graph.Form_Activate(); });
}

void frmGraph::deactivated()
{
    m_graph.saveChangedSettings();
}

void frmGraph::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_graph.saveChangedSettings();
    m_navigator.endProgram();
}

bool frmGraph::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box == nullptr)
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, box, &QLineEdit::selectAll);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            (box == txtYScaleMin ? txtYScaleMax : txtYScaleMin)->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmGraph::handle(const char *routine, const std::function<void()> &body)
{
    if (Busy)
        return;
    ui::runHandler(m_ui, routine, body);
    showFields();
}

void frmGraph::cmdStartSampling_Click()
{
    handle("frmGraph.cmdStartSampling_Click", [this] {
        gphGraph->clearCursors();
        m_graph.cmdStartSampling_Click();
    });
    if (!m_graph.SamplingOn())
        return;
    tmrGraphSampling->start();
    tmrGraphRefresh->start();
}

void frmGraph::cmdPrint_Click(PrintColours colours)
{
    handle(colours == PrintColours::Colour ? "frmGraph.cmdPrintColor_Click"
                                           : "frmGraph.cmdPrintMono_Click",
           [this, colours] {
               const std::optional<core::PrintTarget> target = m_graph.choosePrintTarget();
               if (!target)
                   return;
               const std::unique_ptr<QPrinter> printer = ui::printerFor(*target);
               printer->setColorMode(colours == PrintColours::Colour ? QPrinter::Color
                                                                     : QPrinter::GrayScale);
               printer->setDocName(windowTitle());
               gphGraph->printTo(*printer, colours);
           });
}

void frmGraph::cmdGraphConfig_Click()
{
    if (Busy)
        return;
    const GraphConfig &config = m_graph.settings();
    m_setup->setup = GraphSetup{config.XAxisTicks, config.YAxisTicks, config.ShowXGrid != 0,
                                config.ShowYGrid != 0};
    m_setup->GraphCfgChanged = false;
    m_navigator.openModal(this, QStringLiteral("frmGraphCfg"));
    if (!m_setup->GraphCfgChanged)
        return;
    m_setup->GraphCfgChanged = false;
    handle("frmGraph.cmdGraphConfig_Click", [this] { m_graph.applyGraphSetup(m_setup->setup); });
}

void frmGraph::cmdExportImage_Click()
{
    handle("frmGraph.cmdExportImage_Click", [this] {
        core::FileDialogRequest request;
        request.title = QStringLiteral("Export Graph Image");
        request.filter = QStringLiteral("PNG Image (*.png)|*.png|PDF Document (*.pdf)|*.pdf");
        request.initialFolder = core::LogFolder(m_app);
        QString name = proposedGraphFileName(QDateTime::currentDateTime());
        request.fileName = name.replace(QStringLiteral(".csv"), QStringLiteral(".png"));
        request.confirmOverwrite = true;
        const std::optional<QString> chosen = m_ui.saveFileDialog(request);
        if (!chosen || chosen->isEmpty() || gphGraph->exportImage(*chosen))
            return;
        m_ui.MsgBox(QStringLiteral("The graph image could not be written to ") + *chosen,
                    core::MsgButtons::Ok, core::MsgIcon::Exclamation,
                    QStringLiteral("Export Image"), core::MsgResult::Ok);
    });
}

void frmGraph::scrollBarMoved(Qt::Orientation axis)
{
    if (axis == Qt::Horizontal)
        handle("frmGraph.ScaleTheGraph",
               [this] { m_graph.setXView(hscXAxisOffset->value(), hscXAxisSpan->value()); });
    else
        handle("frmGraph.ScaleTheGraph",
               [this] { m_graph.setYView(vscYAxisOffset->value(), vscYAxisSpan->value()); });
}

// A zoom switches the axis to manual scaling first; a pan moves only an axis already manual.
// Either way the scroll bars take the new range, and the chart follows them.
void frmGraph::rangeRequested(Qt::Orientation axis, RangeGesture gesture, double minimum,
                              double maximum)
{
    const bool horizontal = axis == Qt::Horizontal;
    QCheckBox *automatic = horizontal ? chkXAutoScale : chkYAutoScale;
    if (Busy || (gesture == RangeGesture::Pan && automatic->isChecked()))
        return;
    if (automatic->isChecked())
        automatic->click();
    const GraphFields &fields = m_graph.fields();
    const Extent base = horizontal ? m_graph.chart().xExtent().value_or(Extent{0, 1})
                                   : Extent{core::leadingNumber(fields.YLimits.minimum),
                                            core::leadingNumber(fields.YLimits.maximum)};
    const AxisView view = viewOfRange(base, minimum, maximum);
    handle("frmGraph.ScaleTheGraph", [&] {
        if (horizontal)
            m_graph.setXView(view.offset, view.span);
        else
            m_graph.setYView(view.offset, view.span);
    });
}

void frmGraph::txtYScale_LostFocus()
{
    if (!YLimitsEdited)
        return;
    YLimitsEdited = false;
    handle("frmGraph.ScaleTheGraph",
           [this] { m_graph.yLimitsEntered(txtYScaleMin->text(), txtYScaleMax->text()); });
}

void frmGraph::showFields()
{
    const QScopedValueRollback busy(Busy, true);
    const GraphFields &fields = m_graph.fields();
    showChoices(fields);
    showPens(fields);
    showScaling(fields);
    lblSampleCountText->setText(fields.SampleCountText);
    lblBufferSize->setVisible(fields.BufferSizeVisible);
    lblBufferSizeText->setVisible(fields.BufferSizeVisible);
    lblBufferSizeText->setText(fields.BufferSizeText);
    lblSampling->setVisible(fields.SamplingVisible);
    lblDemoMode->setVisible(m_app.DemoMode());
    showChart(fields);
    followSampling();
}

void frmGraph::showChoices(const GraphFields &fields)
{
    cbxSampleRate->setCurrentIndex(fields.SampleRateIndex);
    cbxDuration->setCurrentIndex(fields.DurationIndex);
    cbxRefreshRate->setCurrentIndex(fields.RefreshIndex);
    chkSymbols->setChecked(fields.ShowSymbols);
    optTimeBase[static_cast<int>(fields.Base)]->setChecked(true);
}

// A list is refilled only when its lines changed, so an open list is not disturbed by a tick.
void frmGraph::showPens(const GraphFields &fields)
{
    for (int pen = 0; pen < PenSlots; ++pen) {
        QComboBox *combo = cbxControl[pen];
        QStringList shown;
        for (int row = 0; row < combo->count(); ++row)
            shown << combo->itemText(row);
        if (shown != fields.PenLists[pen]) {
            combo->clear();
            combo->addItems(fields.PenLists[pen]);
        }
        const QString &text = fields.Pens[pen].isEmpty() ? NonePenText : fields.Pens[pen];
        combo->setCurrentIndex(combo->findText(text));
        combo->setToolTip(text);
        showIndicator(pen, fields.Indicators[pen]);
    }
}

void frmGraph::showScaling(const GraphFields &fields)
{
    chkXAutoScale->setChecked(fields.XView.automatic);
    chkYAutoScale->setChecked(fields.YView.automatic);
    hscXAxisOffset->setValue(fields.XView.offset);
    hscXAxisSpan->setValue(fields.XView.span);
    vscYAxisOffset->setValue(fields.YView.offset);
    vscYAxisSpan->setValue(fields.YView.span);
    for (QScrollBar *bar : {hscXAxisOffset, hscXAxisSpan})
        bar->setEnabled(!fields.XView.automatic);
    for (QScrollBar *bar : {vscYAxisOffset, vscYAxisSpan})
        bar->setEnabled(!fields.YView.automatic);
    if (!YLimitsEdited) {
        txtYScaleMin->setText(fields.YLimits.minimum);
        txtYScaleMax->setText(fields.YLimits.maximum);
    }
    txtYScaleMin->setEnabled(!fields.YView.automatic);
    txtYScaleMax->setEnabled(!fields.YView.automatic);
}

void frmGraph::showChart(const GraphFields &fields)
{
    if (fields.Redraws == m_shownRedraws)
        return;
    m_shownRedraws = fields.Redraws;
    gphGraph->setPens(fields.Legends);
    gphGraph->setAxes(fields.XAxis, fields.YAxis);
    gphGraph->setBottomTitle(fields.BottomTitle);
    gphGraph->setTicks(fields.Ticks);
    gphGraph->setSymbols(fields.ShowSymbols);
    gphGraph->drawChart(m_graph.chart());
    showCursorReadout();
}

void frmGraph::showIndicator(int pen, PenIndicator indicator)
{
    if (pen < 0 || pen >= PenSlots)
        return;
    ui::setFillColour(shpPoll[pen], indicatorColour(indicator, *this));
    if (indicator == PenIndicator::Reading)
        shpPoll[pen]->repaint(); // the read holds the thread until it ends
}

void frmGraph::showCursorReadout()
{
    const std::optional<double> first = gphGraph->firstCursor();
    const std::optional<double> second = gphGraph->secondCursor();
    grdCursors->setVisible(first.has_value());
    if (!first)
        return;
    const double other = second.value_or(*first);
    const CursorReadout readout = readCursors(m_graph.chart(), *first, other);
    const QString unit = unitOf(m_graph.fields().Base);
    lblCursors->setText(
        QStringLiteral("Cursor 1: %1 %2    Cursor 2: %3    \u0394t: %4 %2")
            .arg(numberOrDash(*first), unit, numberOrDash(second),
                 numberOrDash(second ? std::optional(other - *first) : std::nullopt)));
    const QStringList &legends = m_graph.fields().Legends;
    grdCursors->setRowCount(static_cast<int>(readout.pens.size()));
    // As high as its rows, so no pen hides behind a scroll bar.
    grdCursors->setFixedHeight(grdCursors->horizontalHeader()->height() +
                               grdCursors->rowCount() * grdCursors->rowHeight(0) +
                               2 * grdCursors->frameWidth());
    for (int pen = 0; pen < static_cast<int>(readout.pens.size()); ++pen) {
        const QStringList cells = cursorCells(
            legends.value(pen), readout.pens[static_cast<size_t>(pen)], second.has_value());
        for (int column = 0; column < cells.size(); ++column)
            grdCursors->setItem(pen, column, new QTableWidgetItem(cells[column]));
    }
}

// Both timers run from a start until sampling stops, however it stops.
void frmGraph::followSampling()
{
    if (m_graph.SamplingOn())
        return;
    tmrGraphSampling->stop();
    tmrGraphRefresh->stop();
}

} // namespace vanta::logging
