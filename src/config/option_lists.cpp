// The entries of every option list of the configuration window.
#include "config/option_lists.h"

#include <array>
#include <utility>

namespace vanta::config {

namespace {

using Lists = std::array<QStringList, OptionListCount>;

QStringList threeDigitAddresses()
{
    QStringList entries;
    for (int address = 1; address <= 247; ++address)
        entries << QStringLiteral("%1").arg(address, 3, 10, QLatin1Char('0'));
    return entries;
}

QStringList patterns()
{
    QStringList entries;
    for (int n = 0; n < 8; ++n)
        entries << QStringLiteral("Pattern %1").arg(n);
    return entries;
}

void addHeaderLists(Lists &l)
{
    l[int(OptionList::InputType0)] = {"Type J T/C",
                                      "Type K T/C",
                                      "Type E T/C",
                                      "Type T T/C",
                                      "Type L T/C",
                                      "Type N T/C",
                                      "Type R T/C",
                                      "Type S T/C",
                                      "Type B T/C",
                                      "Type C T/C",
                                      "100 ohm Plat. (P392)",
                                      "120 ohm Nick. (n120)",
                                      "100 ohm Plat. (P385)",
                                      "1000 ohm Plat. (1P38)",
                                      "CURRENT",
                                      "VOLTAGE",
                                      "DIFFERENTIAL"};
    l[int(OptionList::InputType1)] = {
        "K-Type T/C", "J-Type T/C", "T-Type T/C", "E-Type T/C", "N-Type T/C",   "R-Type T/C",
        "S-Type T/C", "B-Type T/C", "L-Type T/C", "U-Type T/C", "TXK-Type T/C", "JPt100 RTD",
        "Pt100 RTD",  "0~5V",       "0~10V",      "0~20mA",     "5~20mA",       "0~50mV"};
    l[int(OptionList::InputType2)] = {
        "K-Type 1 T/C",      "K-Type 2 T/C",     "J-Type 1 T/C",     "J-Type 2 T/C",
        "T-Type 1 T/C",      "T-Type 2 T/C",     "E-Type T/C",       "N-Type T/C",
        "R-Type T/C",        "S-Type T/C",       "B-Type T/C",       "JPt100 Type 1 RTD",
        "JPt100 Type 2 RTD", "Pt100 Type 1 RTD", "Pt100 Type 2 RTD", "Pt100 Type 3 RTD",
        "L-Type T/C",        "U-Type T/C",       "Txk-Type T/C"};
    l[int(OptionList::DecimalPoint0)] = {"0", "0.0", "0.00", "0.000", ".0000"};
    l[int(OptionList::DecimalPoint1)] = {"0", "0.0"};
    l[int(OptionList::DecimalPoint2)] = {"0"};
}

void addGroupZeroLists(Lists &l)
{
    l[int(OptionList::TimeBase)] = {"Sec.", "Min."};
    l[int(OptionList::OutputControl)] = {"Time Proportioning", "Current or Voltage",
                                         "Pulsed Time Prop.", "On/Off"};
    l[int(OptionList::TuningType)] = {"Self Tune", "P.I.D.", "Slow", "Normal", "Fast"};
    l[int(OptionList::ResetKind)] = {"Automatic Reset Time", "Man. Offset Correction"};
    l[int(OptionList::ProgramEnd)] = {"Hold", "Outputs Off", "Loop Again", "Go To SP1"};
    l[int(OptionList::Units0)] = {"NONE", "DEG. F", "DEG. C"};
    l[int(OptionList::AlarmType0)] = {"Off", "Low", "High", "High/Low", "Event"};
    l[int(OptionList::AnalogSource)] = {"Process Variable", "Set Variable(SP1)"};
    l[int(OptionList::SetpointStage)] = {"Stage 1 (1SP1)", "Stage 2 (2SP1)", "Stage 3 (3SP1)",
                                         "Stage 4 (4SP1)"};
    l[int(OptionList::StageSelect)] = {"Internal Menu Selection", "External Contact Closures"};
    l[int(OptionList::OutputRouting)] = {"SP1 Routed to OUTA", "SP1 Routed to OUTB"};
    l[int(OptionList::InputFailure)] = {"Outputs Disabled (Fail)", "Outputs hold last output(Ave)",
                                        "Outputs go to presets (Pre)"};
    l[int(OptionList::OutputLimitReference)] = {"Relative to Output Range",
                                                "Relative to S#OL / S#OH"};
    l[int(OptionList::Output2Function)] = {"Alarm", "Control"};
}

void addModbusLists(Lists &l)
{
    l[int(OptionList::CommWrite)] = {"DISABLED", "ENABLED"};
    l[int(OptionList::Units)] = {"DEG. F", "DEG. C"};
    l[int(OptionList::AutoTune)] = {"STOP", "START"};
    l[int(OptionList::RunStopProgram)] = {"STOP", "RUN", "Program Stop", "Program Hold"};
    l[int(OptionList::RunStop)] = {"STOP", "RUN"};
    l[int(OptionList::ControlMethod1)] = {"P.I.D", "ON/OFF", "MANUAL", "RAMP/SOAK"};
    l[int(OptionList::ControlMethod2)] = {"P.I.D", "ON/OFF", "MANUAL"};
    l[int(OptionList::ControlAction1)] = {"HEATING", "COOLING", "HEAT/COOL", "COOL/HEAT"};
    l[int(OptionList::ControlAction2)] = {"HEATING", "COOLING"};
    l[int(OptionList::PidGroup)] = {"PID0", "PID1", "PID2", "PID3", "Auto Tune"};
    l[int(OptionList::AlarmType2)] = {
        "Alarm Disable",       "Up-Down Limit",         "Up Limit",
        "Down Limit",          "Reverse Up-Down Limit", "Absolute Up-Down Limit",
        "Absolute Up Limit",   "Absolute Down Limit",   "Standby Up-Down Limit",
        "Standby Up Limit",    "Standby Down Limit",    "Hysterics Up Limit",
        "Hysterics Down Limit"};
    l[int(OptionList::AlarmType1)] = l[int(OptionList::AlarmType2)] + QStringList{"CT Alarm"};
    l[int(OptionList::SystemAlarm)] = {"Disable", "Alarm 1", "Alarm 2", "Alarm 3"};
    l[int(OptionList::LockSetting)] = {"OFF", "Lock All", "All but SV"};
}

void addGroupOneLists(Lists &l)
{
    l[int(OptionList::StartPattern)] = patterns();
    l[int(OptionList::LinkPattern)] = patterns() + QStringList{"Pattern End"};
    l[int(OptionList::Output1)] = {"Heating", "Cooling", "Alarming", "Re-Transmit"};
    l[int(OptionList::Output2)] = {"Heating", "Cooling", "Alarming"};
    l[int(OptionList::CommAddress)] = threeDigitAddresses();
    l[int(OptionList::Protocol)] = {"Modbus ASCII", "Modbus RTU"};
    l[int(OptionList::BaudRate)] = {"2400", "4800", "9600", "19200", "38400"};
    l[int(OptionList::DataLength)] = {"8", "7"};
    l[int(OptionList::Parity)] = {"None", "Even", "Odd"};
    l[int(OptionList::StopBits)] = {"2", "1"};
    l[int(OptionList::RetransmitDirection)] = {"Positive", "Negative"};
    l[int(OptionList::AutoAddress)] = {"Leave address as is", "Auto address after power on"};
}

Lists buildLists()
{
    Lists lists;
    addHeaderLists(lists);
    addGroupZeroLists(lists);
    addModbusLists(lists);
    addGroupOneLists(lists);
    return lists;
}

} // namespace

const QStringList &optionEntries(OptionList list)
{
    static const Lists lists = buildLists();
    const int index = static_cast<int>(list);
    return index >= 0 && index < OptionListCount ? lists[index] : lists[0];
}

OptionList inputTypeList(int group)
{
    static constexpr std::array<OptionList, 3> lists{OptionList::InputType0, OptionList::InputType1,
                                                     OptionList::InputType2};
    return group >= 0 && group < 3 ? lists[group] : OptionList::None;
}

OptionList decimalPointList(int group)
{
    static constexpr std::array<OptionList, 3> lists{
        OptionList::DecimalPoint0, OptionList::DecimalPoint1, OptionList::DecimalPoint2};
    return group >= 0 && group < 3 ? lists[group] : OptionList::None;
}

} // namespace vanta::config
