// The pages of the configuration window, field by field, for the three controller groups.
// Captions are the instruments' own parameter names; messages quote them.
#include "config/parameter_pages.h"

namespace vanta::config {

namespace {

using L = OptionList;
using S = Scaling;

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Boxes for consecutive bits from `firstBit`, all under one heading.
std::vector<BitBox> optionBoxes(int firstBit, const QStringList &captions, const QString &section)
{
    std::vector<BitBox> boxes;
    for (const QString &caption : captions)
        boxes.push_back({firstBit++, caption, section});
    return boxes;
}

const QStringList &alarmOptionCaptions()
{
    static const QStringList captions{"Latching",
                                      "Fail-Safe Output",
                                      "Deviation Alarm",
                                      "Power-On Inhibit",
                                      "Active in Manual Mode",
                                      "Alarm on Input Failure",
                                      "Flash Display While Active"};
    return captions;
}

void groupZeroGeneral(TableBuilder &t)
{
    t.page("General");
    t.number(258, "Setpoint 1 (SP1)", S::DecimalPoint);
    t.number(262, "Setpoint 2 (SP2)", S::DecimalPoint);
    t.number(263, "Alarm 1 Low (AL1L)", S::DecimalPoint);
    t.number(264, "Alarm 1 High (AL1H)", S::DecimalPoint);
    t.number(265, "Alarm 2 Low (AL2L)", S::DecimalPoint);
    t.number(266, "Alarm 2 High (AL2H)", S::DecimalPoint);
    t.number(323, "Security Level (SECr)");
    t.number(326, "Input Scale Low (InPL)", S::DecimalPointForAnalog);
    t.number(327, "Input Scale High (InPH)", S::DecimalPointForAnalog);
    t.number(328, "Setpoint Low Limit (SPL)", S::DecimalPointForAnalog);
    t.number(329, "Setpoint High Limit (SPH)", S::DecimalPointForAnalog);
    t.list(794, "Units", L::Units0);
    t.list(798, "Alarm 1 Type (AL1)", L::AlarmType0);
    t.list(800, "Alarm 2 Type (AL2)", L::AlarmType0);
    t.box(793, "Square Root Extraction (Sqrt)");
    t.box(805, "Allow Remote Changes via Communications(LOrE)");
    t.box(813, "Store Changes To Instrument's EEPROM");
    t.box(1035, "Reset Peak Reading");
    t.box(1036, "Reset Valley Reading");
}

// 16 steps of a time and a setpoint each; the event outputs of step k are two bits of 350
// (steps 1-8) or 351 (steps 9-16): bit 15 - 2j for output 1 and 14 - 2j for output 2, where j
// is the step's place in its word.
void groupZeroRampSoak(TableBuilder &t)
{
    t.page("Ramp/Soak");
    t.list(8, "Time Base (tbAS)", L::TimeBase);
    const QString steps = QStringLiteral("Program Steps");
    t.section(steps);
    std::vector<BitBox> events[2];
    for (int step = 1; step <= 16; ++step) {
        const QString row = QStringLiteral("Step %1").arg(step);
        t.row(row);
        t.number(287 + 2 * step, row + " Time (t" + twoDigits(step) + ")").unit =
            UnitCaption::TimeBase;
        t.number(288 + 2 * step, row + " Setpoint (S" + twoDigits(step) + ")", S::DecimalPoint);
        const int j = (step - 1) % 8;
        std::vector<BitBox> &word = events[(step - 1) / 8];
        word.push_back({15 - 2 * j, row + " Event Output 1", steps, row});
        word.push_back({14 - 2 * j, row + " Event Output 2", steps, row});
    }
    t.section({});
    t.list(790, "At End Of Program (PEnd)", L::ProgramEnd);
    t.box(786, "Program Running (run)");
    t.box(787, "Auto Start at Power Up (PStr)");
    t.box(788, "Guaranteed Soak (GSoK)");
    t.box(789, "Program Hold (HoLd)");
    t.boxes(350, "Step events, steps 1-8", events[0]);
    t.boxes(351, "Step events, steps 9-16", events[1]);
}

void groupZeroTuning(TableBuilder &t)
{
    t.page("Tuning");
    t.number(269, "Proportional Band 1 (Pb1)", S::DecimalPointForAnalog);
    t.number(273, "Output 2 Proportional Band (Pb2)", S::DecimalPointForAnalog);
    t.reset(274, "Reset 1 (rSt1)");
    t.number(278, "Rate 1 (rAt1) (min)", S::Hundredths);
    t.number(282, "Output 2 Gain (GAn2)", S::Hundredths);
    t.number(283, "Anti-Reset Windup Limit (ArW) (%)");
    t.number(284, "Self-Tune Sensitivity (StSn)");
    t.number(285, "Approach Rate (APr)", S::Hundredths);
    t.number(321, "Dead Band (db)", S::DecimalPoint);
    t.number(322, "Overshoot Suppression (OSS) (%)");
    t.number(324, "Input Filter Time (FLtr) (sec)", S::Tenths);
    t.number(325, "Tune Output Step (tStP) (%)");
    t.number(344, "Setpoint Ramp Rate (SPrr) (units/min)");
    t.number(345, "Soft Start Time (SoFt) (sec)");
    t.number(779, "Damping Factor (0=off)");
    t.number(791, "Input Filter Strength (FILt)");
    t.list(775, "Tuning Type", L::TuningType, 3, Encoding::TuningType);
    t.list(810, "Input Failure Action", L::InputFailure);
    t.box(783, "Anti-Overshoot (AOS)");
    t.box(784, "Auto-Tune at Power Up (AtPU)");
    t.box(1067, "Start Learning (LErn)");
}

void groupZeroOutputSetup(TableBuilder &t)
{
    t.page("Output Setup");
    t.number(267, "Output 1 On/Off Differential (dIF1)");
    t.number(268, "Output 2 On/Off Differential (dIF2)");
    t.number(334, "Analog Output Scale Low (AnL)", S::DecimalPointForN8OrAnalog);
    t.number(335, "Analog Output Scale High (AnH)", S::DecimalPointForN8OrAnalog);
    t.number(336, "Analog Output Signal Low (AoL) (%)");
    t.number(337, "Analog Output Signal High (AoH) (%)");
    t.list(769, "Output 1 Control (Out1)", L::OutputControl, 0, Encoding::OutputHardware);
    t.number(770, "Output 1 Cycle Time (CYC1) (sec)");
    t.number(771, "Output 1 Pulsed Linearity (PL1)");
    t.list(772, "Output 2 Control (Out2)", L::OutputControl, 0, Encoding::OutputHardware);
    t.number(773, "Output 2 Cycle Time (CYC2) (sec)");
    t.number(774, "Output 2 Pulsed Linearity (PL2)");
    t.list(802, "Analog Output Source (AnS)", L::AnalogSource);
    t.list(811, "Output Limit Reference (OLrF)", L::OutputLimitReference);
    t.list(812, "Output 2 Function (O2Fn)", L::Output2Function);
    t.box(785, "Output 1 Reverse Acting (rEV1)");
    t.box(807, "Output Delay at Power Up (PUdL)");
}

void groupZeroSetpointControl(TableBuilder &t)
{
    t.page("Setpoint Ctrl");
    t.number(330, "Output 1 Low Limit (S1OL) (%)");
    t.number(331, "Output 1 High Limit (S1OH) (%)");
    t.number(332, "Output 2 Low Limit (S2OL) (%)");
    t.number(333, "Output 2 High Limit (S2OH) (%)");
    t.number(340, "Manual Output 1 (%)", S::Tenths);
    t.number(341, "Manual Output 2 (%)", S::Tenths);
    t.list(809, "SP1 Output Routing (SPrt)", L::OutputRouting);
    t.box(3, "Manual Mode", 15); // bit 15 of the status word
    const QString setpointOptions = QStringLiteral("Setpoint control options");
    t.boxes(796, setpointOptions,
            optionBoxes(1,
                        {"SP2 Tracks SP1 (Deviation Setpoint)", "Setpoint Ramp Enabled",
                         "Remote Setpoint Input", "SP1 Locked at the Front Panel",
                         "Auto/Manual Key Enabled"},
                        setpointOptions));
    const QString outputOptions = QStringLiteral("Output options");
    t.boxes(797, outputOptions,
            optionBoxes(0,
                        {"Output 1 to Preset on Input Failure",
                         "Output 2 to Preset on Input Failure", "Bumpless Auto/Manual Transfer",
                         "Output 1 Soft Start", "Output 2 Soft Start", "Output 2 Reverse Acting"},
                        outputOptions));
}

void groupZeroAlarmSetup(TableBuilder &t)
{
    t.page("Alarm Setup");
    t.number(346, "Alarm 1 Hysteresis (HYS1)", S::DecimalPoint);
    t.number(347, "Alarm 2 Hysteresis (HYS2)", S::DecimalPoint);
    t.number(348, "Alarm 1 Delay (dLY1) (sec)");
    t.number(349, "Alarm 2 Delay (dLY2) (sec)");
    const QString alarm1 = QStringLiteral("Alarm 1 options");
    const QString alarm2 = QStringLiteral("Alarm 2 options");
    t.boxes(799, alarm1, optionBoxes(0, alarmOptionCaptions(), alarm1));
    t.boxes(801, alarm2, optionBoxes(0, alarmOptionCaptions(), alarm2));
    t.box(1028, "Acknowledge Alarm 1");
    t.box(1029, "Acknowledge Alarm 2");
    t.box(1031, "Reset Alarm 1 Latch");
    t.box(1032, "Reset Alarm 2 Latch");
}

// Stages 2-4 of the option; stage 1 is on the General and Tuning pages.
void groupZeroFourStage(TableBuilder &t)
{
    t.page("4-Stage Option");
    for (int k = 1; k <= 3; ++k) {
        const QString n = QString::number(k + 1);
        t.section("Stage " + n);
        t.number(258 + k, "Stage " + n + " Setpoint (" + n + "SP1)", S::DecimalPoint);
        t.number(269 + k, "Stage " + n + " Proportional Band (" + n + "Pb)",
                 S::DecimalPointForAnalog);
        t.reset(274 + k, "Stage " + n + " Reset (" + n + "rSt)");
        t.number(278 + k, "Stage " + n + " Rate (" + n + "rAt)", S::Hundredths);
        t.number(779 + k, "Stage " + n + " Damping Factor (" + n + "dPF)");
        t.list(775 + k, "Stage " + n + " Tuning Type", L::TuningType, 3, Encoding::TuningType);
        t.box(1067 + 2 * k, "Start Learning (LErn), stage " + n);
    }
    t.section({});
    t.list(803, "Active Setpoint Stage (SP)", L::SetpointStage);
    t.list(804, "Set Point Stage Selected By (SPSA)", L::StageSelect);
}

void groupOneGeneral(TableBuilder &t)
{
    t.page("General");
    t.list(2064, "Comm. Write (CoSH)", L::CommWrite);
    t.list(2065, "Eng. Units (tPUn)", L::Units, 1);
    t.number(4097, "Setpoint (SV)", S::Tenths);
    t.number(4098, "Upper Range Limit (tP-H)", S::Tenths);
    t.number(4099, "Lower Range Limit (tP-L)", S::Tenths);
    t.number(4118, "Input Offset (tPoF)", S::Tenths);
    t.list(4128, "Alarm 1 Type (ALA1)", L::AlarmType1);
    t.list(4129, "Alarm 2 Type (ALA2)", L::AlarmType1);
    t.list(4130, "Alarm 3 Type (ALA3)", L::AlarmType1);
    t.list(4131, "System Alarm (SALA)", L::SystemAlarm);
    t.number(4132, "Alarm 1 Low Limit (AL1L)", S::Tenths);
    t.number(4133, "Alarm 1 High Limit (AL1H)", S::Tenths);
    t.number(4134, "Alarm 2 Low Limit (AL2L)", S::Tenths);
    t.number(4135, "Alarm 2 High Limit (AL2H)", S::Tenths);
    t.number(4136, "Alarm 3 Low Limit (AL3L)", S::Tenths);
    t.number(4137, "Alarm 3 High Limit (AL3H)", S::Tenths);
    t.list(4140, "Lock Setting (LoC)", L::LockSetting, 0, Encoding::LockSetting);
    t.list(4201, "Output 1", L::Output1);
    t.list(4202, "Output 2", L::Output2);
    t.number(4151, "Re-transmit Upper Limit (CrHi)", S::Tenths);
    t.number(4152, "Re-transmit Lower Limit (CrLo)", S::Tenths);
    t.list(18206, "Re-xmit direction", L::RetransmitDirection);
    t.list(18210, "Auto address flag", L::AutoAddress);
    t.list(18211, "Run/Stop (r-s)", L::RunStopProgram, 1);
}

// 4103-4117 and 4125; the input offset 4118 is on the General page.
void groupOneControl(TableBuilder &t)
{
    t.page("Control");
    t.list(2067, "Auto Tune (At)", L::AutoTune);
    t.list(4101, "Control Method (CtrL)", L::ControlMethod1);
    t.list(4102, "Control Action (S-HC)", L::ControlAction1);
    t.number(4103, "Output 1 Control Cycle (HtPd) (sec)");
    t.number(4104, "Output 2 Control Cycle (CLPd) (sec)");
    t.number(4105, "Proportional Band (P)", S::Tenths);
    t.number(4106, "Integral Time (I) (sec)");
    t.number(4107, "Derivative Time (D) (sec)");
    t.number(4108, "Integral Default (IoF) (%)", S::Tenths);
    t.number(4109, "PD Offset (PdoF) (%)");
    t.number(4110, "Output 2 Prop. Coefficient (CoEF)", S::Hundredths);
    t.number(4111, "Output 2 Dead Band (dEAd)", S::Tenths);
    t.number(4112, "Output 1 Hysteresis (HtS)", S::Tenths);
    t.number(4113, "Output 2 Hysteresis (CtS)", S::Tenths);
    t.number(4114, "Output 1 Manual Level (oUL1) (%)");
    t.number(4115, "Output 2 Manual Level (oUL2) (%)");
    t.number(4116, "Manual Output Upper Limit (%)");
    t.number(4117, "Manual Output Lower Limit (%)");
    t.list(4124, "PID Parameter Group (PIDn)", L::PidGroup);
    t.number(4125, "PID Group Setpoint (SVn)", S::Tenths);
}

// Pattern n: its last step, extra cycles and link, and eight steps s of a setpoint
// (8192 + 8n + s) and a time (8320 + 8n + s). These fields have no caption beside them.
void groupOnePattern(TableBuilder &t, int n)
{
    t.section(QStringLiteral("Pattern %1").arg(n));
    t.number(4160 + n, "Last Step (PSyn)").labelled = false;
    t.number(4176 + n, "Additional Execution Cyles (CyCn)").labelled = false;
    t.list(4192 + n, "Link Pattern (LCnn)", L::LinkPattern).labelled = false;
    for (int s = 0; s < 8; ++s) {
        const QString step = QStringLiteral("Step %1").arg(s);
        t.row(step);
        t.number(8192 + 8 * n + s, step + " Setpoint", S::Tenths).labelled = false;
        t.time(8320 + 8 * n + s, step + " Time").labelled = false;
    }
}

void groupOneRampSoaks(TableBuilder &t)
{
    t.page("Ramp/Soaks 0-3");
    t.list(4144, "Start Pattern (Ptrn)", L::StartPattern);
    for (int n = 0; n < 4; ++n)
        groupOnePattern(t, n);
    t.page("Ramp/Soaks 4-7");
    for (int n = 4; n < 8; ++n)
        groupOnePattern(t, n);
}

void groupOneCommunications(TableBuilder &t)
{
    t.page("Communications", "Note: Communication parameters will only be sent when they are "
                             "changed below, not during a Send Configuration.");
    t.list(4209, "Communications Address", L::CommAddress, 0, Encoding::AddressLessOne);
    t.list(4210, "Protocol (C-SL)", L::Protocol);
    t.list(4211, "Baud Rate (bPS)", L::BaudRate);
    t.list(4212, "Data Length (LEn)", L::DataLength);
    t.list(4213, "Parity (PRty)", L::Parity);
    t.list(4214, "Stop Bits (StoP)", L::StopBits);
}

void groupTwoGeneral(TableBuilder &t)
{
    t.page("General");
    t.number(18177, "Setpoint (SV)", S::Tenths);
    t.number(18178, "Alarm 1 Low Limit (AL1L)", S::Tenths);
    t.number(18179, "Alarm 1 High Limit (AL1H)", S::Tenths);
    t.number(18180, "Alarm 2 Low Limit (AL2L)", S::Tenths);
    t.number(18181, "Alarm 2 High Limit (AL2H)", S::Tenths);
    t.number(18182, "Upper Range Limit (tP-H)", S::Tenths);
    t.number(18183, "Lower Range Limit (tP-L)", S::Tenths);
    t.number(18196, "Input Offset (tPoF)", S::Tenths);
    t.list(18197, "Alarm 1 Type (ALA1)", L::AlarmType2);
    t.list(18198, "Alarm 2 Type (ALA2)", L::AlarmType2);
    t.list(18199, "Units (tPUn)", L::Units);
    t.list(18201, "Run/Stop (r-S)", L::RunStop);
    t.list(18202, "Comm. Write (CoSH)", L::CommWrite);
    t.list(18225, "Lock Setting (LoC)", L::LockSetting, 0, Encoding::LockSettingPairs);
}

void groupTwoControl(TableBuilder &t)
{
    t.page("Control");
    t.number(18184, "Proportional Band (P)", S::Tenths);
    t.number(18185, "Integral Time (I) (sec)");
    t.number(18186, "Derivative Time (D) (sec)");
    t.number(18187, "Hysteresis (HtS)", S::Tenths);
    t.number(18188, "Manual Output Upper Limit (%)");
    t.number(18189, "Manual Output Lower Limit (%)");
    t.number(18190, "Integral Default (IoF) (%)", S::Tenths);
    t.number(18194, "Control Cycle (CyCt) (sec)");
    t.number(18195, "PD Offset (PdoF) (%)");
    t.number(18218, "Manual Output (oUL) (%)");
    t.list(18193, "Control Method (CtrL)", L::ControlMethod2);
    t.list(18200, "Control Action (S-HC)", L::ControlAction2);
    t.list(18217, "Auto Tune (At)", L::AutoTune);
}

} // namespace

GroupTable groupZeroTable()
{
    TableBuilder t(0);
    groupZeroGeneral(t);
    groupZeroRampSoak(t);
    groupZeroTuning(t);
    groupZeroOutputSetup(t);
    groupZeroSetpointControl(t);
    groupZeroAlarmSetup(t);
    groupZeroFourStage(t);
    return t.finish();
}

GroupTable groupOneTable()
{
    TableBuilder t(1);
    groupOneGeneral(t);
    groupOneControl(t);
    groupOneRampSoaks(t);
    groupOneCommunications(t);
    return t.finish();
}

GroupTable groupTwoTable()
{
    TableBuilder t(2);
    groupTwoGeneral(t);
    groupTwoControl(t);
    return t.finish();
}

} // namespace vanta::config
