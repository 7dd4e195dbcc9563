// The graph window's model: settings, pens, scaling, time base and the graph file commands
// around the sampling engine.
#include "logging/trend_graph.h"

#include "core/app_error.h"
#include "core/program_folder.h"

#include <QFileInfo>
#include <algorithm>

namespace vanta::logging {

namespace {

const QString GraphFilter = QStringLiteral("Graph Files (*.csv)|*.csv");

int scrollPosition(int value, int lowest)
{
    return std::clamp(value, lowest, 100);
}

} // namespace

TrendGraph::TrendGraph(comms::CommLink &link, core::LoopTracker &loops, ProcessValueReader reader)
    : m_link(link), m_sampler(link, loops, std::move(reader))
{
    sync();
}

void TrendGraph::setReadingHook(std::function<void(int pen)> hook)
{
    m_sampler.setReadingHook(std::move(hook));
}

void TrendGraph::Form_Load()
{
    m_config = ReadGraphConfig(m_link.app, m_link.ui);
    m_config.SampleRateIndex =
        static_cast<qint16>(choicePosition(ChoiceList::SampleRate, m_config.SampleRateIndex));
    m_config.DurationIndex =
        static_cast<qint16>(choicePosition(ChoiceList::Duration, m_config.DurationIndex));
    m_config.RefreshIndex =
        static_cast<qint16>(choicePosition(ChoiceList::RefreshRate, m_config.RefreshIndex));
    applyRates();
    m_yLimits = YLimitTexts{};
    m_fields.Ticks = SetupGraphTicks(m_config);
    m_sampler.setTimeBase(TimeBase::Seconds);
    m_sampler.ResetGraph();
    sync();
}

void TrendGraph::Form_Activate()
{
    m_fields.DemoModeVisible = m_link.app.DemoMode();
    fillPenLists();
    for (int pen = 0; pen < PenSlots; ++pen) {
        m_sampler.setIndicator(pen, PenIndicator::WindowColour);
        if (!m_penLists[pen].contains(m_config.PenSelection[pen]))
            m_config.PenSelection[pen] = NonePenText;
    }
    m_sampler.SetGraphLegends(m_config.PenSelection);
    sync();
}

void TrendGraph::saveChangedSettings()
{
    if (m_GraphSettingsChanged && SaveGraphConfig(m_link.app, m_link.ui, m_config))
        m_GraphSettingsChanged = false;
}

void TrendGraph::cbxControl_Click(int pen, const QString &text)
{
    if (pen < 0 || pen >= PenSlots || !m_penLists[pen].contains(text))
        return;
    m_config.PenSelection[pen] = text;
    m_sampler.setIndicator(pen, PenIndicator::ButtonFace);
    markSettingsChanged();
    m_sampler.SetGraphLegends(m_config.PenSelection);
    sync();
}

void TrendGraph::cbxChoice_Click(ChoiceList list, int position)
{
    if (position < 0 || position >= choiceEntries(list).size())
        return;
    const auto stored = static_cast<qint16>(position);
    switch (list) {
    case ChoiceList::SampleRate:
        m_config.SampleRateIndex = stored;
        break;
    case ChoiceList::Duration:
        m_config.DurationIndex = stored;
        break;
    case ChoiceList::RefreshRate:
        m_config.RefreshIndex = stored;
        break;
    }
    applyRates();
    markSettingsChanged();
    sync();
}

void TrendGraph::chkSymbols_Click(bool checked)
{
    m_config.ShowSymbols = checked ? 1 : 0;
    markSettingsChanged();
    m_sampler.RefreshGraph();
    sync();
}

void TrendGraph::chkXAutoScale_Click(bool checked)
{
    m_xView.automatic = checked;
    if (!checked)
        m_xView = AxisView{false, 0, 100};
    ScaleTheGraph();
}

void TrendGraph::chkYAutoScale_Click(bool checked)
{
    m_yView.automatic = checked;
    if (!checked) {
        m_yView = AxisView{false, 0, 100};
        m_yLimits = yLimitTexts(fallbackYLimits(chart().valueExtent()));
    }
    ScaleTheGraph();
}

void TrendGraph::setXView(int offset, int span)
{
    m_xView.offset = scrollPosition(offset, 0);
    m_xView.span = scrollPosition(span, 1);
    ScaleTheGraph();
}

void TrendGraph::setYView(int offset, int span)
{
    m_yView.offset = scrollPosition(offset, 0);
    m_yView.span = scrollPosition(span, 1);
    ScaleTheGraph();
}

void TrendGraph::yLimitsEntered(const QString &minimum, const QString &maximum)
{
    m_yLimits = YLimitTexts{minimum, maximum};
    m_yView.offset = 0;
    m_yView.span = 100;
    ScaleTheGraph();
}

void TrendGraph::optTimeBase_Click(int index)
{
    const std::optional<TimeBase> base = timeBaseFromIndex(index);
    if (!base)
        return;
    m_sampler.setTimeBase(*base);
    ScaleTheGraph();
}

void TrendGraph::ScaleTheGraph()
{
    m_fields.XAxis = scaleXAxis(m_xView, chart().xExtent());
    m_fields.YAxis = scaleYAxis(m_yView, m_yLimits, chart().valueExtent());
    m_sampler.RefreshGraph();
    sync();
}

void TrendGraph::cmdStartSampling_Click()
{
    m_sampler.cmdStartSampling_Click();
    sync();
}

void TrendGraph::cmdStopSampling_Click()
{
    m_sampler.StopSampling();
    sync();
}

void TrendGraph::cmdClearData_Click()
{
    const core::MsgResult answer = m_link.ui.MsgBox(
        QStringLiteral("Are sure you wish to clear all Graph Data?"), core::MsgButtons::YesNo,
        core::MsgIcon::Question, QStringLiteral("Clear Graph Data?"), core::MsgResult::No);
    if (answer != core::MsgResult::Yes)
        return;
    m_sampler.ResetGraph();
    sync();
}

void TrendGraph::cmdRefresh_Click()
{
    m_sampler.RefreshGraph();
    sync();
}

void TrendGraph::tmrGraphSampling_Timer()
{
    m_sampler.tmrGraphSampling_Timer();
    sync();
}

void TrendGraph::tmrGraphRefresh_Timer(bool windowVisible)
{
    m_sampler.tmrGraphRefresh_Timer(windowVisible);
    sync();
}

void TrendGraph::cmdSaveData_Click()
{
    core::FileDialogRequest request;
    request.title = QStringLiteral("Save Graph Data");
    request.filter = GraphFilter;
    request.initialFolder = dialogFolder();
    request.fileName = proposedGraphFileName(m_link.clock.localNow());
    request.confirmOverwrite = true;
    const std::optional<QString> chosen = m_link.ui.saveFileDialog(request);
    if (!chosen || chosen->isEmpty())
        return;
    m_LastGraphFile = *chosen;
    (void)SaveGraphFile(*chosen); // a failure was reported
}

void TrendGraph::cmdRestoreData_Click()
{
    if (SamplingOn()) {
        m_link.ui.MsgBox(QStringLiteral("Graph sampling is currently on.  Stop the sampling "
                                        "before trying to restore graph data."),
                         core::MsgButtons::Ok, core::MsgIcon::Exclamation,
                         QStringLiteral("Graph Sampling Is On"), core::MsgResult::Ok);
        return;
    }
    core::FileDialogRequest request;
    request.title = QStringLiteral("Restore Graph Data");
    request.filter = GraphFilter;
    request.initialFolder = dialogFolder();
    request.fileMustExist = true;
    const std::optional<QString> chosen = m_link.ui.openFileDialog(request);
    if (!chosen || chosen->isEmpty())
        return;
    m_LastGraphFile = *chosen;
    RestoreGraphFile(*chosen);
}

SaveOutcome TrendGraph::SaveGraphFile(const QString &path)
{
    return logging::SaveGraphFile(chart(), m_sampler.chartPenTexts(), m_sampler.timeBase(), path,
                                  m_link.ui);
}

void TrendGraph::RestoreGraphFile(const QString &path)
{
    try {
        core::DataFileReader reader = core::DataFileReader::open(path);
        const GraphFileHeader header = readGraphFileHeader(reader);
        // Nothing of the current graph changes before the header proved good.
        const core::BusyPointer busy(m_link.ui);
        m_sampler.ResetGraph();
        m_sampler.setTimeBase(header.timeBase);
        restorePens(header.penTexts);
        m_sampler.restorePoints(reader, static_cast<int>(header.penTexts.size()));
    } catch (const core::AppError &error) {
        core::reportAppError(m_link.ui, error,
                             QStringLiteral("frmGraph.RestoreGraphFile,  File >") + path);
    }
    ScaleTheGraph();
}

void TrendGraph::applyGraphSetup(const GraphSetup &setup)
{
    m_config.XAxisTicks = setup.XAxisTicks;
    m_config.YAxisTicks = setup.YAxisTicks;
    m_config.ShowXGrid = setup.ShowXGrid ? 1 : 0;
    m_config.ShowYGrid = setup.ShowYGrid ? 1 : 0;
    (void)SaveGraphConfig(m_link.app, m_link.ui, m_config); // a failure was reported
    m_fields.Ticks = SetupGraphTicks(m_config);
    m_sampler.RefreshGraph();
    sync();
}

std::optional<core::PrintTarget> TrendGraph::choosePrintTarget()
{
    const core::MsgResult answer =
        m_link.ui.MsgBox(QStringLiteral("Do you want the graph to print in Landscape Orientation?"),
                         core::MsgButtons::YesNoCancel, core::MsgIcon::Question,
                         QStringLiteral("Print Graph"), core::MsgResult::No);
    if (answer == core::MsgResult::Cancel)
        return std::nullopt;
    core::PrintRequest request;
    request.title = QStringLiteral("Print Graph");
    request.orientation = answer == core::MsgResult::Yes ? core::PageOrientation::Landscape
                                                         : core::PageOrientation::Portrait;
    return m_link.ui.choosePrintTarget(request);
}

void TrendGraph::applyRates()
{
    SamplingRates rates;
    rates.SampleRate = choiceSeconds(ChoiceList::SampleRate, m_config.SampleRateIndex);
    rates.SamplingDuration = choiceSeconds(ChoiceList::Duration, m_config.DurationIndex);
    rates.RefreshRate = choiceSeconds(ChoiceList::RefreshRate, m_config.RefreshIndex);
    m_sampler.setRates(rates);
}

void TrendGraph::fillPenLists()
{
    const QStringList instruments = penListEntries(m_link.app.Config.Instruments);
    for (int pen = 0; pen < PenSlots; ++pen)
        m_penLists[pen] = instruments + m_restoredLines[pen];
}

// A restored pen whose line is not in its list gets the line added, so the file's address is
// sampled even when that instrument is no longer configured.
void TrendGraph::restorePens(const QStringList &texts)
{
    m_restoredLines = {};
    fillPenLists();
    for (int pen = 0; pen < PenSlots; ++pen) {
        const QString text = texts.value(pen).trimmed().isEmpty() ? NonePenText : texts[pen];
        m_config.PenSelection[pen] = text;
        if (!m_penLists[pen].contains(text)) {
            m_restoredLines[pen] << text;
            m_penLists[pen] << text;
        }
    }
    m_sampler.SetGraphLegends(m_config.PenSelection);
}

QString TrendGraph::dialogFolder() const
{
    if (m_LastGraphFile.isEmpty())
        return core::LogFolder(m_link.app);
    return QFileInfo(m_LastGraphFile).absolutePath();
}

// Copies the model into the fields; after a redraw, automatic scaling follows the data.
void TrendGraph::sync()
{
    const SamplingFields &sampling = m_sampler.fields();
    if (sampling.Redraws != m_fields.Redraws) {
        if (m_yView.automatic)
            m_yLimits = yLimitTexts(fallbackYLimits(chart().valueExtent()));
        if (m_xView.automatic)
            m_fields.XAxis = scaleXAxis(m_xView, chart().xExtent());
        if (m_yView.automatic)
            m_fields.YAxis = scaleYAxis(m_yView, m_yLimits, chart().valueExtent());
    }
    static_cast<SamplingFields &>(m_fields) = sampling;
    m_fields.SampleRateIndex = m_config.SampleRateIndex;
    m_fields.DurationIndex = m_config.DurationIndex;
    m_fields.RefreshIndex = m_config.RefreshIndex;
    m_fields.ShowSymbols = m_config.ShowSymbols != 0;
    m_fields.PenLists = m_penLists;
    m_fields.Pens = m_config.PenSelection;
    m_fields.XView = m_xView;
    m_fields.YView = m_yView;
    m_fields.YLimits = m_yLimits;
    m_fields.Base = m_sampler.timeBase();
    m_fields.BottomTitle = timeBaseTitle(m_sampler.timeBase());
}

} // namespace vanta::logging
