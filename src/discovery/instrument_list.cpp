// The instrument list of communications setup.
#include "discovery/instrument_list.h"

#include "core/address.h"
#include "core/number_format.h"
#include "discovery/protocol_rule.h"

namespace vanta::discovery {

namespace {

// The address in the form of `group`, or the text itself (trimmed) when it names no address:
// a hand-edited file may hold anything, and such a line still matches only itself.
QString addressKey(int group, const QString &text)
{
    const int address = core::ParseAddress(group, text);
    if (!core::isValidAddress(address))
        return QString(text).remove(QLatin1Char(' '));
    return core::FormatAddress(group, address);
}

core::InstrumentRecord storedValues(const core::InstrumentRecord &instrument)
{
    core::InstrumentRecord record;
    record.InstAddress = instrument.InstAddress;
    record.InstName = instrument.InstName;
    record.InstProtocol = instrument.InstProtocol;
    record.InstGroup = instrument.InstGroup;
    record.LogDurationUnit = instrument.LogDurationUnit;
    record.LogDuration = instrument.LogDuration;
    record.LogRateUnit = instrument.LogRateUnit;
    record.LogRate = instrument.LogRate;
    return record;
}

QString column(const QString &text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '), /*truncate=*/true);
}

QString fiveDigits(double value)
{
    return column(core::formatNumber(value, QStringLiteral("00000")), 5);
}

} // namespace

EntryFault checkEntry(const InstrumentEntry &entry)
{
    if (!core::isValidAddress(core::ParseAddress(entry.group, entry.addressText)))
        return EntryFault::Address;
    if (entry.name.contains(QLatin1Char(',')) || entry.name.contains(QLatin1Char('"')))
        return EntryFault::Name;
    return EntryFault::None;
}

QString entryFaultText(EntryFault fault, int group)
{
    switch (fault) {
    case EntryFault::Address:
        return QStringLiteral("The address must be ") + core::FormatAddress(group, 1) +
               QStringLiteral(" to ") + core::FormatAddress(group, core::MaxAddress) +
               (group == 0 ? QStringLiteral(" (hexadecimal).") : QStringLiteral("."));
    case EntryFault::Name:
        return QStringLiteral("An instrument name cannot hold a comma (,) or a double quote (\").");
    case EntryFault::None:
        break;
    }
    return {};
}

InstrumentList::InstrumentList(const std::vector<core::InstrumentRecord> &instruments)
{
    m_records.reserve(instruments.size());
    for (const core::InstrumentRecord &instrument : instruments)
        m_records.push_back(storedValues(instrument));
}

const core::InstrumentRecord *InstrumentList::at(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return &m_records[static_cast<size_t>(index)];
}

int InstrumentList::indexOfAddress(int group, const QString &addressText) const
{
    const QString wanted = addressKey(group, addressText);
    for (int index = 0; index < count(); ++index) {
        const core::InstrumentRecord &record = m_records[static_cast<size_t>(index)];
        if (addressKey(record.InstGroup, record.InstAddress) == wanted)
            return index;
    }
    return -1;
}

EntryFault InstrumentList::update(const InstrumentEntry &entry)
{
    const EntryFault fault = checkEntry(entry);
    if (fault != EntryFault::None)
        return fault;
    core::InstrumentRecord record; // the logging settings start at their defaults
    record.InstGroup = static_cast<qint16>(entry.group);
    record.InstAddress =
        core::FormatAddress(entry.group, core::ParseAddress(entry.group, entry.addressText));
    record.InstProtocol = core::ProtocolCodeFromIndex(
        correctedProtocol(entry.group, core::ProtocolIndexFromCode(entry.protocolCode)));
    record.InstName = entry.name.left(MaxNameLength).trimmed();
    const int existing = indexOfAddress(entry.group, record.InstAddress);
    if (existing >= 0)
        m_records[static_cast<size_t>(existing)] = record;
    else
        m_records.push_back(record);
    return EntryFault::None;
}

void InstrumentList::remove(int index)
{
    if (at(index) != nullptr)
        m_records.erase(m_records.begin() + index);
}

QString InstrumentList::displayLine(int index) const
{
    const core::InstrumentRecord *record = at(index);
    if (record == nullptr)
        return {};
    const QChar blank = QLatin1Char(' ');
    return column(record->InstAddress, 3) + QStringLiteral("   ") +
           column(record->InstProtocol, 1) + column(QString::number(record->InstGroup), 1) + blank +
           column(record->InstName, MaxNameLength) + blank + fiveDigits(record->LogDuration) +
           blank + fiveDigits(record->LogRate) + blank +
           column(QString::number(record->LogDurationUnit), 1) + blank +
           column(QString::number(record->LogRateUnit), 1);
}

} // namespace vanta::discovery
