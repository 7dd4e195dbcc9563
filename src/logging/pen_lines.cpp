// Pen list lines and what a pen line names.
#include "logging/pen_lines.h"

namespace vanta::logging {

const QString NonePenText = QStringLiteral("00     [none]");

QString instrumentPenLine(const core::InstrumentRecord &instrument)
{
    return instrument.InstAddress.leftJustified(3, QLatin1Char(' '), /*truncate=*/true) +
           QLatin1Char(' ') +
           instrument.InstProtocol.leftJustified(1, QLatin1Char(' '), /*truncate=*/true) +
           QString::number(instrument.InstGroup).right(1) + QLatin1Char(' ') + instrument.InstName;
}

QStringList penListEntries(const std::vector<core::InstrumentRecord> &instruments)
{
    QStringList entries;
    for (const core::InstrumentRecord &instrument : instruments)
        entries << instrumentPenLine(instrument);
    entries << NonePenText;
    return entries;
}

bool isNonePen(const QString &text)
{
    return text.trimmed().isEmpty() || text.mid(6).trimmed().contains(QLatin1String("[none]"));
}

QString penLegend(const QString &text)
{
    return text.mid(6).trimmed();
}

int highestUsedPen(const PenTexts &texts)
{
    for (int pen = PenSlots; pen >= 1; --pen) {
        if (!isNonePen(texts[pen - 1]))
            return pen;
    }
    return 0;
}

core::InstrumentRecord penInstrument(const QString &text)
{
    core::InstrumentRecord instrument;
    instrument.InstAddress = text.left(3).trimmed();
    instrument.InstProtocol = text.mid(4, 1);
    const QChar group = text.size() > 5 ? text.at(5) : QChar();
    const bool digit = group >= QLatin1Char('0') && group <= QLatin1Char('9');
    instrument.InstGroup = digit ? static_cast<qint16>(group.unicode() - '0') : 0;
    instrument.InstName = penLegend(text);
    return instrument;
}

QString penFileText(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.startsWith(QLatin1Char('"')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1Char('\''));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace vanta::logging
