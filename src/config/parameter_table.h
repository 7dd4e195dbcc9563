// What the configuration pages show, per controller group: the pages and, page by page, every
// parameter with its control, caption, option list, instrument encoding and display scaling.
// One register has exactly one field. The window builds its pages from this table.
#pragma once

#include "config/option_lists.h"

#include <QString>
#include <vector>

namespace vanta::config {

// How a parameter is shown. The CfgField kind of a register (1 numeric, 2 list, 3 bits) must
// agree with its control: TextField, ResetValue and HoursMinutes are numeric.
enum class ControlKind
{
    TextField,    // txtParameter
    ResetValue,   // txtParameter with the cbxReset list of the reset's sign
    HoursMinutes, // txtPattHour and txtPattMin: a step time in minutes shown as hh:mm
    List,         // cbxParameter
    BitBoxes      // one chkParameter per bit
};

// Divisor and decimals of a numeric field; the decimal-point rules depend on the header state.
enum class Scaling
{
    Whole,
    DecimalPoint,              // by DecimalPointIndex
    DecimalPointForAnalog,     // by DecimalPointIndex for current, voltage and differential inputs
    DecimalPointForN8OrAnalog, // the same, and always on model N8
    Tenths,
    Hundredths
};

// How the instrument's value of a list maps onto the list position.
enum class Encoding
{
    Position,         // value = position
    OutputHardware,   // output type code: 0 or 1, 6, 8, other
    TuningType,       // tuning byte 0/4, 16, 32, 48, 64 (4: learning in progress)
    LockSetting,      // 0, 1, 11
    LockSettingPairs, // read as 1 or 2, 11 or 22; written as 1 and 11
    AddressLessOne    // the instrument address 1..247 at position address - 1
};

// A caption that depends on another field.
enum class UnitCaption
{
    None,
    TimeBase, // "Sec." or "Min." by the time base list (register 8)
    ResetKind // "Min." for an automatic reset time, "%" for a manual offset
};

struct BitBox
{
    int bit;
    QString caption;
    QString section;
    QString row = {}; // as Parameter::row
};

struct Parameter
{
    int group = 0;
    int page = 0;
    int reg = 0;
    ControlKind kind = ControlKind::TextField;
    QString caption; // the name messages use; lblParamLabel shows it where labelled
    QString section; // a heading shared by neighbouring fields ("Step 3", "Pattern 5")
    QString row;     // the line of a section on which fields sit side by side ("Step 0"), or empty
    bool labelled = true;
    OptionList list = OptionList::None;
    int defaultPosition = 0;
    Scaling scaling = Scaling::Whole;
    Encoding encoding = Encoding::Position;
    UnitCaption unit = UnitCaption::None;
    std::vector<BitBox> boxes; // BitBoxes only, in page order
};

struct Page
{
    QString title;
    QString note; // a fixed text shown on the page, empty for most
};

// The CfgField kind (column 1) that goes with a control.
int cfgKindOf(ControlKind kind);

// The pages of controller group 0..2 in page order; empty for any other group.
const std::vector<Page> &pagesOf(int group);
// The group's parameters, page by page, each page in its own order.
const std::vector<Parameter> &parametersOf(int group);
// The parameter `reg` of `group`; nullptr when no page of the group shows it.
const Parameter *findParameter(int group, int reg);

// Control arrays of the window; objects are named array + "_" + index (txtParameter_258).
enum class ControlArray
{
    txtParameter,
    cbxParameter,
    chkParameter,
    cbxReset,
    txtPattHour,
    txtPattMin,
    lblParamLabel
};
QString controlName(ControlArray array, int index);
// The design's index of the box of bit 0..15 of a parameter: reg * 10 + bit for bits 0..7,
// reg * 10 + 1000 + (bit - 8) for bits 8..15 (bit 9 of 350 is 4501). Only an object name: the
// program keys boxes by register and bit.
int boxIndex(int reg, int bit);

} // namespace vanta::config
