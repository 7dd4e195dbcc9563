// The trend chart's drawing, mouse gestures, printing and export.
#include "logging/trend_plot_widget.h"

#include <QMouseEvent>
#include <QPrinter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace vanta::logging {

namespace {

constexpr double WheelStep = 0.85; // range kept by one notch of the wheel towards the user
constexpr int PrintWidth = 1000;   // the chart's width on paper, in the plot's own pixels

const std::array<QColor, TrendPlot::MaxPens> PenColours{
    QColor(0, 0, 255),   QColor(220, 0, 0),   QColor(0, 150, 0),   QColor(200, 0, 200),
    QColor(0, 160, 170), QColor(255, 130, 0), QColor(130, 80, 30), QColor(110, 50, 190),
    QColor(120, 130, 0), QColor(0, 0, 0)};

const std::array<Qt::PenStyle, 5> MonoStyles{Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                             Qt::DashDotLine, Qt::DashDotDotLine};

// On screen lines are cosmetic, one pixel wide: the raster engine draws those directly, where
// wider lines go through its stroker at several times the cost. On paper a pixel of the plot is
// far larger than one of the printer.
QPen penLine(int pen, PrintColours colours, Medium medium)
{
    const QColor colour = PenColours[static_cast<size_t>(pen) % PenColours.size()];
    if (colours == PrintColours::Colour && medium == Medium::Screen) {
        QPen line(colour, 1.0);
        line.setCosmetic(true);
        return line;
    }
    if (colours == PrintColours::Colour)
        return QPen(colour, 1.5);
    // Ten pens: five dash patterns, thin then thick.
    QPen line(Qt::black, pen < 5 ? 1.0 : 2.5);
    line.setStyle(MonoStyles[static_cast<size_t>(pen) % MonoStyles.size()]);
    return line;
}

constexpr double AutomaticYMargin = 0.05; // of the data's height, so no line runs on a border

QCPRange visibleRange(const AxisScale &scale, double margin = 0)
{
    if (!(scale.maximum > scale.minimum))
        return {scale.minimum - 0.5, scale.minimum + 0.5};
    const double pad = scale.automatic ? (scale.maximum - scale.minimum) * margin : 0;
    return {scale.minimum - pad, scale.maximum + pad};
}

} // namespace

TrendPlot::TrendPlot(QWidget *parent) : QCustomPlot(parent)
{
    setObjectName(QStringLiteral("gphGraph"));
    setPlottingHint(QCP::phFastPolylines, true);
    // The legend sits in a row of its own above the chart, where it hides no line.
    legend->setVisible(true);
    legend->setSelectableParts(QCPLegend::spNone);
    legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    legend->setBorderPen(Qt::NoPen);
    plotLayout()->insertRow(0);
    plotLayout()->addElement(0, 0, legend);
    plotLayout()->setRowStretchFactor(0, 0.001);
    for (size_t which = 0; which < m_cursorLines.size(); ++which)
        addCursor(which);
    connect(this, &QCustomPlot::legendClick, this,
            [this](QCPLegend *, QCPAbstractLegendItem *item, QMouseEvent *) { togglePen(item); });
}

// A cursor is a dashed vertical line with its number at the top of the chart.
void TrendPlot::addCursor(size_t which)
{
    auto *line = new QCPItemStraightLine(this);
    line->setPen(QPen(Qt::darkGray, 1, which == 0 ? Qt::DashLine : Qt::DashDotLine));
    line->point1->setTypeY(QCPItemPosition::ptAxisRectRatio);
    line->point2->setTypeY(QCPItemPosition::ptAxisRectRatio);
    line->setVisible(false);
    m_cursorLines[which] = line;
    auto *label = new QCPItemText(this);
    label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
    label->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(QString::number(which + 1));
    label->setColor(Qt::darkGray);
    label->setPadding(QMargins(3, 1, 3, 1));
    label->setVisible(false);
    m_cursorLabels[which] = label;
}

void TrendPlot::setPens(const QStringList &legends)
{
    const int wanted = std::min(static_cast<int>(legends.size()), MaxPens);
    while (graphCount() > wanted)
        removeGraph(graphCount() - 1);
    while (graphCount() < wanted)
        addGraph()->setAdaptiveSampling(false); // the lines come thinned
    for (int pen = 0; pen < wanted; ++pen) {
        graph(pen)->setName(legends[pen]);
        showPenState(pen);
    }
    applyPens(PrintColours::Colour, Medium::Screen);
}

void TrendPlot::setAxes(const AxisScale &x, const AxisScale &y)
{
    xAxis->setRange(visibleRange(x));
    yAxis->setRange(visibleRange(y, AutomaticYMargin));
}

void TrendPlot::setBottomTitle(const QString &title)
{
    xAxis->setLabel(title);
}

void TrendPlot::setTicks(const TickSetup &ticks)
{
    if (ticks.XTicks)
        xAxis->ticker()->setTickCount(*ticks.XTicks);
    if (ticks.YTicks)
        yAxis->ticker()->setTickCount(*ticks.YTicks);
    // 1 horizontal lines (across the Y axis), 2 vertical lines (across the X axis), 3 both.
    yAxis->grid()->setVisible((ticks.GridStyle & 1) != 0);
    xAxis->grid()->setVisible((ticks.GridStyle & 2) != 0);
}

void TrendPlot::setSymbols(bool shown)
{
    m_symbols = shown;
    applyPens(PrintColours::Colour, Medium::Screen);
}

void TrendPlot::drawChart(const ChartBuffer &chart)
{
    const PointRange range = chart.pointsBetween(xAxis->range().lower, xAxis->range().upper);
    std::vector<PenSamples> pens;
    for (int pen = 0; pen < chart.penCount(); ++pen)
        pens.push_back(chart.samples(pen, range));
    drawLines(pens);
    replot(rpQueuedReplot);
}

void TrendPlot::drawLines(const std::vector<PenSamples> &pens,
                          const std::vector<const LineSummary *> &summaries)
{
    const PlotColumns plot{xAxis->range().lower, xAxis->range().upper,
                           std::max(axisRect()->width(), 1)};
    m_thinner.forget();
    for (int pen = 0; pen < graphCount(); ++pen) {
        m_lineData.clear();
        const auto index = static_cast<size_t>(pen);
        if (index < pens.size()) {
            m_thinner.thin(pens[index], plot, m_points,
                           index < summaries.size() ? summaries[index] : nullptr);
            m_lineData.reserve(static_cast<int>(m_points.size()));
            for (const PlotPoint &point : m_points)
                m_lineData.append(QCPGraphData(point.x, point.y));
        }
        graph(pen)->data()->set(m_lineData, /*alreadySorted=*/true);
        // Smoothing a line as dense as the pixels shows nothing and costs most of the drawing.
        graph(pen)->setAntialiased(m_lineData.size() < plot.columns);
    }
}

bool TrendPlot::isPenHidden(int pen) const
{
    return pen >= 0 && pen < MaxPens && m_hidden[static_cast<size_t>(pen)];
}

void TrendPlot::setPenHidden(int pen, bool hidden)
{
    if (pen < 0 || pen >= MaxPens)
        return;
    m_hidden[static_cast<size_t>(pen)] = hidden;
    if (pen < graphCount())
        showPenState(pen);
    replot(rpQueuedReplot);
}

void TrendPlot::togglePen(QCPAbstractLegendItem *item)
{
    auto *penItem = qobject_cast<QCPPlottableLegendItem *>(item);
    if (penItem == nullptr)
        return;
    for (int pen = 0; pen < graphCount(); ++pen) {
        if (graph(pen) == penItem->plottable())
            setPenHidden(pen, !isPenHidden(pen));
    }
}

// A hidden pen keeps its legend entry, greyed, so it can be shown again.
void TrendPlot::showPenState(int pen)
{
    const bool hidden = isPenHidden(pen);
    graph(pen)->setVisible(!hidden);
    if (QCPPlottableLegendItem *item = legend->itemWithPlottable(graph(pen)))
        item->setTextColor(hidden ? Qt::gray : Qt::black);
}

void TrendPlot::applyPens(PrintColours colours, Medium medium)
{
    const QCPScatterStyle symbol(m_symbols ? QCPScatterStyle::ssDisc : QCPScatterStyle::ssNone, 4);
    for (int pen = 0; pen < graphCount(); ++pen) {
        graph(pen)->setPen(penLine(pen, colours, medium));
        graph(pen)->setScatterStyle(symbol);
    }
}

void TrendPlot::placeCursor(double x)
{
    if (!std::isfinite(x))
        return;
    size_t which = 0;
    if (m_cursors[0] && !m_cursors[1])
        which = 1;
    else if (m_cursors[0] && m_cursors[1])
        which = std::fabs(*m_cursors[1] - x) < std::fabs(*m_cursors[0] - x) ? 1 : 0;
    m_cursors[which] = x;
    showCursors();
    emit cursorsChanged();
}

void TrendPlot::clearCursors()
{
    if (!m_cursors[0] && !m_cursors[1])
        return;
    m_cursors = {};
    showCursors();
    emit cursorsChanged();
}

void TrendPlot::showCursors()
{
    for (size_t which = 0; which < m_cursors.size(); ++which) {
        QCPItemStraightLine *line = m_cursorLines[which];
        line->setVisible(m_cursors[which].has_value());
        m_cursorLabels[which]->setVisible(m_cursors[which].has_value());
        if (!m_cursors[which])
            continue;
        line->point1->setCoords(*m_cursors[which], 0);
        line->point2->setCoords(*m_cursors[which], 1);
        m_cursorLabels[which]->position->setCoords(*m_cursors[which], 0);
    }
    replot(rpQueuedReplot);
}

void TrendPlot::printTo(QPrinter &printer, PrintColours colours)
{
    QCPPainter painter(&printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = page.width() / PrintWidth;
    const int height = static_cast<int>(page.height() / scale);
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    painter.scale(scale, scale);
    applyPens(colours, Medium::Paper);
    toPainter(&painter, PrintWidth, height);
    applyPens(PrintColours::Colour, Medium::Screen);
}

bool TrendPlot::exportImage(const QString &path)
{
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return savePdf(path);
    return savePng(path);
}

bool TrendPlot::isOnLegend(const QPointF &position) const
{
    return legend->visible() && legend->outerRect().contains(position.toPoint());
}

void TrendPlot::mousePressEvent(QMouseEvent *event)
{
    const QPointF position = event->position();
    const bool inChart = axisRect()->rect().contains(position.toPoint());
    if (event->button() == Qt::LeftButton && inChart && !isOnLegend(position)) {
        if (event->modifiers() & Qt::ControlModifier) {
            placeCursor(xAxis->pixelToCoord(position.x()));
            event->accept();
            return;
        }
        m_dragging = true;
        m_dragStart = position;
        m_dragX = xAxis->range();
        m_dragY = yAxis->range();
    }
    QCustomPlot::mousePressEvent(event);
}

// The range moves with the pointer from where the drag began, so rounding to the scroll bars'
// whole percents never adds up.
void TrendPlot::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging) {
        const QPointF moved = event->position() - m_dragStart;
        const double dx = -moved.x() / std::max(axisRect()->width(), 1) * m_dragX.size();
        const double dy = moved.y() / std::max(axisRect()->height(), 1) * m_dragY.size();
        emit rangeRequested(Qt::Horizontal, RangeGesture::Pan, m_dragX.lower + dx,
                            m_dragX.upper + dx);
        emit rangeRequested(Qt::Vertical, RangeGesture::Pan, m_dragY.lower + dy,
                            m_dragY.upper + dy);
    }
    QCustomPlot::mouseMoveEvent(event);
}

void TrendPlot::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QCustomPlot::mouseReleaseEvent(event);
}

void TrendPlot::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    const double notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120.0; // Shift may turn it
    if (notches == 0) {
        event->ignore();
        return;
    }
    const bool vertical = (event->modifiers() & Qt::ShiftModifier) != 0;
    QCPAxis *axis = vertical ? yAxis : xAxis;
    const double anchor =
        axis->pixelToCoord(vertical ? event->position().y() : event->position().x());
    const Extent zoomed = zoomedRange({axis->range().lower, axis->range().upper}, anchor,
                                      std::pow(WheelStep, notches));
    emit rangeRequested(vertical ? Qt::Vertical : Qt::Horizontal, RangeGesture::Zoom,
                        zoomed.minimum, zoomed.maximum);
    event->accept();
}

} // namespace vanta::logging
