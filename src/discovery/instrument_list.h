// The instrument list that communications setup edits: one record per configured instrument,
// kept as numbers and texts; the window's display lines are built from the records, never read
// back from them.
#pragma once

#include "core/system_config.h"

#include <QString>
#include <vector>

namespace vanta::discovery {

constexpr int MaxNameLength = 21;

// What the operator entered for one instrument.
struct InstrumentEntry
{
    int group = 0;       // 0..2
    QString addressText; // as typed or chosen: hexadecimal for group 0, decimal otherwise
    QString protocolCode;
    QString name;
};

enum class EntryFault
{
    None,
    Address, // not a whole number 1..255 in the group's form
    Name     // holds "," or a double quote, which would split the stored record
};

[[nodiscard]] EntryFault checkEntry(const InstrumentEntry &entry);
// The message that refuses an entry, naming the addresses the group takes.
QString entryFaultText(EntryFault fault, int group);

class InstrumentList
{
public:
    InstrumentList() = default;
    // The stored values of `instruments`; their working logging state is left behind.
    explicit InstrumentList(const std::vector<core::InstrumentRecord> &instruments);

    int count() const { return static_cast<int>(m_records.size()); }
    // The record at `index`; null outside the list.
    const core::InstrumentRecord *at(int index) const;
    // The instrument whose address text, in its group's form, equals `addressText` in the form of
    // `group` (blanks ignored); -1 when there is none.
    int indexOfAddress(int group, const QString &addressText) const;

    // Adds the entry, or replaces the instrument of its address in place. The record gets the
    // address in the group's form ("0A", "010"), the protocol the group speaks (protocol_rule.h),
    // the name cut to 21 characters and trimmed, and the logging defaults (1 minute, 1 second per
    // log). A refused entry changes nothing.
    [[nodiscard]] EntryFault update(const InstrumentEntry &entry);
    // Removes the instrument at `index`; outside the list nothing happens.
    void remove(int index);

    // The 46-character line of the instrument at `index` (empty outside the list): address in
    // columns 1-3, protocol 7, group 8, name 10-30, duration 32-36 and rate 38-42 as five
    // digits, duration unit 44, rate unit 46. Display only: a rate of 2.5 shows as 00003.
    QString displayLine(int index) const;

    // The records to store: every value as it was loaded or updated, working state fresh.
    const std::vector<core::InstrumentRecord> &records() const { return m_records; }

private:
    std::vector<core::InstrumentRecord> m_records;
};

} // namespace vanta::discovery
