// The chart buffer: pen columns beside one column of X positions, with room for the whole
// value limit set aside so that appending never moves the samples.
#include "logging/chart_buffer.h"

#include <algorithm>

namespace vanta::logging {

namespace {
void widen(std::optional<Extent> &extent, double v)
{
    if (!extent) {
        extent = Extent{v, v};
        return;
    }
    extent->minimum = std::min(extent->minimum, v);
    extent->maximum = std::max(extent->maximum, v);
}

} // namespace

ChartBuffer::ChartBuffer() : m_pens(1)
{
    reserveForPens();
}

void ChartBuffer::clear()
{
    m_x.clear();
    for (Pen &pen : m_pens) {
        pen.values.clear();
        pen.missing.clear();
    }
    m_xExtent.reset();
    m_valueExtent.reset();
    m_xRising = true;
}

bool ChartBuffer::setPenCount(int pens)
{
    pens = std::max(pens, 1);
    if (static_cast<qint64>(pointCount()) * pens > MaxValues)
        return false;
    const size_t points = m_x.size();
    m_pens.resize(pens);
    for (Pen &pen : m_pens) {
        pen.values.resize(points, 0.0f);
        pen.missing.resize(points, 1);
    }
    reserveForPens();
    return true;
}

bool ChartBuffer::appendPoint(double x)
{
    if (valueCount() + penCount() > MaxValues)
        return false;
    if (!m_x.empty() && x < m_x.back())
        m_xRising = false;
    m_x.push_back(x);
    for (Pen &pen : m_pens) {
        pen.values.push_back(0.0f);
        pen.missing.push_back(1);
    }
    widen(m_xExtent, x);
    return true;
}

void ChartBuffer::setSample(int pen, float value, bool missing)
{
    if (pen < 0 || pen >= penCount() || m_x.empty())
        return;
    m_pens[pen].values.back() = value;
    m_pens[pen].missing.back() = missing ? 1 : 0;
    if (!missing)
        widen(m_valueExtent, value);
}

void ChartBuffer::scaleX(double factor)
{
    for (double &x : m_x)
        x *= factor;
    if (m_xExtent)
        m_xExtent = Extent{m_xExtent->minimum * factor, m_xExtent->maximum * factor};
}

PointRange ChartBuffer::pointsBetween(double from, double to) const
{
    if (!m_xRising)
        return {0, pointCount()};
    const auto first = std::lower_bound(m_x.begin(), m_x.end(), from);
    const auto last = std::upper_bound(first, m_x.end(), to);
    const int begin = static_cast<int>(first - m_x.begin());
    const int end = static_cast<int>(last - m_x.begin());
    const int withBefore = std::max(begin - 1, 0);
    const int withAfter = std::min(end + 1, pointCount());
    return {withBefore, std::max(withAfter - withBefore, 0)};
}

PenSamples ChartBuffer::samples(int pen, PointRange range) const
{
    const int first = std::clamp(range.first, 0, pointCount());
    const int count = std::clamp(range.count, 0, pointCount() - first);
    if (pen < 0 || pen >= penCount() || count == 0)
        return {};
    const Pen &column = m_pens[pen];
    return {m_x.data() + first, column.values.data() + first, column.missing.data() + first, count,
            m_xRising};
}

void ChartBuffer::reserveForPens()
{
    const size_t points = static_cast<size_t>(MaxValues / penCount());
    m_x.reserve(points);
    for (Pen &pen : m_pens) {
        pen.values.reserve(points);
        pen.missing.reserve(points);
    }
}

} // namespace vanta::logging
