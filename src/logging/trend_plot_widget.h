// The trend chart gphGraph: a QCustomPlot that draws the chart buffer's pens thinned to its width
// (two points per pixel column), with two cursors (Ctrl+click), zoom by the mouse wheel, pan by
// dragging, pens hidden and shown from the legend, printing and image export.
#pragma once

#include "logging/chart_buffer.h"
#include "logging/graph_config.h"
#include "logging/trend_decimation.h"
#include "logging/trend_scaling.h"

#include <QStringList>
#include <array>
#include <optional>
#include <qcustomplot.h>
#include <vector>

class QPrinter;

namespace vanta::logging {

enum class PrintColours
{
    Colour,
    Mono // black lines told apart by their dash patterns
};

// Where the chart is drawn.
enum class Medium
{
    Screen,
    Paper
};

// How the user asked for a new axis range.
enum class RangeGesture
{
    Zoom, // the mouse wheel (with Shift: the Y axis)
    Pan   // dragging the chart
};

class TrendPlot : public QCustomPlot
{
    Q_OBJECT

public:
    static constexpr int MaxPens = 10;

    explicit TrendPlot(QWidget *parent = nullptr);

    // One line per legend; pens hidden from the legend stay hidden while their number stays.
    void setPens(const QStringList &legends);
    // A zero-width range is widened by half a unit either side, so one sample still shows.
    void setAxes(const AxisScale &x, const AxisScale &y);
    void setBottomTitle(const QString &title);
    void setTicks(const TickSetup &ticks);
    void setSymbols(bool shown);

    // Hands every pen of `chart` within the X axis range to its line (thinned) and replots.
    void drawChart(const ChartBuffer &chart);
    // The same for samples from elsewhere (the benchmark's large buffer): one entry per pen,
    // already cut to the X range, with the pens' summaries when they have them. The caller
    // replots.
    void drawLines(const std::vector<PenSamples> &pens,
                   const std::vector<const LineSummary *> &summaries = {});

    bool isPenHidden(int pen) const;
    void setPenHidden(int pen, bool hidden);

    // The cursors' X positions; the first is set by the first Ctrl+click, the second by the next,
    // later ones move the nearer cursor.
    std::optional<double> firstCursor() const { return m_cursors[0]; }
    std::optional<double> secondCursor() const { return m_cursors[1]; }
    void placeCursor(double x);
    void clearCursors();

    // One page: the chart scaled to the page, in colour or black.
    void printTo(QPrinter &printer, PrintColours colours);
    // PNG, or PDF when the name ends in ".pdf". False when the file could not be written.
    bool exportImage(const QString &path);

signals:
    void rangeRequested(Qt::Orientation axis, RangeGesture gesture, double minimum, double maximum);
    void cursorsChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void addCursor(size_t which);
    void togglePen(QCPAbstractLegendItem *item);
    void showPenState(int pen);
    void showCursors();
    void applyPens(PrintColours colours, Medium medium);
    bool isOnLegend(const QPointF &position) const;

    std::array<bool, MaxPens> m_hidden{};
    std::array<std::optional<double>, 2> m_cursors;
    std::array<QCPItemStraightLine *, 2> m_cursorLines{};
    std::array<QCPItemText *, 2> m_cursorLabels{};
    LineThinner m_thinner;
    std::vector<PlotPoint> m_points;
    QVector<QCPGraphData> m_lineData;
    bool m_symbols = false;
    bool m_dragging = false;
    QPointF m_dragStart;
    QCPRange m_dragX;
    QCPRange m_dragY;
};

} // namespace vanta::logging
