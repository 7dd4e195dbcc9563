// The trend chart's samples: per point an X position (sample time in time-base units), per pen
// and point a value and a missing-data flag, at most 128,000 values in all.
#pragma once

#include <QtGlobal>
#include <optional>
#include <vector>

namespace vanta::logging {

// A closed interval of X positions or values.
struct Extent
{
    double minimum = 0;
    double maximum = 0;
};

// Points first .. first + count - 1.
struct PointRange
{
    int first = 0;
    int count = 0;
};

// One pen's samples over a point range, straight out of the buffer (no copy); valid until the
// buffer next changes. `missing[i]` is 1 where the pen had no instrument or its read failed.
struct PenSamples
{
    const double *x = nullptr;
    const float *value = nullptr;
    const quint8 *missing = nullptr;
    int count = 0;
    bool xRising = true; // false once a restored file brought the X positions out of order
};

class ChartBuffer
{
public:
    static constexpr int MaxValues = 128000;
    // Sampling and restoring stop before a point once the buffer holds more values than this,
    // so that one more point of ten pens always fits.
    static constexpr int LimitValues = 127980;

    ChartBuffer();

    int pointCount() const { return static_cast<int>(m_x.size()); }
    int penCount() const { return static_cast<int>(m_pens.size()); }
    bool isEmpty() const { return m_x.empty(); }
    int valueCount() const { return pointCount() * penCount(); }
    bool hasReachedLimit() const { return valueCount() > LimitValues; }

    // Drops every point; the pens stay.
    void clear();
    // Sets the number of pens (at least 1). Pens added are missing at every earlier point; pens
    // removed lose their samples. Refused (false, nothing changed) when the points would then
    // hold more than MaxValues values.
    [[nodiscard]] bool setPenCount(int pens);
    // Adds a point at `x` with every pen missing; refused (false) when the buffer is full.
    // O(1) for each value: the room was set aside when the pen count was set.
    [[nodiscard]] bool appendPoint(double x);
    // Stores pen `pen`'s sample at the newest point; ignored for a pen or point that does not
    // exist. A value not marked missing widens valueExtent().
    void setSample(int pen, float value, bool missing);

    double x(int point) const { return m_x[point]; }
    float value(int pen, int point) const { return m_pens[pen].values[point]; }
    bool isMissing(int pen, int point) const { return m_pens[pen].missing[point] != 0; }

    // Smallest and largest X and value not marked missing; empty while there are none.
    std::optional<Extent> xExtent() const { return m_xExtent; }
    std::optional<Extent> valueExtent() const { return m_valueExtent; }

    // Multiplies every X position by `factor` (> 0): a change of time base.
    void scaleX(double factor);

    // The points whose X lies in [from, to], with one neighbour on each side when there is one,
    // so lines reach the edges of the range. Found by binary search while the X positions rise;
    // every point when a restored file brought them out of order.
    PointRange pointsBetween(double from, double to) const;
    PenSamples samples(int pen, PointRange range) const;

private:
    struct Pen
    {
        std::vector<float> values;
        std::vector<quint8> missing;
    };
    void reserveForPens();

    std::vector<double> m_x;
    std::vector<Pen> m_pens;
    std::optional<Extent> m_xExtent;
    std::optional<Extent> m_valueExtent;
    bool m_xRising = true;
};

} // namespace vanta::logging
