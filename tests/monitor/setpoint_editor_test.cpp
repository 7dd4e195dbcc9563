// The setpoint editor on a scripted group-1 instrument: the fields each model has (the third
// alarm of the XK in its order), the partial read when a register is missing, leaving a field,
// Update skipping empty fields, and the pending flag after a failed write.
#include "monitor/setpoint_editor.h"

#include "status_rig.h"

#include <gtest/gtest.h>

namespace vanta::test {
namespace {

using monitor::SetpointEditor;

// Group-1 wire registers.
constexpr int ModelCode = 0x12;
constexpr int Setpoint = 0x1001;
constexpr int Alarm1Lo = 0x1024;
constexpr int Alarm1Hi = 0x1025;
constexpr int Alarm2Lo = 0x1026;
constexpr int Alarm3Lo = 0x1028; // program register 4136
constexpr int Alarm3Hi = 0x1029; // program register 4137

RegisterMap instrumentRegisters(int modelCode)
{
    return {{ModelCode, modelCode}, {0x102A, 0x0014}, {Setpoint, 750},
            {Alarm1Lo, 100},        {Alarm1Hi, 200},  {Alarm2Lo, 300},
            {0x1027, 400},          {Alarm3Lo, 500},  {Alarm3Hi, 600}};
}

struct EditorRig : StatusRig
{
    explicit EditorRig(RegisterMap map)
        : StatusRig(1), registers(std::make_shared<RegisterMap>(map))
    {
        core::InstrumentRecord record;
        record.InstAddress = QStringLiteral("005");
        record.InstName = QStringLiteral("Kiln zone with a long name");
        record.InstProtocol = QStringLiteral("R");
        record.InstGroup = 1;
        app.Config.Instruments = {record, record};
        answerWith(modbusRtuInstrument(5, registers));
        editor.Form_Load();
    }
    QStringList texts() const
    {
        QStringList shown;
        for (const monitor::SetpointField &field : editor.fields().SV)
            shown << (field.Enabled ? field.Text : QStringLiteral("-"));
        return shown;
    }

    std::shared_ptr<RegisterMap> registers;
    SetpointEditor editor{link};
};

struct ReadCase
{
    const char *name;
    int modelCode;
    int missing; // wire register the instrument lacks, 0 for none
    bool silent;
    const char *texts; // of the seven fields, "-" for empty and disabled
    bool alarm3;
    bool update;
};

const ReadCase ReadCases[] = {
    {"XK: third alarm high before low", 1, 0, false, "75.0 10.0 20.0 30.0 40.0 60.0 50.0", true,
     true},
    {"QT: two alarms", 2, 0, false, "75.0 10.0 20.0 30.0 40.0 - -", false, true},
    {"alarm 1 low missing: what was read can be updated", 1, Alarm1Lo, false, "75.0 - - - - - -",
     true, true},
    {"silent instrument", 1, 0, true, "- - - - - - -", false, false},
};

TEST(SetpointEditor, ReadsTheFieldsOfTheChosenModel)
{
    for (const ReadCase &c : ReadCases) {
        SCOPED_TRACE(c.name);
        RegisterMap map = instrumentRegisters(c.modelCode);
        map.erase(c.missing);
        EditorRig rig(c.silent ? RegisterMap{} : map);
        if (c.silent)
            rig.answerWith(silentInstrument());
        ASSERT_TRUE(rig.editor.lstControls_Click(0));
        EXPECT_EQ(rig.texts(), QString::fromLatin1(c.texts).split(QLatin1Char(' ')));
        EXPECT_EQ(rig.editor.fields().Alarm3Visible, c.alarm3);
        EXPECT_EQ(rig.editor.fields().UpdateEnabled, c.update);
        EXPECT_EQ(rig.editor.fields().NameText, QStringLiteral("Kiln zone with a long name"));
        EXPECT_EQ(rig.app.errorLine().isEmpty(), !c.silent);
        EXPECT_EQ(rig.user.busyDepth, 0);
    }
}

struct LeaveCase
{
    const char *typed;
    const char *shown;
    int beeps;
};

const LeaveCase LeaveCases[] = {
    {"12345", "9,999.0", 0},
    {"-20000", "-9,999.0", 0},
    {"1,234.56", "1,234.6", 0},
    {"25.5", "25.5", 0},
    {"", "", 0},
    {"  ", "", 0},
    {"warm", "75.0", 1},
};

TEST(SetpointEditor, LeavingAFieldLimitsItKeepsItEmptyOrRestoresIt)
{
    for (const LeaveCase &c : LeaveCases) {
        SCOPED_TRACE(c.typed);
        EditorRig rig(instrumentRegisters(1));
        ASSERT_TRUE(rig.editor.lstControls_Click(0));
        rig.editor.txtSV_Change(0, QString::fromLatin1(c.typed));
        rig.editor.txtSV_LostFocus(0, QString::fromLatin1(c.typed));
        EXPECT_EQ(rig.editor.fields().SV[0].Text, QString::fromLatin1(c.shown));
        EXPECT_EQ(rig.user.beeps, c.beeps);
        EXPECT_TRUE(rig.editor.SetpointsChanged);
    }
}

TEST(SetpointEditor, UpdateSkipsEmptyFieldsAndStopsAtAFailedWrite)
{
    EditorRig rig(instrumentRegisters(1));
    ASSERT_TRUE(rig.editor.lstControls_Click(0));
    rig.editor.txtSV_Change(0, QString());
    rig.editor.txtSV_LostFocus(0, QString());
    rig.editor.txtSV_Change(1, QStringLiteral("25.5"));
    rig.registers->at(Setpoint) = 1;
    rig.editor.cmdUpdate_Click();
    EXPECT_EQ(rig.registers->at(Setpoint), 1); // emptied: not written as 0
    EXPECT_EQ(rig.registers->at(Alarm1Lo), 255);
    EXPECT_EQ(rig.registers->at(Alarm3Hi), 600);
    EXPECT_FALSE(rig.editor.SetpointsChanged);
    EXPECT_TRUE(rig.app.errorLine().isEmpty());

    // The instrument stops taking alarm 1 high: the update ends there and stays pending.
    rig.registers->erase(Alarm1Hi);
    rig.registers->at(Alarm2Lo) = 1;
    rig.editor.txtSV_Change(1, QStringLiteral("26"));
    rig.editor.cmdUpdate_Click();
    EXPECT_EQ(rig.registers->at(Alarm1Lo), 26 * 10);
    EXPECT_EQ(rig.registers->at(Alarm2Lo), 1);
    EXPECT_TRUE(rig.editor.SetpointsChanged);
    EXPECT_FALSE(rig.app.errorLine().isEmpty());
}

TEST(SetpointEditor, PendingChangesAreDroppedOnlyWhenTheOperatorAgrees)
{
    EditorRig rig(instrumentRegisters(2));
    ASSERT_TRUE(rig.editor.lstControls_Click(0));
    rig.editor.txtSV_Change(0, QStringLiteral("80"));
    rig.user.answers = {core::MsgResult::No, core::MsgResult::No, core::MsgResult::Yes};
    EXPECT_FALSE(rig.editor.lstControls_Click(1));
    EXPECT_EQ(rig.editor.SelectedInstrument, 0);
    EXPECT_EQ(rig.editor.fields().SV[0].Text, QStringLiteral("80"));
    EXPECT_FALSE(rig.editor.allowClose());
    EXPECT_TRUE(rig.editor.allowClose());
    EXPECT_EQ(rig.user.titles(),
              (QStringList{"Cancel Changes?", "Cancel Changes?", "Cancel Changes?"}));
    EXPECT_EQ(rig.user.boxes.at(0).defaultButton, core::MsgResult::No);

    // With the port closed nothing can be chosen.
    rig.app.setCommEnabled(false);
    EXPECT_TRUE(rig.editor.listLines().isEmpty());
    EXPECT_FALSE(rig.editor.lstControls_Click(1));
}

} // namespace
} // namespace vanta::test
