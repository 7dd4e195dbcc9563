// The field rules on the model with a scripted user and instrument: refusals and rescaling of
// the decimal point and input type, limits of numbers and times, the model warnings, and the
// immediate writes with their questions.
#include "config/field_rules.h"
#include "transfer_rig.h"

namespace vanta::test {
namespace {

using config::FieldRules;
using core::MsgResult;

FieldRules rulesOf(TransferRig &rig)
{
    return FieldRules(*rig.model, rig.link);
}

// Header choices in group 0 (V5 unless named) and group 1 (XK): the title shown, if any, and
// the header and the numbers afterwards.
TEST(FieldRules, DecimalPointAndInputTypeRefuseOrRescale)
{
    enum Choice
    {
        DecimalPoint,
        InputType
    };
    struct Case
    {
        const char *name;
        int group;
        const char *model;
        int inputType; // list position before
        int decimals;  // before
        Choice choice;
        int chosen;
        const char *title; // "" when accepted
        int decimalsAfter;
        int inputTypeAfter;   // list position
        const char *setpoint; // 258 (group 0) shown afterwards; 250 before
        const char *band;     // 269 shown afterwards: "2.5" before on analog with 0.0, else "25"
    };
    const char *dp = "Invalid Decimal Point Setting";
    const char *it = "Invalid Input Type For Current Decimal Point Setting";
    const Case cases[] = {
        {"J with 0.00", 0, "V5", 0, 0, DecimalPoint, 2, dp, 0, 0, "250", "25"},
        {"J with 0.0", 0, "V5", 0, 0, DecimalPoint, 1, "", 1, 0, "25.0", "25"},
        {"R with 0.0", 0, "V5", 6, 0, DecimalPoint, 1, dp, 0, 6, "250", "25"},
        {".0000 not on V5", 0, "V5", 14, 0, DecimalPoint, 4, dp, 0, 14, "250", "25"},
        {".0000 on N8", 0, "N8", 14, 0, DecimalPoint, 4, "", 4, 14, "0.0250", "0.0025"},
        {"R while 0.0", 0, "V5", 0, 1, InputType, 6, it, 1, 0, "250.0", "25"},
        {"J while 0.00", 0, "V5", 14, 2, InputType, 0, it, 2, 14, "250.00", "2.50"},
        {"P392 on Z9", 0, "Z9", 0, 0, InputType, 10, "Invalid Input Type For Model Z9KM", 0, 0,
         "250", "25"},
        {"analog to J", 0, "V5", 14, 1, InputType, 0, "", 1, 0, "250.0", "25"},
        {"J to analog", 0, "V5", 0, 1, InputType, 14, "", 1, 14, "250.0", "2.5"},
        {"group 1 S with 0.0", 1, "XK", 6, 0, DecimalPoint, 1, dp, 0, 6, "", ""},
        {"group 1 0.0 then S", 1, "XK", 0, 1, InputType, 6, it, 1, 0, "", ""},
        {"group 1 S", 1, "XK", 0, 0, InputType, 6, "", 0, 6, "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TransferRig rig(c.group, c.model);
        config::ConfigModel &m = *rig.model;
        m.DecimalPointIndex = static_cast<qint16>(c.decimals);
        m.setInputTypePosition(c.inputType);
        const bool tenths = c.inputType >= 14 && c.decimals > 0;
        if (c.group == 0) {
            m.field(258).Text = QStringLiteral("250");
            m.field(269).Text = tenths ? QStringLiteral("2.5") : QStringLiteral("25");
            m.field(270).Text.clear();
        }
        FieldRules rules = rulesOf(rig);
        if (c.choice == DecimalPoint)
            rules.decimalPointChosen(c.chosen);
        else
            rules.inputTypeChosen(c.chosen);
        EXPECT_EQ(rig.user.titles(), *c.title ? QStringList{c.title} : QStringList{});
        EXPECT_EQ(m.ChangesPending, !*c.title);
        EXPECT_EQ(m.DecimalPointIndex, c.decimalsAfter);
        EXPECT_EQ(m.inputTypePosition(), c.inputTypeAfter);
        if (c.group == 0) {
            EXPECT_EQ(m.field(258).Text, c.setpoint);
            EXPECT_EQ(m.field(269).Text, c.band);
            EXPECT_EQ(m.field(270).Text, QString()); // empty stays empty
        }
    }
}

// Leaving a field: the value limited with a beep, then formatted. 258 has -1999..9999.
TEST(FieldRules, LeavingAFieldLimitsItsValue)
{
    struct Case
    {
        int group;
        int reg;
        int decimals;
        const char *typed;
        const char *shown;
        int beeps;
    };
    const Case cases[] = {
        {0, 258, 1, "-300", "-199.9", 1},
        {0, 258, 0, "12345", "9,999", 1},
        {0, 258, 1, "12.34", "12.3", 0},
        {0, 258, 0, "0", "0", 0},
        {0, 258, 0, "", "", 0},
        {0, 258, 0, "12x", "12x", 0},
        {1, 8320, 0, "16:75", "15:59", 1},
        {1, 8320, 0, "-1:7", "00:07", 1},
        {1, 8320, 0, "2:5", "02:05", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " in " + std::to_string(c.reg));
        TransferRig rig(c.group, c.group == 0 ? "V5" : "XK");
        config::FieldState &f = rig.model->field(c.reg);
        rig.model->DecimalPointIndex = static_cast<qint16>(c.decimals);
        const QString typed = QString::fromLatin1(c.typed);
        if (c.reg == 8320) {
            f.Hours = typed.section(':', 0, 0);
            f.Minutes = typed.section(':', 1, 1);
        } else {
            f.Text = typed;
        }
        rulesOf(rig).fieldLeft(c.reg);
        const QString shown = c.reg == 8320 ? f.Hours + ':' + f.Minutes : f.Text;
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(rig.user.beeps, c.beeps);
    }
}

TEST(FieldRules, ModelWarningsKeepTheChoice)
{
    struct Case
    {
        const char *protocol;
        const char *model;
        int decimals;
        int inputType; // group 0 list position
        QStringList titles;
    };
    const Case cases[] = {
        {"R", "RS", 0, 0, {"Invalid Model"}},
        {"L", "HM", 0, 0, {"Invalid Model for Vanta Link"}},
        {"R", "HM", 0, 0, {}},
        {"R", "HM", 4, 0, {"Invalid Decimal Point Setting"}},
        {"R", "N8", 4, 0, {}},
        {"L", "Z9", 4, 11, {"Invalid Decimal Point Setting", "Invalid Input Type For Model Z9KM"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.model);
        TransferRig rig(0, "V5");
        rig.app.Config.ProtocolCode = QString::fromLatin1(c.protocol);
        rig.model->DecimalPointIndex = static_cast<qint16>(c.decimals);
        rig.model->setInputTypePosition(c.inputType);
        int slot = 0;
        QString name;
        core::FindModel(rig.app.Catalogue, 0, QString::fromLatin1(c.model), slot, name);
        rulesOf(rig).modelChosen(slot);
        EXPECT_EQ(rig.user.titles(), c.titles);
        EXPECT_EQ(rig.model->ModelId(), c.model);
        EXPECT_TRUE(rig.model->ChangesPending);
    }
}

// The immediate writes of group 1 (QT, address 001) and group 0 (V5): what the user is asked,
// what reaches the instrument, and the address the program uses afterwards.
TEST(FieldRules, ImmediateWritesAskThenWrite)
{
    constexpr int None = -99999; // nothing written
    struct Case
    {
        const char *name;
        int reg;
        int chosen;        // list position, or -1 for leaving the number `typed`
        const char *typed; // or for a list the address on screen
        std::vector<MsgResult> answers;
        QStringList titles;
        int written;
        const char *addressAfter;
        const char *says = ""; // part of a box's text
        bool silent = false;   // the instrument does not answer
    };
    const MsgResult Y = MsgResult::Yes;
    const MsgResult N = MsgResult::No;
    const QString write = QStringLiteral("Immediate Write of Parameter");
    const QString address = QStringLiteral("Immediate Write of Controller Address");
    const QString update = QStringLiteral("Update Communications Address");
    const QString failed = QStringLiteral("Send to Instrument Communications Error");
    const QString invalid = QStringLiteral("Invalid Communications Setting");
    const QString pidGroup = QStringLiteral("Immediate Write of PID Parameter Group");
    const QString updateComm = QStringLiteral("Update Communications Parameter");
    const char *useAfterwards = "   to the controller right now?  (If you say 'NO' then you should "
                                "either put the value back to the previous value or perform a "
                                "Read Configuration from Instrument to put the field back to what "
                                "is in the controller.)  Afterwards the program has to use Modbus "
                                "RTU at 19200,N,8,1 to reach the controller.";
    const char *readAgain = ". \r\nSince the communications write failed, it is now recommended "
                            "that you perform a Read Configuration from Instrument to put the "
                            "address field back";
    const char *sevenNone = "The combination of 7 data bits with None parity and 1 stop bit is "
                            "invalid.";
    const Case cases[] = {
        {"setpoint, yes", 258, -1, "25", {Y}, {write}, 25, "32"},
        {"setpoint, no", 258, -1, "25", {N}, {write}, None, "32"},
        {"empty setpoint", 258, -1, "", {}, {}, None, "32"},
        {"run/stop", 18211, 0, "001", {Y}, {write}, 0, "001"},
        {"address 000", 18211, 0, "000", {}, {"Invalid Address"}, None, "000"},
        {"address", 4209, 4, "001", {Y, Y}, {address, update}, 5, "005", "only at address 005."},
        {"address kept", 4209, 4, "001", {Y, N}, {address, update}, 5, "001"},
        {"address lost", 4209, 9, "001", {Y}, {address, failed}, None, "001", readAgain, true},
        {"7N1", 4212, 1, "001", {}, {invalid}, None, "001", sevenNone},
        {"auto tune", 4124, 4, "001", {}, {"PID Parameters Will Be Hidden"}, None, "001"},
        {"PID group, no", 4124, 2, "001", {N}, {pidGroup}, None, "001"},
        {"baud rate", 4211, 3, "001", {Y, N}, {write, updateComm}, 3, "001", useAfterwards},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TransferRig rig(c.reg == 258 ? 0 : 1, c.reg == 258 ? "V5" : "QT");
        config::ConfigModel &m = *rig.model;
        rig.user.answers.assign(c.answers.begin(), c.answers.end());
        rig.app.Config.BaudRate = 9600; // the settings the program talks with
        rig.app.Config.Parity = QStringLiteral("None");
        rig.app.Config.DataBits = 8;
        rig.app.Config.StopBits = 1;
        if (c.silent)
            rig.failWrite(c.reg, RtuInstrument::Silent);
        FieldRules rules = rulesOf(rig);
        if (c.chosen < 0) {
            m.field(c.reg).Text = QString::fromLatin1(c.typed);
            rules.fieldEdited(c.reg);
            rules.fieldLeft(c.reg);
        } else {
            m.AddressText = QString::fromLatin1(c.typed);
            if (c.reg == 4212)
                m.field(4214).ListIndex = 1; // one stop bit, parity None by default
            m.field(c.reg).ListIndex = c.chosen;
            rules.listChosen(c.reg);
        }
        EXPECT_EQ(rig.user.titles(), c.titles);
        QString shown;
        for (const RecordedBox &box : rig.user.boxes)
            shown += box.text + QLatin1Char('|');
        EXPECT_TRUE(shown.contains(QString::fromLatin1(c.says))) << shown.toStdString();
        EXPECT_EQ(rig.lastWrite(c.reg), c.written);
        EXPECT_EQ(m.AddressText, c.addressAfter);
        EXPECT_TRUE(m.ChangesPending); // a No keeps the edit pending
        if (c.chosen >= 0) {
            EXPECT_EQ(m.field(c.reg).ListIndex, c.chosen);
        }
    }
}

TEST(FieldRules, PidGroupWriteReadsEverythingAgain)
{
    for (const bool pending : {false, true}) {
        SCOPED_TRACE(pending);
        TransferRig rig(1, "QT");
        rig.set(4097, 123); // the instrument's setpoint
        rig.model->ChangesPending = pending;
        rig.user.answers = {MsgResult::Yes};
        rig.model->field(4124).ListIndex = 1;
        rulesOf(rig).listChosen(4124);
        ASSERT_FALSE(rig.user.boxes.empty());
        EXPECT_EQ(rig.user.boxes[0].text.contains("WARNING: YOU HAVE PENDING CHANGES"), pending);
        EXPECT_EQ(rig.written(), std::vector<int>{4124});
        EXPECT_EQ(rig.model->field(4097).Text, QStringLiteral("12.3"));
        EXPECT_FALSE(rig.model->ChangesPending); // the read starts afresh
    }
}

TEST(FieldRules, SystemAlarm3IsSilentlyRefusedForHeatCool)
{
    for (const int action : {0, 2, 3}) {
        SCOPED_TRACE(action);
        TransferRig rig(1, "XK");
        rig.model->field(4102).ListIndex = action;
        rig.model->field(4131).ListIndex = 3;
        rulesOf(rig).listChosen(4131);
        EXPECT_EQ(rig.model->field(4131).ListIndex, action >= 2 ? 0 : 3);
        EXPECT_TRUE(rig.user.boxes.empty());
    }
}

} // namespace
} // namespace vanta::test
