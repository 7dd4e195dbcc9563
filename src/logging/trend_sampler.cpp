// The trend sampling engine: the schedule of samples, the reads of each pen, the buffer limit,
// the end of the duration and the automatic save.
#include "logging/trend_sampler.h"

#include "comms/timing.h"
#include "core/address.h"
#include "core/app_error.h"
#include "core/number_format.h"
#include "core/program_folder.h"
#include "logging/graph_file.h"
#include "logging/log_line.h"

#include <QDir>
#include <algorithm>

namespace vanta::logging {

namespace {

constexpr double AutoSaveSeconds = 1800;
// Automatic saves only at slow rates, where a lost run would cost hours.
constexpr double AutoSaveAboveRate = 60;
constexpr double CaptionAboveValues = 60000;

const QString MaximumTitle = QStringLiteral("Maximum Data Points Reached");
const QString SamplingMaximum = QStringLiteral(
    "The system has reached its maximum sampling size of 128,000 data points and sampling has "
    "been stopped.  The number of points is");
const QString RestoreMaximum = QStringLiteral(
    "The system has reached its maximum sampling size of 128,000 data points.    The number of "
    "points is");

void warn(core::Interaction &ui, const QString &text, const QString &title)
{
    ui.MsgBox(text, core::MsgButtons::Ok, core::MsgIcon::Exclamation, title, core::MsgResult::Ok);
}

} // namespace

TrendSampler::TrendSampler(comms::CommLink &link, core::LoopTracker &loops,
                           ProcessValueReader reader)
    : m_link(link), m_loops(loops), m_read(reader ? std::move(reader) : scaledValueReader(link))
{}

QStringList TrendSampler::chartPenTexts() const
{
    QStringList texts;
    for (int pen = 0; pen < m_chart.penCount(); ++pen)
        texts << (m_pens[pen].trimmed().isEmpty() ? NonePenText : m_pens[pen]);
    return texts;
}

void TrendSampler::setIndicator(int pen, PenIndicator indicator)
{
    if (pen >= 0 && pen < PenSlots)
        m_fields.Indicators[pen] = indicator;
}

void TrendSampler::SetGraphLegends(const PenTexts &pens)
{
    m_pens = pens;
    m_PenCount = highestUsedPen(pens);
    if (!m_chart.setPenCount(std::max(m_PenCount, 1))) {
        const bool wasSampling = m_SamplingOn;
        if (wasSampling)
            StopSampling();
        showMaximumReached(wasSampling ? SamplingMaximum : RestoreMaximum);
    }
    m_fields.Legends.clear();
    for (int pen = 0; pen < m_chart.penCount(); ++pen)
        m_fields.Legends << penLegend(m_pens[pen]);
    RefreshGraph();
}

void TrendSampler::setTimeBase(TimeBase base)
{
    m_chart.scaleX(timeBaseConversion(m_TimeBase, base));
    m_TimeBase = base;
}

void TrendSampler::ResetGraph()
{
    m_chart.clear();
    RefreshGraph();
}

void TrendSampler::RefreshGraph()
{
    m_fields.SampleCountText =
        core::formatNumber(m_chart.pointCount(), QStringLiteral("#,###,###,##0"));
    const double rate = m_rates.SampleRate;
    m_fields.BufferSizeVisible =
        rate > 0 && (m_chart.penCount() * m_rates.SamplingDuration / rate > CaptionAboveValues ||
                     m_rates.SamplingDuration == 0);
    if (m_fields.BufferSizeVisible)
        m_fields.BufferSizeText =
            core::formatNumber(m_chart.valueCount(), QStringLiteral("#,##0")) +
            QStringLiteral(" Of 128,000");
    ++m_fields.Redraws;
    m_DataChanged = false;
}

bool TrendSampler::canPassBuffer() const
{
    const double rate = m_rates.SampleRate;
    return rate > 0 &&
           (std::max(m_PenCount, 1) * m_rates.SamplingDuration / rate > ChartBuffer::MaxValues ||
            m_rates.SamplingDuration == 0);
}

void TrendSampler::cmdStartSampling_Click()
{
    core::Interaction &ui = m_link.ui;
    if (m_SamplingOn) {
        warn(ui,
             QStringLiteral("Graph sampling is currently on.  Stop the sampling before trying to "
                            "restart the sampling."),
             QStringLiteral("Graph Sampling Is On"));
        return;
    }
    if (canPassBuffer())
        warn(ui,
             QStringLiteral("Warning- The combination of Sampling Duration, Number of pens "
                            "selected and Sampling Rate will eventually cause the number of data "
                            "points logged to exceed the maximum of 128,000.  The graph will "
                            "automatically stop logging and give you a message when this occurs."),
             QStringLiteral("Maximum Logging Size Will Be Exceeded"));
    ResetGraph();
    m_SamplingOn = true;
    m_link.app.setGraphRecording(true);
    m_fields.SamplingVisible = true;
    m_SamplingStart = comms::SystemTimeNow(m_link.clock) * 86400;
    m_AutoSaveTimer = comms::ClockSeconds(m_link.clock);
    m_LastRefresh = -99999; // the first refresh tick redraws
    m_NextSampleOffset = 0;
    m_AutoSaveOn = true;
}

void TrendSampler::StopSampling()
{
    m_SamplingOn = false;
    m_link.app.setGraphRecording(false);
    m_fields.SamplingVisible = false;
    RefreshGraph();
}

void TrendSampler::tmrGraphSampling_Timer()
{
    if (!m_SamplingOn)
        return;
    const core::ReentryGuard guard(m_inSamplingTick, m_loops);
    if (!guard)
        return;
    try {
        sampleIfDue();
    } catch (const core::AppError &error) {
        // Stopped first, so a failure that would come back every tick is shown once.
        StopSampling();
        core::reportAppError(m_link.ui, error, QStringLiteral("frmGraph.tmrGraphSampling_Timer"));
    }
}

void TrendSampler::sampleIfDue()
{
    const double t = comms::SecondsSince(m_link.clock, m_SamplingStart);
    if (t < m_NextSampleOffset)
        return;
    // Placed at the time the sample was due, not the time of the reads.
    const double x = m_NextSampleOffset / secondsPerUnit(m_TimeBase);
    m_NextSampleOffset = nextOffsetAfter(m_NextSampleOffset, t, m_rates.SampleRate);
    if (m_chart.hasReachedLimit() || !m_chart.appendPoint(x)) {
        StopSampling();
        showMaximumReached(SamplingMaximum);
        return;
    }
    m_DataChanged = true;
    samplePens();
    if (m_rates.SamplingDuration != 0 && t > m_rates.SampleRate + m_rates.SamplingDuration)
        StopSampling();
    autoSaveIfDue();
}

void TrendSampler::samplePens()
{
    // While another window holds the port every pen stays missing at this point.
    if (m_link.app.PortBorrowed())
        return;
    bool allRead = true;
    const int pens = std::min(m_PenCount, m_chart.penCount());
    for (int pen = 0; pen < pens; ++pen)
        allRead = samplePen(pen) && allRead;
    if (allRead)
        m_link.app.setErrorLine(QString());
}

// Stores pen `pen`'s sample at the newest point; false when its read failed.
bool TrendSampler::samplePen(int pen)
{
    const core::InstrumentRecord target = penInstrument(m_pens[pen]);
    if (core::ParseAddress(target.InstGroup, target.InstAddress) == 0)
        return true; // "[none]": missing
    setIndicator(pen, PenIndicator::Reading);
    if (m_onReading)
        m_onReading(pen);
    const ProcessReading reading = m_link.app.DemoMode() ? demoReading(pen) : m_read(target);
    if (reading.Status != 0) {
        setIndicator(pen, PenIndicator::Failed);
        showFailure(reading.ResultText);
        return false;
    }
    setIndicator(pen, PenIndicator::ButtonFace);
    m_chart.setSample(pen, reading.Value, /*missing=*/false);
    return true;
}

// Pens 1..9 rise with their number and the seconds of the clock; pen 10 swings about -100.
ProcessReading TrendSampler::demoReading(int pen) const
{
    const int s = m_link.clock.localNow().time().second();
    const int n = pen + 1;
    const float value = n < PenSlots ? float(s * n * 5 + n * 1000) : float(s * 3 - 100);
    return {value, 0, QString()};
}

void TrendSampler::showFailure(const QString &text)
{
    if (!m_errorLine.pass(comms::ClockSeconds(m_link.clock)))
        return;
    m_link.app.setErrorLine(dateTimeText(m_link.clock.localNow()) + QStringLiteral(" - ") + text);
}

void TrendSampler::autoSaveIfDue()
{
    if (comms::ElapsedSeconds(m_link.clock, m_AutoSaveTimer) < AutoSaveSeconds ||
        m_rates.SampleRate <= AutoSaveAboveRate || !m_AutoSaveOn || m_chart.isEmpty())
        return;
    m_AutoSaveTimer = comms::ClockSeconds(m_link.clock);
    const QString path =
        QDir(core::LogFolder(m_link.app)).filePath(QStringLiteral("AutoGraphSave.csv"));
    // A failed save is reported once; the rest of this run saves no more.
    if (SaveGraphFile(m_chart, chartPenTexts(), m_TimeBase, path, m_link.ui) == SaveOutcome::Failed)
        m_AutoSaveOn = false;
}

void TrendSampler::tmrGraphRefresh_Timer(bool windowVisible)
{
    if (!m_SamplingOn || m_rates.RefreshRate <= 0 ||
        comms::ElapsedSeconds(m_link.clock, m_LastRefresh) < m_rates.RefreshRate)
        return;
    m_LastRefresh = comms::ClockSeconds(m_link.clock);
    if (m_DataChanged && windowVisible)
        RefreshGraph();
}

void TrendSampler::restorePoints(core::DataFileReader &reader, int filePens)
{
    if (readGraphPoints(reader, filePens, m_chart) == PointsRead::LimitReached)
        showMaximumReached(RestoreMaximum);
}

void TrendSampler::showMaximumReached(const QString &opening)
{
    warn(m_link.ui,
         opening + core::withLeadingBlank(m_chart.pointCount()) +
             QStringLiteral(".  The number of pens is") +
             core::withLeadingBlank(m_chart.penCount()) + QLatin1Char('.'),
         MaximumTitle);
}

} // namespace vanta::logging
