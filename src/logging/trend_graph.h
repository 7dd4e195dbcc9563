// The graph window's model: the settings kept in Graph.val, the ten pen lists, scaling and the
// time base, the graph file commands and the sampling engine. The window calls these from its
// handlers and timers and copies fields() into its controls; its chart draws chart().
#pragma once

#include "comms/comm_link.h"
#include "core/interaction.h"
#include "core/reentry_guard.h"
#include "logging/graph_config.h"
#include "logging/graph_file.h"
#include "logging/trend_sampler.h"
#include "logging/trend_scaling.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace vanta::logging {

// Everything the graph window shows.
struct GraphFields : SamplingFields
{
    // Positions of cbxSampleRate, cbxDuration, cbxRefreshRate.
    int SampleRateIndex = 0;
    int DurationIndex = 0;
    int RefreshIndex = 0;
    bool ShowSymbols = false; // chkSymbols; the chart draws lines with symbols when set
    std::array<QStringList, PenSlots> PenLists; // cbxControl(1..10)
    PenTexts Pens;                              // each pen's chosen line, also its tool tip
    bool DemoModeVisible = false;               // lblDemoMode
    // chkXAutoScale with hscXAxisOffset / hscXAxisSpan, chkYAutoScale with vscYAxisOffset /
    // vscYAxisSpan; the scroll bars and (Y) the limit boxes are enabled only when not automatic.
    AxisView XView;
    AxisView YView;
    YLimitTexts YLimits; // txtYScaleMin, txtYScaleMax
    AxisScale XAxis;
    AxisScale YAxis;
    TimeBase Base = TimeBase::Seconds; // optTimeBase
    QString BottomTitle = timeBaseTitle(TimeBase::Seconds);
    TickSetup Ticks;
};

class TrendGraph
{
public:
    TrendGraph(comms::CommLink &link, core::LoopTracker &loops, ProcessValueReader reader = {});

    const GraphFields &fields() const { return m_fields; }
    const ChartBuffer &chart() const { return m_sampler.chart(); }
    bool SamplingOn() const { return m_sampler.SamplingOn(); }
    const GraphConfig &settings() const { return m_config; }
    // The path chosen in the last save or restore dialog of this run.
    const QString &LastGraphFile() const { return m_LastGraphFile; }
    void setReadingHook(std::function<void(int pen)> hook);

    // Window load: Graph.val (a bad one reported once; positions outside their list fall back
    // to 4), ticks and grid, seconds, an empty chart.
    void Form_Load();
    // Each time the window comes to the front: pen lists refilled from the instrument list
    // (lines a restore added stay), each pen's text chosen again when its line is there, else
    // "[none]"; indicators back to the window colour.
    void Form_Activate();
    // Deactivation and unload: writes Graph.val when a setting changed since.
    void saveChangedSettings();

    // The user's choices. A pen index is 0..9; a text that is not a line of the pen's list is
    // ignored, as is a position outside its list or a time base outside 0..2.
    void cbxControl_Click(int pen, const QString &text);
    void cbxChoice_Click(ChoiceList list, int position);
    void chkSymbols_Click(bool checked);
    void chkXAutoScale_Click(bool checked);
    void chkYAutoScale_Click(bool checked);
    void setXView(int offset, int span);
    void setYView(int offset, int span);
    // A Y limit box left after an edit: offset 0 %, span 100 %, rescale.
    void yLimitsEntered(const QString &minimum, const QString &maximum);
    void optTimeBase_Click(int index);
    void ScaleTheGraph();

    void cmdStartSampling_Click();
    void cmdStopSampling_Click();
    // Asks first; Yes empties the chart.
    void cmdClearData_Click();
    void cmdRefresh_Click();
    void tmrGraphSampling_Timer();
    void tmrGraphRefresh_Timer(bool windowVisible);

    // "Save Data" and "Restore Data": the dialogs, then SaveGraphFile / RestoreGraphFile.
    void cmdSaveData_Click();
    void cmdRestoreData_Click();
    SaveOutcome SaveGraphFile(const QString &path);
    // Replaces the chart, pens and time base by a graph file's. A file that cannot be opened or
    // whose first two lines are bad is reported and changes nothing; a bad point later is
    // reported and leaves the points before it.
    void RestoreGraphFile(const QString &path);

    // "Graph Setup" closed with changes: stores and applies them and writes Graph.val.
    void applyGraphSetup(const GraphSetup &setup);
    // "Print Color" / "Print Mono": asks for landscape (Yes), portrait (No) or nothing
    // (Cancel), then for the printer. Empty when the user cancelled either.
    std::optional<core::PrintTarget> choosePrintTarget();

private:
    void applyRates();
    void fillPenLists();
    void restorePens(const QStringList &texts);
    QString dialogFolder() const;
    void markSettingsChanged() { m_GraphSettingsChanged = true; }
    void sync();

    comms::CommLink &m_link;
    TrendSampler m_sampler;
    GraphConfig m_config;
    std::array<QStringList, PenSlots> m_penLists;
    // Lines a restore added to each pen's list, for pens whose instruments are not configured.
    std::array<QStringList, PenSlots> m_restoredLines;
    AxisView m_xView;
    AxisView m_yView;
    YLimitTexts m_yLimits;
    bool m_GraphSettingsChanged = false;
    QString m_LastGraphFile;
    GraphFields m_fields;
};

} // namespace vanta::logging
