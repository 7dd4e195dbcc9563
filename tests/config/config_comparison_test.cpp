// Comparing configurations: what counts as a difference, how it is shown, what is left out,
// and the comparison with an instrument that was changed behind the program's back.
#include "config/config_comparison.h"
#include "config_rig.h"
#include "transfer_rig.h"

#include <functional>

namespace vanta::test {
namespace {

using config::compareConfigurations;
using config::ConfigComparison;
using config::ConfigModel;

struct DifferenceCase
{
    const char *name;
    int group;
    const char *model;
    std::function<void(ConfigModel &)> both;         // the settings both configurations share
    std::function<void(ConfigModel &)> second;       // what only the second one changes
    std::vector<std::vector<const char *>> expected; // register, caption, first, second
};

void pid(ConfigModel &m)
{
    m.setFromInstrument(775, 16); // P.I.D.: the reset and rate of stage 1 show
    m.SetupFormFields();
}

void rampSoakPages(ConfigModel &m)
{
    m.field(4101).ListIndex = 3; // RAMP/SOAK makes the pattern pages available
    m.SetupFormFields();
}

const DifferenceCase DifferenceCases[] = {
    {"scaled number",
     0,
     "V5",
     [](ConfigModel &m) {
         m.DecimalPointIndex = 1;
         m.setFromInstrument(258, 1230);
     },
     [](ConfigModel &m) { m.setFromInstrument(258, 750); },
     {{"258", "Setpoint 1 (SP1)", "123.0", "75.0"}}},
    {"same number written otherwise",
     0,
     "V5",
     [](ConfigModel &m) { m.field(263).Text = "1234"; },
     [](ConfigModel &m) { m.field(263).Text = "1,234.0"; },
     {}},
    {"empty against a number",
     0,
     "V5",
     {},
     [](ConfigModel &m) { m.field(263).Text = "0"; },
     {{"263", "Alarm 1 Low (AL1L)", "(empty)", "0"}}},
    {"list by its text",
     0,
     "V5",
     [](ConfigModel &m) { m.field(798).ListIndex = 2; },
     [](ConfigModel &m) { m.field(798).ListIndex = 4; },
     {{"798", "Alarm 1 Type (AL1)", "High", "Event"}}},
    {"bit box by name",
     0,
     "V5",
     [](ConfigModel &m) { m.DistributeBits(799, 0x02); },
     [](ConfigModel &m) { m.DistributeBits(799, 0x03); },
     {{"799 bit 0", "Alarm 1 options: Latching", "not checked", "checked"}}},
    {"reset sign",
     0,
     "V5",
     [](ConfigModel &m) {
         pid(m);
         m.setFromInstrument(274, -25);
     },
     [](ConfigModel &m) { m.setFromInstrument(274, 25); },
     {{"274", "Reset 1 (rSt1)", "2.5 (Automatic Reset Time)", "2.5 (Man. Offset Correction)"}}},
    {"header",
     0,
     "V5",
     {},
     [](ConfigModel &m) {
         m.DecimalPointIndex = 2;
         m.setInputTypePosition(3);
     },
     {{"792", "Input Type", "Type J T/C", "Type T T/C"}, {"795", "Decimal Point", "0", "0.00"}}},
    {"output hardware and write-only boxes are left out",
     0,
     "V5",
     {},
     [](ConfigModel &m) {
         m.field(769).ListIndex = 3;
         m.setBoxChecked(1028, 0, true);
         m.setBoxChecked(1035, 0, true);
     },
     {}},
    {"a field hidden in both is no setting",
     0,
     "V5",
     [](ConfigModel &m) {
         m.field(769).ListIndex = 1; // current or voltage hides the on/off differential
         m.SetupFormFields();
     },
     [](ConfigModel &m) { m.field(267).Text = "5"; },
     {}},
    {"communication settings are left out",
     1,
     "QT",
     {},
     [](ConfigModel &m) {
         m.field(4209).ListIndex = 9;
         m.field(4211).ListIndex = 4;
     },
     {}},
    {"step time as hours and minutes",
     1,
     "XK",
     [](ConfigModel &m) {
         rampSoakPages(m);
         m.setFromInstrument(8321, 125);
     },
     [](ConfigModel &m) { m.setFromInstrument(8321, 65); },
     {{"2081H", "Pattern 0 Step 1 Time", "02:05", "01:05"}}},
    {"step times off their pages are not sent",
     1,
     "XK",
     [](ConfigModel &m) { m.setFromInstrument(8321, 125); },
     [](ConfigModel &m) { m.setFromInstrument(8321, 65); },
     {}},
};

TEST(ConfigComparison, ShowsEachDifferenceAsTheWindowDoes)
{
    for (const DifferenceCase &c : DifferenceCases) {
        SCOPED_TRACE(c.name);
        ConfigRig rig(c.group);
        rig.select(c.model);
        if (c.both)
            c.both(*rig.model);
        ConfigModel second(*rig.model);
        c.second(second);
        const ConfigComparison result = compareConfigurations(*rig.model, second);
        ASSERT_FALSE(result.isRefused()) << result.refusal.toStdString();
        ASSERT_EQ(result.differences.size(), c.expected.size());
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            const config::ParameterDifference &d = result.differences[i];
            const std::vector<const char *> &e = c.expected[i];
            EXPECT_EQ(d.registerText, e[0]);
            EXPECT_EQ(d.caption, e[1]);
            EXPECT_EQ(d.first, e[2]);
            EXPECT_EQ(d.second, e[3]);
        }
        EXPECT_EQ(result.isEqual(), c.expected.empty());
    }
}

TEST(ConfigComparison, RefusesDifferentModelsAndGroups)
{
    ConfigRig v5(0);
    v5.select("V5");
    ConfigRig hm(0);
    hm.select("HM");
    ConfigRig xk(1);
    xk.select("XK");
    const ConfigComparison models = compareConfigurations(*v5.model, *hm.model);
    EXPECT_EQ(models.refusal, "The configurations are of different models, V5RP (V5) and HM16 "
                              "(HM), and cannot be compared.");
    EXPECT_TRUE(models.differences.empty());
    EXPECT_EQ(compareConfigurations(*v5.model, *xk.model).refusal,
              "The configurations belong to controller groups 0 and 1 and cannot be compared.");
}

TEST(ConfigComparison, ComparesWithWhatTheInstrumentHolds)
{
    TransferRig rig(0, "V5");
    rig.set(263, 40);
    rig.readFirst();
    const QString before = rig.model->field(263).Text;
    EXPECT_TRUE(config::compareWithInstrument(*rig.model, rig.link).isEqual());

    rig.set(263, 55); // changed at the instrument's front panel
    const ConfigComparison changed = config::compareWithInstrument(*rig.model, rig.link);
    ASSERT_EQ(changed.differences.size(), 1u);
    EXPECT_EQ(config::differenceLine(changed.differences[0]), "263\tAlarm 1 Low (AL1L)\t40\t55");
    EXPECT_EQ(rig.model->field(263).Text, before); // the screen keeps its own values

    rig.failRead(263, RtuInstrument::Silent);
    const ConfigComparison stopped = config::compareWithInstrument(*rig.model, rig.link);
    EXPECT_EQ(stopped.refusal, "The configuration of the instrument at address 32 could not be "
                               "read, so it was not compared.");
    EXPECT_FALSE(rig.user.boxes.empty()); // the read's own warning
}

} // namespace
} // namespace vanta::test
