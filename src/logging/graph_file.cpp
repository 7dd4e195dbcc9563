// Writing the chart buffer as a graph file and reading one back.
#include "logging/graph_file.h"

#include "core/app_error.h"
#include "core/number_format.h"
#include "core/safe_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace vanta::logging {

namespace {

// X positions are sums of rate steps: 15 significant digits drop the last-bit noise of those
// sums (0.30000000000000004 becomes 0.3) and keep a tenth of a second over years.
QString xText(double x)
{
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.15g", x);
    return core::listPrintForm(std::strtod(digits, nullptr));
}

QString headingLine(const QStringList &pens, int penCount)
{
    QString line = QStringLiteral("Log Time");
    for (int pen = 0; pen < penCount; ++pen)
        line += QLatin1Char(',') + penFileText(pens.value(pen));
    for (int pen = 1; pen <= penCount; ++pen)
        line += QStringLiteral(",Missing Data-") + QString::number(pen);
    return line;
}

QString pointLine(const ChartBuffer &chart, int point)
{
    QString line = xText(chart.x(point));
    for (int pen = 0; pen < chart.penCount(); ++pen)
        line += QLatin1Char(',') + core::listPrintForm(chart.value(pen, point));
    for (int pen = 0; pen < chart.penCount(); ++pen)
        line += QLatin1Char(',') + core::listPrintForm(chart.isMissing(pen, point) ? 1 : 0);
    return line;
}

// A value as the chart holds it; one beyond the single range is an overflow.
float singleValue(double value)
{
    if (std::fabs(value) > std::numeric_limits<float>::max())
        throw core::AppError{core::ErrorNumber::Overflow, QStringLiteral("Overflow")};
    return static_cast<float>(value);
}

[[noreturn]] void throwOutOfRange()
{
    throw core::AppError{core::ErrorNumber::SubscriptOutOfRange,
                         QStringLiteral("Subscript out of range")};
}

} // namespace

QString proposedGraphFileName(const QDateTime &now)
{
    return QStringLiteral("Graph") + core::formatDateTime(now, QStringLiteral("yyyymmdd-hhmm")) +
           QStringLiteral(".csv");
}

QByteArray graphFileContent(const ChartBuffer &chart, const QStringList &pens, TimeBase base)
{
    QStringList lines;
    lines << QStringLiteral("#Pens =,") + core::listPrintForm(chart.penCount()) +
                 QStringLiteral(",Time Base =,") + core::listPrintForm(static_cast<int>(base));
    lines << headingLine(pens, chart.penCount());
    for (int point = 0; point < chart.pointCount(); ++point)
        lines << pointLine(chart, point);
    return core::latin1Lines(lines);
}

SaveOutcome SaveGraphFile(const ChartBuffer &chart, const QStringList &pens, TimeBase base,
                          const QString &path, core::Interaction &ui)
{
    if (chart.isEmpty()) {
        ui.MsgBox(QStringLiteral("The graph does not currently have any data.  Save Aborted."),
                  core::MsgButtons::Ok, core::MsgIcon::Information,
                  QStringLiteral("No Data On Graph"), core::MsgResult::Ok);
        return SaveOutcome::NoData;
    }
    try {
        const core::BusyPointer busy(ui);
        core::writeFileReplacing(path, graphFileContent(chart, pens, base));
        return SaveOutcome::Written;
    } catch (const core::AppError &error) {
        core::reportAppError(ui, error, QStringLiteral("frmGraph.SaveGraphFile,  File >") + path);
        return SaveOutcome::Failed;
    }
}

GraphFileHeader readGraphFileHeader(core::DataFileReader &reader)
{
    GraphFileHeader header;
    reader.readValue(); // "#Pens ="
    const int pens = reader.readInt16();
    if (pens < 1 || pens > PenSlots)
        throwOutOfRange();
    reader.readValue(); // "Time Base ="
    const std::optional<TimeBase> base = timeBaseFromIndex(reader.readInt16());
    if (!base)
        throwOutOfRange();
    header.timeBase = *base;
    reader.readValue(); // "Log Time"
    for (int pen = 0; pen < pens; ++pen)
        header.penTexts << reader.readValue();
    for (int pen = 0; pen < pens; ++pen)
        reader.readValue(); // "Missing Data-n"
    return header;
}

PointsRead readGraphPoints(core::DataFileReader &reader, int filePens, ChartBuffer &chart)
{
    const size_t pens = static_cast<size_t>(std::max(filePens, 0));
    std::vector<float> values(pens);
    std::vector<bool> missing(pens);
    while (!reader.atEnd()) {
        const double x = reader.readDouble();
        for (float &value : values)
            value = singleValue(reader.readDouble());
        for (size_t pen = 0; pen < pens; ++pen)
            missing[pen] = reader.readInt16() != 0;
        if (chart.hasReachedLimit() || !chart.appendPoint(x))
            return PointsRead::LimitReached;
        for (size_t pen = 0; pen < pens; ++pen)
            chart.setSample(static_cast<int>(pen), values[pen], missing[pen]);
    }
    return PointsRead::All;
}

} // namespace vanta::logging
