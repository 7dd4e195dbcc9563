// The monitor's rows: entry texts, decoding them back into a target, filling and restoring.
#include "monitor/monitor_rows.h"

#include "core/address.h"

namespace vanta::monitor {

namespace {

constexpr int AddressColumns = 3;
constexpr int ProtocolColumn = 4; // zero-based positions of the protocol code and group digit
constexpr int GroupColumn = 5;

} // namespace

QString noneEntryText()
{
    return QStringLiteral("00      [none]");
}

QString entryText(const core::InstrumentRecord &instrument)
{
    return instrument.InstAddress.left(AddressColumns).leftJustified(AddressColumns) +
           QLatin1Char(' ') + instrument.InstProtocol.left(1).leftJustified(1) +
           QString::number(instrument.InstGroup).left(1) + QLatin1Char(' ') + instrument.InstName;
}

QStringList entryTexts(const std::vector<core::InstrumentRecord> &instruments)
{
    QStringList entries;
    for (const core::InstrumentRecord &instrument : instruments)
        entries << entryText(instrument);
    entries << noneEntryText();
    return entries;
}

RowTarget decodeEntryText(const QString &text)
{
    RowTarget target;
    if (text.size() <= GroupColumn)
        return target;
    target.protocol = text.mid(ProtocolColumn, 1);
    target.group = text.at(GroupColumn).isDigit() ? text.at(GroupColumn).digitValue() : 0;
    const int address = core::ParseAddress(target.group, text.left(AddressColumns));
    target.address = core::isValidAddress(address) ? address : 0;
    return target;
}

QString RowHealth::text() const
{
    QString line =
        QStringLiteral("Requests %1, failures %2, last reply ").arg(requests).arg(failures);
    line += lastReplyMs < 0 ? QStringLiteral("none") : QStringLiteral("%1 ms").arg(lastReplyMs);
    if (backedOff)
        line += QStringLiteral(", silent: polled every 5 s");
    return line;
}

MonitorRows::MonitorRows()
{
    fill({});
}

void MonitorRows::fill(const std::vector<core::InstrumentRecord> &instruments)
{
    m_entries = entryTexts(instruments);
    for (MonitorRow &row : m_rows) {
        row = MonitorRow();
        row.Text = noneEntryText();
    }
    ChangeAllText.clear();
    ChangeAllState = EditState::Shown;
}

QString MonitorRows::listed(const QString &text) const
{
    return m_entries.contains(text) ? text : noneEntryText();
}

void MonitorRows::restore(const QStringList &lines)
{
    const int count = std::min<int>(MonitorRowCount, static_cast<int>(lines.size()));
    for (int index = 0; index < count; ++index)
        row(index).Text = listed(lines.at(index));
}

bool MonitorRows::choose(int index, const QString &text)
{
    if (index < 0 || index >= MonitorRowCount)
        return false;
    MonitorRow &chosen = row(index);
    chosen = MonitorRow();
    chosen.Text = listed(text);
    return true;
}

QStringList MonitorRows::texts() const
{
    QStringList lines;
    for (const MonitorRow &row : m_rows)
        lines << row.Text;
    return lines;
}

} // namespace vanta::monitor
