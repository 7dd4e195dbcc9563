// The trend sampling engine: up to ten pens' process values sampled at a chosen rate into the
// chart buffer, with the buffer limit, the end of the duration, automatic saves, the error line
// and the captions the graph window shows about it. TrendGraph (trend_graph.h) owns one and
// drives it from the window's two timers.
#pragma once

#include "comms/comm_link.h"
#include "core/data_file_reader.h"
#include "core/reentry_guard.h"
#include "logging/chart_buffer.h"
#include "logging/logging_sessions.h"
#include "logging/pen_lines.h"
#include "logging/sample_schedule.h"
#include "logging/trend_choices.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

namespace vanta::logging {

// The background of a pen's indicator shpPoll(n).
enum class PenIndicator
{
    WindowColour, // not used since the window came to the front
    ButtonFace,   // chosen, or its last read succeeded
    Reading,      // green while its read runs
    Failed        // red: its last read failed
};

// What the graph window shows about sampling.
struct SamplingFields
{
    QString SampleCountText = QStringLiteral("0");           // lblSampleCountText
    bool BufferSizeVisible = false;                          // lblBufferSize, lblBufferSizeText
    QString BufferSizeText = QStringLiteral("0 of 128,000"); // lblBufferSizeText
    bool SamplingVisible = false;                            // lblSampling
    std::array<PenIndicator, PenSlots> Indicators{};
    QStringList Legends{QString()}; // one per pen of the chart
    // Counts the chart's redraws: the window repaints the chart when this changes.
    int Redraws = 0;
};

// The three choices in seconds (0 duration: never stop; 0 refresh: never).
struct SamplingRates
{
    double SampleRate = 0.1;
    double SamplingDuration = 10;
    double RefreshRate = 0.5;
};

class TrendSampler
{
public:
    // Reads go through ReadScaledValue on `link` unless `reader` is given. `loops` is the
    // program's tracker of guarded ticks (the navigator's).
    TrendSampler(comms::CommLink &link, core::LoopTracker &loops, ProcessValueReader reader = {});

    const SamplingFields &fields() const { return m_fields; }
    const ChartBuffer &chart() const { return m_chart; }
    bool SamplingOn() const { return m_SamplingOn; }
    int PenCount() const { return m_PenCount; }
    TimeBase timeBase() const { return m_TimeBase; }
    // The texts of the chart's pens, for saving.
    QStringList chartPenTexts() const;

    void setRates(const SamplingRates &rates) { m_rates = rates; }
    // Called just before a pen's read with its indicator at Reading, so the window can paint it
    // at once (the tick holds the thread until the read ends).
    void setReadingHook(std::function<void(int pen)> hook) { m_onReading = std::move(hook); }
    void setIndicator(int pen, PenIndicator indicator);

    // The pens to sample. PenCount becomes the highest pen with an instrument; the chart keeps
    // that many pens (1 when none), a pen between them on "[none]" missing at every point. A
    // pen added with samples on the chart is missing at the earlier points; when the chart
    // cannot take its values the maximum message is shown (sampling stops) and the pen is left
    // off the chart.
    void SetGraphLegends(const PenTexts &pens);
    // Converts every X position into the new time base; later samples are placed in it.
    void setTimeBase(TimeBase base);

    // Empties the chart and redraws.
    void ResetGraph();
    // Redraws: sample count, the buffer captions (shown only when the choices can fill more
    // than 60,000 values or never stop) and the chart.
    void RefreshGraph();

    // "Start Sampling": refused while sampling; warns when the choices can pass the buffer
    // limit; then empties the chart and samples from now. AppState::GraphRecording is set
    // until the sampling stops.
    void cmdStartSampling_Click();
    void StopSampling();

    // Every 50 ms while sampling: takes the sample due, if any. Guarded: a tick while another
    // one shows a box returns at once. An unexpected error stops the sampling, then is
    // reported once.
    void tmrGraphSampling_Timer();
    // Every 250 ms while sampling: redraws at the refresh rate when data came in and the window
    // is visible.
    void tmrGraphRefresh_Timer(bool windowVisible);

    // Restores points of a graph file into the emptied chart (see readGraphPoints), showing the
    // maximum message when the file holds more than the chart takes.
    void restorePoints(core::DataFileReader &reader, int filePens);

private:
    void sampleIfDue();
    void samplePens();
    bool samplePen(int pen);
    ProcessReading demoReading(int pen) const;
    void showFailure(const QString &text);
    void autoSaveIfDue();
    bool canPassBuffer() const;
    void showMaximumReached(const QString &opening);

    comms::CommLink &m_link;
    core::LoopTracker &m_loops;
    ProcessValueReader m_read;
    std::function<void(int pen)> m_onReading;
    ChartBuffer m_chart;
    SamplingFields m_fields;
    SamplingRates m_rates;
    PenTexts m_pens;
    int m_PenCount = 0;
    TimeBase m_TimeBase = TimeBase::Seconds;
    bool m_SamplingOn = false;
    bool m_DataChanged = false;
    double m_SamplingStart = 0;    // UTC seconds (SystemTimeNow x 86400)
    double m_NextSampleOffset = 0; // seconds after SamplingStart
    double m_LastRefresh = 0;      // ClockSeconds
    double m_AutoSaveTimer = 0;    // ClockSeconds
    bool m_AutoSaveOn = false;
    Throttle m_errorLine{0.5};
    bool m_inSamplingTick = false;
};

} // namespace vanta::logging
