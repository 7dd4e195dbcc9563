// SetupFormFields: fields of the selected model, the dependent rules of each group, the pages
// and captions that follow other fields, and the display formats it re-applies.
#include "config_rig.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace vanta::test {
namespace {

using config::ConfigModel;

struct Box
{
    int reg;
    int bit = -1; // -1: the whole field
};

bool shows(const ConfigModel &m, const Box &b)
{
    return b.bit < 0 ? m.field(b.reg).Visible : m.isBoxVisible(b.reg, b.bit);
}

struct RuleCase
{
    const char *name;
    int group;
    const char *model;
    std::function<void(ConfigModel &)> set;
    std::vector<Box> hidden;
    std::vector<Box> shown;
};

void list(ConfigModel &m, int reg, int position)
{
    m.field(reg).ListIndex = position;
}

const std::vector<RuleCase> &ruleCases()
{
    static const std::vector<RuleCase> cases{
        {"output 1 time proportioning",
         0,
         "V5",
         [](auto &m) { list(m, 769, 0); },
         {{267}, {771}},
         {{770}}},
        {"output 1 current", 0, "V5", [](auto &m) { list(m, 769, 1); }, {{267}, {770}, {771}}, {}},
        {"output 1 pulsed", 0, "V5", [](auto &m) { list(m, 769, 2); }, {{267}, {770}}, {{771}}},
        {"output 1 on/off", 0, "V5", [](auto &m) { list(m, 769, 3); }, {{770}, {771}}, {{267}}},
        {"output 2 time proportioning",
         0,
         "V5",
         [](auto &m) { list(m, 772, 0); },
         {{268}, {774}},
         {{773}}},
        {"output 2 on/off", 0, "V5", [](auto &m) { list(m, 772, 3); }, {{773}, {774}}, {{268}}},
        {"thermocouple input",
         0,
         "V5",
         [](auto &m) { m.InputTypeIndex = 14; },
         {{326}, {327}, {793, 0}},
         {{328}}},
        {"current input",
         0,
         "V5",
         [](auto &m) { m.InputTypeIndex = 15; },
         {},
         {{326}, {327}, {793, 0}}},
        {"N8 has no latching", 0, "N8", [](auto &) {}, {{799, 0}, {801, 0}}, {{799, 1}, {801, 6}}},
        {"automatic mode",
         0,
         "HM",
         [](auto &m) { m.setBoxChecked(3, 15, false); },
         {{340}, {341}},
         {{3, 15}}},
        {"manual mode", 0, "HM", [](auto &m) { m.setBoxChecked(3, 15, true); }, {}, {{340}, {341}}},
        {"stage 1 self tune",
         0,
         "V5",
         [](auto &m) { list(m, 775, 0); },
         {{269}, {273}, {274}, {278}},
         {{779}, {1067, 0}}},
        {"stage 1 P.I.D.",
         0,
         "V5",
         [](auto &m) { list(m, 775, 1); },
         {{779}, {1067, 0}},
         {{269}, {273}, {274}, {278}}},
        {"stage 1 normal",
         0,
         "V5",
         [](auto &m) { list(m, 775, 3); },
         {{269}, {273}, {274}, {278}, {779}, {1067, 0}},
         {}},
        {"stage 3 self tune",
         0,
         "V5",
         [](auto &m) {
             list(m, 775, 1);
             list(m, 777, 0);
         },
         {{271}, {276}, {280}},
         {{273}, {781}, {1071, 0}}},
        {"stage 4 fast",
         0,
         "V5",
         [](auto &m) {
             list(m, 777, 1);
             list(m, 778, 4);
         },
         {{272}, {277}, {281}, {782}, {1073, 0}},
         {{271}}},
        {"analog input", 1, "XK", [](auto &m) { m.InputTypeIndex = 13; }, {{2065}}, {}},
        {"RTD input", 1, "XK", [](auto &m) { m.InputTypeIndex = 12; }, {}, {{2065}}},
        {"P.I.D",
         1,
         "XK",
         [](auto &m) { list(m, 4101, 0); },
         {{4112}, {4114}, {4117}},
         {{4097}, {4103}, {4111}}},
        {"ON/OFF",
         1,
         "XK",
         [](auto &m) { list(m, 4101, 1); },
         {{2067}, {4103}, {4110}, {4114}, {4117}, {4124}, {4125}},
         {{4111}, {4112}, {4113}, {4118}}},
        {"MANUAL",
         1,
         "XK",
         [](auto &m) { list(m, 4101, 2); },
         {{2067}, {4105}, {4113}, {4124}, {4125}},
         {{4103}, {4104}, {4114}, {4117}}},
        {"RAMP/SOAK",
         1,
         "XK",
         [](auto &m) { list(m, 4101, 3); },
         {{4097}, {4112}, {4117}},
         {{4103}, {4111}}},
        {"integral time set",
         1,
         "XK",
         [](auto &m) { m.field(4106).Text = "5"; },
         {{4109}},
         {{4108}}},
        {"no integral time", 1, "XK", [](auto &m) { m.field(4106).Text = ""; }, {{4108}}, {{4109}}},
        {"heat/cool",
         1,
         "XK",
         [](auto &m) { list(m, 4102, 2); },
         {{4104}, {4110}, {4111}, {4113}, {4115}, {4130}, {4136}, {4137}},
         {{4103}, {4129}}},
        {"auto tune group",
         1,
         "XK",
         [](auto &m) { list(m, 4124, 4); },
         {{4105}, {4109}, {4125}},
         {{4110}}},
        {"output 1 alarming",
         1,
         "XK",
         [](auto &m) { list(m, 4201, 2); },
         {{4151}, {4152}, {18206}},
         {}},
        {"output 1 re-transmit",
         1,
         "XK",
         [](auto &m) { list(m, 4201, 3); },
         {},
         {{4151}, {4152}, {18206}}},
        {"XW P.I.D",
         2,
         "XW",
         [](auto &m) { list(m, 18193, 0); },
         {{18187}, {18188}, {18189}, {18218}},
         {{18184}, {18186}}},
        {"XW ON/OFF",
         2,
         "XW",
         [](auto &m) { list(m, 18193, 1); },
         {{18184}, {18186}, {18188}, {18190}, {18194}, {18195}, {18217}, {18218}},
         {{18187}, {18177}}},
        {"XW MANUAL",
         2,
         "XW",
         [](auto &m) { list(m, 18193, 2); },
         {{18184}, {18187}, {18190}, {18195}, {18217}},
         {{18188}, {18218}}},
        {"XW integral time set",
         2,
         "XW",
         [](auto &m) { m.field(18185).Text = "3"; },
         {{18195}},
         {{18190}}},
        {"XW no integral time",
         2,
         "XW",
         [](auto &m) { m.field(18185).Text = "0"; },
         {{18190}},
         {{18195}}},
    };
    return cases;
}

TEST(SetupFormFields, AppliesTheDependentRulesOfEachGroup)
{
    for (const RuleCase &c : ruleCases()) {
        SCOPED_TRACE(c.name);
        ConfigRig rig(c.group);
        rig.select(c.model);
        c.set(*rig.model);
        rig.model->SetupFormFields();
        for (const Box &b : c.hidden)
            EXPECT_FALSE(shows(*rig.model, b)) << b.reg << " bit " << b.bit;
        for (const Box &b : c.shown)
            EXPECT_TRUE(shows(*rig.model, b)) << b.reg << " bit " << b.bit;
    }
}

TEST(SetupFormFields, ShowsOnlyWhatTheSelectedModelHas)
{
    ConfigRig rig(0);
    rig.select("HM");
    EXPECT_FALSE(rig.model->field(262).Visible); // no setpoint 2
    EXPECT_TRUE(rig.model->field(258).Visible);
    rig.select("V5");
    EXPECT_TRUE(rig.model->field(262).Visible);
    // A field table row of another kind leaves the register without a field.
    rig.app.Tables.setCfgField(258, 2, 0, 1);
    rig.model->SetupFormFields();
    EXPECT_FALSE(rig.model->field(258).Visible);
}

TEST(SetupFormFields, GivesGroupOneModelQTAFixedDecimalAndTheCommunicationsPage)
{
    ConfigRig rig(1);
    rig.select("XK");
    rig.model->DecimalPointIndex = 0;
    rig.model->SetupFormFields();
    EXPECT_EQ(rig.model->DecimalPointIndex, 0);
    EXPECT_TRUE(rig.model->isDecimalPointVisible());
    EXPECT_FALSE(rig.model->isPageAvailable(4));
    rig.select("QT");
    EXPECT_EQ(rig.model->DecimalPointIndex, 1);
    EXPECT_FALSE(rig.model->isDecimalPointVisible());
    EXPECT_TRUE(rig.model->isPageAvailable(4));
    EXPECT_EQ(rig.model->pages().at(4).title, "Communications");
}

TEST(SetupFormFields, OffersTheRampSoakPagesOnlyForTheRampSoakControlMethod)
{
    ConfigRig rig(1);
    for (int method = 0; method < 4; ++method) {
        SCOPED_TRACE(method);
        rig.model->field(4101).ListIndex = method;
        rig.model->SetupFormFields();
        EXPECT_EQ(rig.model->isPageAvailable(2), method == 3);
        EXPECT_EQ(rig.model->isPageAvailable(3), method == 3);
        EXPECT_TRUE(rig.model->isPageAvailable(1));
    }
}

// Event output 2 (the even bits of 350 and 351) exists on V5, and in a ramp/soak-only edit of
// an instrument that answered the alarm 2 probe.
TEST(SetupFormFields, ShowsSecondEventOutputsOnlyWhereTheyExist)
{
    struct Case
    {
        const char *model;
        bool rampSoakOnly;
        bool access;
        bool even;
    };
    const Case cases[] = {
        {"V5", false, false, true}, {"T6", false, false, false}, {"T6", false, true, false},
        {"RS", false, true, true},  {"RS", false, false, false}, {"T6", true, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3")
                         .arg(c.model)
                         .arg(c.rampSoakOnly)
                         .arg(c.access)
                         .toStdString());
        ConfigRig rig(0);
        rig.app.RSModel = c.rampSoakOnly;
        rig.model->RampSoakAccess = c.access;
        rig.select(c.model);
        for (int reg : {350, 351}) {
            for (int bit = 0; bit < 16; ++bit)
                EXPECT_EQ(rig.model->isBoxVisible(reg, bit), bit % 2 == 1 || c.even) << bit;
        }
    }
}

TEST(SetupFormFields, CaptionsFollowTheTimeBaseAndTheResetKind)
{
    ConfigRig rig(0);
    rig.select("V5");
    ConfigModel &m = *rig.model;
    m.field(8).ListIndex = 1;
    m.field(275).ListIndex = 1;
    m.SetupFormFields();
    EXPECT_EQ(m.field(289).UnitText, "Min.");
    EXPECT_EQ(m.field(319).UnitText, "Min.");
    EXPECT_EQ(m.field(274).UnitText, "Min.");
    EXPECT_EQ(m.field(275).UnitText, "%");
    m.field(8).ListIndex = 0;
    m.SetupFormFields();
    EXPECT_EQ(m.field(289).UnitText, "Sec.");
    EXPECT_EQ(m.field(290).UnitText, QString());
}

TEST(SetupFormFields, ReformatsVisibleNumbersAndLeavesOtherTextAlone)
{
    ConfigRig rig(1);
    rig.select("XK");
    ConfigModel &m = *rig.model;
    m.field(4097).Text = "1234.56";
    m.field(4098).Text = "n/a";
    m.field(4099).Text = "";
    m.field(8320).Hours = "5";
    m.field(8320).Minutes = "7";
    m.SetupFormFields();
    EXPECT_EQ(m.field(4097).Text, "1,234.6");
    EXPECT_EQ(m.field(4098).Text, "n/a");
    EXPECT_EQ(m.field(4099).Text, "");
    EXPECT_EQ(m.field(8320).Hours, "05");
    EXPECT_EQ(m.field(8320).Minutes, "07");
}

} // namespace
} // namespace vanta::test
