// Reading a whole configuration from a Modbus RTU instrument on a scripted line: what the
// user is asked, what the fields show and where the read stops.
#include "config/configuration_read.h"
#include "transfer_rig.h"

#include <functional>

namespace vanta::test {
namespace {

using config::TransferResult;
using core::MsgResult;

struct ReadCase
{
    const char *name;
    int group;
    const char *model;
    std::function<void(TransferRig &)> arrange;
    std::vector<MsgResult> answers;
    TransferResult result;
    std::vector<const char *> titles;
    std::function<void(TransferRig &)> check;
};

const char *const NotAvailable = "Read Instrument Communications Error";

const ReadCase ReadCases[] = {
    {"status 2 on a parameter, Yes goes on",
     0,
     "V5",
     [](TransferRig &r) {
         r.remove(258);
         r.set(795, 1);
         r.set(259, 123);
     },
     {MsgResult::Yes},
     TransferResult::Completed,
     {NotAvailable},
     [](TransferRig &r) {
         EXPECT_TRUE(r.user.boxes[0].text.contains("(Setpoint 1 (SP1)) This parameter is not "
                                                   "available"));
         EXPECT_EQ(r.model->field(259).Text, "12.3");
         EXPECT_FALSE(r.model->ChangesPending);
     }},
    {"status 2 on a parameter, No stops there",
     0,
     "V5",
     [](TransferRig &r) {
         r.remove(258);
         r.set(259, 123);
     },
     {MsgResult::No},
     TransferResult::Stopped,
     {NotAvailable},
     [](TransferRig &r) { EXPECT_EQ(r.model->field(259).Text, ""); }},
    {"status 2 on the decimal point keeps the one on screen",
     0,
     "V5",
     [](TransferRig &r) {
         r.model->DecimalPointIndex = 2;
         r.remove(795);
     },
     {MsgResult::Yes},
     TransferResult::Completed,
     {NotAvailable},
     [](TransferRig &r) { EXPECT_EQ(r.model->DecimalPointIndex, 2); }},
    {"status 2 on the decimal point, No stops with the rules applied",
     0,
     "V5",
     [](TransferRig &r) {
         r.model->ChangesPending = true;
         r.remove(795);
     },
     {MsgResult::No},
     TransferResult::Stopped,
     {NotAvailable},
     [](TransferRig &r) {
         EXPECT_FALSE(r.model->ChangesPending);
         EXPECT_EQ(r.model->field(258).Text, "");
     }},
    {"a list value above the table's range shows the last position",
     0,
     "V5",
     [](TransferRig &r) { r.set(798, 40); },
     {},
     TransferResult::Completed,
     {},
     [](TransferRig &r) { EXPECT_EQ(r.model->field(798).ListIndex, 4); }},
    {"decimal point 4 cannot be configured",
     0,
     "V5",
     [](TransferRig &r) { r.set(795, 4); },
     {},
     TransferResult::Stopped,
     {"Invalid Decimal Point Parameter"},
     [](TransferRig &r) {
         EXPECT_EQ(r.user.boxes[0].text, "The Decimal Point setting >4 from the instrument is "
                                         "invalid.  This instrument cannot be configured.");
     }},
    {"input type 0 cannot be configured in group 0",
     0,
     "V5",
     [](TransferRig &r) { r.set(792, 0); },
     {},
     TransferResult::Stopped,
     {"Invalid Input Type Parameter"},
     nullptr},
    {"model value 0 asks about model XX; No reads nothing more",
     0,
     "V5",
     [](TransferRig &r) { r.set(1794, 0); },
     {MsgResult::No},
     TransferResult::Stopped,
     {"Invalid Model ID"},
     [](TransferRig &r) {
         EXPECT_TRUE(r.user.boxes[0].text.startsWith("The Model ID >XX (Code=0) does not exist "
                                                     "as a valid model ID in file "));
         EXPECT_TRUE(r.user.boxes[0].text.contains("not a model V5RP then you must"));
     }},
    {"the instrument's model is selected",
     0,
     "V5",
     [](TransferRig &r) {
         r.select("HM");
         r.set(262, 55);
     },
     {},
     TransferResult::Completed,
     {},
     [](TransferRig &r) {
         EXPECT_EQ(r.model->ModelId(), "V5");
         EXPECT_TRUE(r.model->field(262).Visible);
     }},
    {"tuning bytes select the type and the learning boxes",
     0,
     "V5",
     [](TransferRig &r) {
         r.set(775, 4);
         r.set(776, 0);
         r.set(777, 64);
         r.set(778, 99);
         r.model->setBoxChecked(1069, 0, true);
     },
     {},
     TransferResult::Completed,
     {},
     [](TransferRig &r) {
         const int positions[] = {0, 0, 4, 3};
         for (int k = 0; k < 4; ++k)
             EXPECT_EQ(r.model->field(775 + k).ListIndex, positions[k]) << k;
         EXPECT_TRUE(r.model->isBoxChecked(1067, 0));
         EXPECT_FALSE(r.model->isBoxChecked(1069, 0));
     }},
    {"a time-out ends the read with a warning",
     0,
     "V5",
     [](TransferRig &r) { r.failRead(300, RtuInstrument::Silent); },
     {},
     TransferResult::Stopped,
     {NotAvailable},
     [](TransferRig &r) { EXPECT_EQ(r.user.boxes[0].icon, core::MsgIcon::Exclamation); }},
    {"group 1 QT reads no decimal point",
     1,
     "QT",
     [](TransferRig &r) { r.remove(795); },
     {},
     TransferResult::Completed,
     {},
     [](TransferRig &r) {
         EXPECT_EQ(r.model->DecimalPointIndex, 1);
         EXPECT_FALSE(r.model->isDecimalPointVisible());
     }},
    {"group 1 address 1 selects the first entry",
     1,
     "XK",
     [](TransferRig &r) { r.set(4209, 1); },
     {},
     TransferResult::Completed,
     {},
     [](TransferRig &r) { EXPECT_EQ(r.model->field(4209).ListIndex, 0); }},
};

TEST(ReadControllerParameters, AsksStopsAndShowsAsTheInstrumentAnswers)
{
    for (const ReadCase &c : ReadCases) {
        SCOPED_TRACE(c.name);
        TransferRig rig(c.group, c.model);
        c.arrange(rig);
        rig.user.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(config::ReadControllerParameters(*rig.model, rig.link), c.result);
        QStringList titles;
        for (const char *title : c.titles)
            titles << QString::fromLatin1(title);
        EXPECT_EQ(rig.user.titles(), titles);
        if (c.check)
            c.check(rig);
    }
}

TEST(ReadControllerParameters, InDemoModeNoReadsNothingAndYesLeavesDemoMode)
{
    for (const MsgResult answer : {MsgResult::No, MsgResult::Yes}) {
        TransferRig rig(0, "V5");
        rig.app.setDemoMode(true);
        rig.user.answers = {answer};
        std::vector<QString> progress;
        std::vector<int> counts;
        const config::TransferHooks hooks{[&](const QString &t) { progress.push_back(t); },
                                          [&](int done, int) { counts.push_back(done); },
                                          {}};
        config::ReadControllerParameters(*rig.model, rig.link, hooks);
        EXPECT_EQ(rig.user.titles(), QStringList{"Switch out of Demo Mode"});
        EXPECT_EQ(rig.app.DemoMode(), answer == MsgResult::No);
        EXPECT_EQ(rig.line.requests.empty(), answer == MsgResult::No);
        if (answer == MsgResult::No)
            continue;
        ASSERT_GE(progress.size(), 4u);
        EXPECT_EQ(progress[0], "Reading Parameter 1794");
        EXPECT_EQ(progress[1], "Reading Parameter 795");
        EXPECT_EQ(progress[3], "Reading Parameter 3");
        EXPECT_EQ(progress.back(), "");
        EXPECT_EQ(counts.back(), int(config::modelParameters(*rig.model).size()));
    }
}

} // namespace
} // namespace vanta::test
