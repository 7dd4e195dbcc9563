// The graph window "Real Time Graph": up to ten instruments' process values sampled into the
// trend chart and drawn as time trends, with scaling, time bases, printing, graph files, two
// cursors, zoom and pan. One of the program's main screens; TrendGraph is its model.
#pragma once

#include "logging/trend_graph.h"
#include "logging/trend_plot_widget.h"
#include "ui/navigator.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTableWidget;
class QTimer;

namespace vanta::logging {

class frmGraph : public QMainWindow, public ui::Activatable
{
    Q_OBJECT

public:
    // `setup` is shared with the "Graph Setup" dialog frmGraphCfg. Reads go through
    // ReadScaledValue unless `reader` is given.
    frmGraph(const ui::WindowContext &context, std::shared_ptr<GraphSetupExchange> setup,
             ProcessValueReader reader = {});

    // Form_Activate: demo mark, pen lists from the instrument list.
    void activated() override;
    // Writes Graph.val when a setting changed.
    void deactivated() override;

    // One tick of each timer: tmrGraphSampling (50 ms) and tmrGraphRefresh (250 ms), both
    // running from a start of sampling until it stops.
    void tmrGraphSampling_Timer();
    void tmrGraphRefresh_Timer();

    const TrendGraph &graph() const { return m_graph; }
    TrendPlot *plot() const { return gphGraph; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    QWidget *buildCommands(QWidget *parent);
    QWidget *buildChoices(QWidget *parent);
    QWidget *buildScaling(QWidget *parent);
    QWidget *buildCaptions(QWidget *parent);
    QWidget *buildChart(QWidget *parent);
    QWidget *buildPens(QWidget *parent);
    void buildTimers();
    void connectHandlers();
    void connectScaling();
    void Form_Load();

    // Runs a handler on the model unless the window is filling its controls, then shows the
    // model's fields.
    void handle(const char *routine, const std::function<void()> &body);
    void showFields();
    void showChoices(const GraphFields &fields);
    void showPens(const GraphFields &fields);
    void showScaling(const GraphFields &fields);
    void showChart(const GraphFields &fields);
    void showIndicator(int pen, PenIndicator indicator);
    void showCursorReadout();
    void followSampling();

    void cmdStartSampling_Click();
    void cmdPrint_Click(PrintColours colours);
    void cmdGraphConfig_Click();
    void cmdExportImage_Click();
    void scrollBarMoved(Qt::Orientation axis);
    void rangeRequested(Qt::Orientation axis, RangeGesture gesture, double minimum, double maximum);
    void txtYScale_LostFocus();

    core::AppState &m_app;
    core::Interaction &m_ui;
    ui::Navigator &m_navigator;
    std::shared_ptr<GraphSetupExchange> m_setup;
    TrendGraph m_graph;
    int m_shownRedraws = -1;
    bool Busy = false;
    bool YLimitsEdited = false;

    QComboBox *cbxSampleRate = nullptr;
    QComboBox *cbxDuration = nullptr;
    QComboBox *cbxRefreshRate = nullptr;
    std::array<QComboBox *, PenSlots> cbxControl{};
    std::array<QFrame *, PenSlots> shpPoll{};
    QCheckBox *chkXAutoScale = nullptr;
    QCheckBox *chkYAutoScale = nullptr;
    QCheckBox *chkSymbols = nullptr;
    std::array<QRadioButton *, 3> optTimeBase{};
    QScrollBar *hscXAxisOffset = nullptr;
    QScrollBar *hscXAxisSpan = nullptr;
    QScrollBar *vscYAxisOffset = nullptr;
    QScrollBar *vscYAxisSpan = nullptr;
    QLineEdit *txtYScaleMin = nullptr;
    QLineEdit *txtYScaleMax = nullptr;
    QLabel *lblSampleCountText = nullptr;
    QLabel *lblBufferSize = nullptr;
    QLabel *lblBufferSizeText = nullptr;
    QLabel *lblSampling = nullptr;
    QLabel *lblDemoMode = nullptr;
    QLabel *lblCursors = nullptr;
    QTableWidget *grdCursors = nullptr;
    TrendPlot *gphGraph = nullptr;
    QTimer *tmrGraphSampling = nullptr;
    QTimer *tmrGraphRefresh = nullptr;
};

} // namespace vanta::logging
