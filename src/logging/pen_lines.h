// The lines of the trend graph's pen lists: one per configured instrument ("001 R1 Oven 3":
// address text in three places, a blank, protocol code, group digit, a blank, the name) and the
// line of an unused pen.
#pragma once

#include "core/system_config.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace vanta::logging {

constexpr int PenSlots = 10;
using PenTexts = std::array<QString, PenSlots>;

// The line of an unused pen.
extern const QString NonePenText; // "00     [none]"

QString instrumentPenLine(const core::InstrumentRecord &instrument);
// One line per instrument of the list, then the unused line.
QStringList penListEntries(const std::vector<core::InstrumentRecord> &instruments);

// True for the unused line and for an empty text (a pen never chosen).
bool isNonePen(const QString &text);
// The legend of a pen: its text from the seventh character on, trimmed (the instrument's name).
QString penLegend(const QString &text);
// The highest pen number (1..10) with an instrument chosen; 0 when none has.
int highestUsedPen(const PenTexts &texts);

// What a pen line reads from: protocol (fifth character), controller group (the numeric value
// of the sixth character, 0 when it is no digit) and the address text (the first three
// characters). The address number is core::ParseAddress of the text: 0 for the unused line.
core::InstrumentRecord penInstrument(const QString &text);

// A pen text as a field of Graph.val and the graph files, which separate fields by commas: as it
// is, or in double quotes when it holds a comma or starts with a quote, so it reads back whole.
// The files have no escape for a quote inside quotes: there it is written as an apostrophe.
QString penFileText(const QString &text);

} // namespace vanta::logging
