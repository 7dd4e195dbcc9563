// Sending a whole configuration to a Modbus RTU instrument on a scripted line: every write in
// order, the questions, and how a send ends.
#include "config/configuration_send.h"
#include "transfer_rig.h"

#include <functional>

namespace vanta::test {
namespace {

using config::SendMode;
using config::TransferResult;
using core::MsgResult;

struct SendCase
{
    const char *name;
    int group;
    const char *model;
    std::function<void(TransferRig &)> arrange;
    SendMode mode;
    std::vector<MsgResult> answers;
    TransferResult result;
    std::vector<const char *> titles;
    std::function<void(TransferRig &)> check;
};

const char *const SendError = "Send to Instrument Communications Error";
const char *const RemoteQuestion = "Remote Change via Communications is Disabled";

void allowRemoteAndEeprom(TransferRig &r)
{
    r.model->setBoxChecked(805, 0, true);
    r.model->setBoxChecked(813, 0, true);
}

std::vector<int> firstWrites(const TransferRig &r, std::size_t count)
{
    const std::vector<int> all = r.written();
    return {all.begin(), all.begin() + static_cast<long>(std::min(count, all.size()))};
}

const SendCase SendCases[] = {
    {"remote changes allowed: 805 is 1 at the start and the end, then the leading writes",
     0,
     "V5",
     allowRemoteAndEeprom,
     SendMode::Interactive,
     {},
     TransferResult::Completed,
     {},
     [](TransferRig &r) {
         EXPECT_EQ(firstWrites(r, 16), (std::vector<int>{805, 813, 792, 794, 795, 328, 329, 330,
                                                         331, 332, 333, 1055, 775, 776, 777, 778}));
         EXPECT_EQ(r.written().back(), 805);
         EXPECT_EQ(r.lastWrite(805), 1);
         EXPECT_EQ(r.writesOf(805), 2);
         EXPECT_EQ(r.writesOf(326), 0); // hidden for a thermocouple input
         EXPECT_EQ(r.writesOf(8), 0);
     }},
    {"remote changes disabled on screen: asked, 1 at the start and 0 at the end",
     0,
     "V5",
     [](TransferRig &r) {
         r.model->setBoxChecked(805, 0, false);
         r.model->setBoxChecked(813, 0, true);
     },
     SendMode::Interactive,
     {MsgResult::Yes},
     TransferResult::Completed,
     {RemoteQuestion},
     [](TransferRig &r) {
         EXPECT_EQ(r.written().front(), 805);
         EXPECT_EQ(r.instrument.writes.front().second, 1);
         EXPECT_EQ(r.lastWrite(805), 0);
     }},
    {"remote changes disabled, No writes nothing",
     0,
     "V5",
     [](TransferRig &r) { r.model->setBoxChecked(805, 0, false); },
     SendMode::Interactive,
     {MsgResult::No},
     TransferResult::Stopped,
     {RemoteQuestion},
     [](TransferRig &r) { EXPECT_TRUE(r.written().empty()); }},
    {"an automatic send asks nothing about EEPROM and writes 0 to 813",
     0,
     "V5",
     [](TransferRig &r) { r.model->setBoxChecked(805, 0, true); },
     SendMode::Automatic,
     {},
     TransferResult::Completed,
     {},
     [](TransferRig &r) { EXPECT_EQ(r.lastWrite(813), 0); }},
    {"EEPROM not chosen, No puts the instrument's remote setting back",
     0,
     "V5",
     [](TransferRig &r) {
         r.model->setBoxChecked(805, 0, true);
         r.set(805, 0);
     },
     SendMode::Interactive,
     {MsgResult::No},
     TransferResult::Stopped,
     {"Save To EEPROM Memory not Selected"},
     [](TransferRig &r) {
         EXPECT_EQ(r.written(), (std::vector<int>{805, 805}));
         EXPECT_EQ(r.lastWrite(805), 0);
     }},
    {"fields the rules hide and the output hardware are not written",
     0,
     "V5",
     [](TransferRig &r) {
         allowRemoteAndEeprom(r);
         r.model->field(769).ListIndex = 0;
         r.model->SetupFormFields();
     },
     SendMode::Interactive,
     {},
     TransferResult::Completed,
     {},
     [](TransferRig &r) {
         for (const int reg : {267, 771, 769, 772, 1028})
             EXPECT_EQ(r.writesOf(reg), 0) << reg;
         EXPECT_EQ(r.writesOf(770), 1);
     }},
    {"manual mode, learning and acknowledge boxes are commands",
     0,
     "V5",
     [](TransferRig &r) {
         allowRemoteAndEeprom(r);
         r.model->setBoxChecked(3, 15, true);
         r.model->setBoxChecked(1067, 0, true);
         r.model->setBoxChecked(1028, 0, true);
         r.model->SetupFormFields();
     },
     SendMode::Interactive,
     {},
     TransferResult::Completed,
     {},
     [](TransferRig &r) {
         EXPECT_EQ(r.writesOf(1034), 1);
         EXPECT_EQ(r.writesOf(1033), 0);
         EXPECT_EQ(r.writesOf(3), 0);
         EXPECT_EQ(r.writesOf(1067), 1);
         EXPECT_EQ(r.writesOf(1068), 0);
         EXPECT_EQ(r.writesOf(1070), 1); // stage 2 not learning
         EXPECT_EQ(r.writesOf(1028), 1);
         EXPECT_EQ(r.writesOf(1029), 0);
     }},
    {"a refused value, Yes goes on",
     0,
     "V5",
     [](TransferRig &r) {
         allowRemoteAndEeprom(r);
         r.failWrite(258, 3);
     },
     SendMode::Interactive,
     {MsgResult::Yes},
     TransferResult::Completed,
     {SendError},
     [](TransferRig &r) {
         EXPECT_TRUE(r.user.boxes[0].text.contains("(Setpoint 1 (SP1)) This parameter was not "
                                                   "saved"));
         EXPECT_EQ(r.writesOf(259), 1);
     }},
    {"a refused value, No stops and puts remote changes back once",
     0,
     "V5",
     [](TransferRig &r) {
         allowRemoteAndEeprom(r);
         r.set(805, 0);
         r.failWrite(258, 3);
     },
     SendMode::Interactive,
     {MsgResult::No},
     TransferResult::Stopped,
     {SendError},
     [](TransferRig &r) {
         EXPECT_EQ(r.writesOf(259), 0);
         EXPECT_EQ(r.writesOf(805), 2);
         EXPECT_EQ(r.lastWrite(805), 0);
     }},
    {"a time-out ends the send with a warning",
     0,
     "V5",
     [](TransferRig &r) {
         allowRemoteAndEeprom(r);
         r.failWrite(300, RtuInstrument::Silent);
     },
     SendMode::Interactive,
     {},
     TransferResult::Stopped,
     {SendError},
     [](TransferRig &r) {
         EXPECT_EQ(r.user.boxes[0].icon, core::MsgIcon::Exclamation);
         EXPECT_EQ(r.written().back(), 805);
     }},
    {"another model in the instrument ends before any write",
     0,
     "V5",
     [](TransferRig &r) {
         allowRemoteAndEeprom(r);
         r.set(1794, 'H' * 256 + 'M');
     },
     SendMode::Interactive,
     {},
     TransferResult::Stopped,
     {"Model Names Are Not The Same"},
     [](TransferRig &r) {
         EXPECT_EQ(r.user.boxes[0].text,
                   "The Model Name >HM16 in the instrument does not match the one on the screen "
                   ">V5RP.  Change the model or the address on the screen and try again.");
         EXPECT_TRUE(r.written().empty());
     }},
    {"an empty field is never written as 0",
     0,
     "V5",
     [](TransferRig &r) {
         allowRemoteAndEeprom(r);
         r.model->field(258).Text.clear();
     },
     SendMode::Interactive,
     {MsgResult::Yes},
     TransferResult::Completed,
     {SendError},
     [](TransferRig &r) {
         EXPECT_EQ(r.user.boxes[0].text,
                   "Communications Error >:No value entered. (Setpoint 1 (SP1)) This parameter "
                   "was not saved in the instrument.  Do you want to continue and try the next "
                   "parameter ?");
         EXPECT_EQ(r.writesOf(258), 0);
     }},
    {"group 1 opens with 2064 and never writes the communication settings",
     1,
     "XK",
     [](TransferRig &r) { r.model->field(2064).ListIndex = 0; },
     SendMode::Interactive,
     {MsgResult::Yes},
     TransferResult::Completed,
     {RemoteQuestion},
     [](TransferRig &r) {
         EXPECT_EQ(firstWrites(r, 3), (std::vector<int>{2064, 792, 795}));
         for (int reg = 4209; reg <= 4214; ++reg)
             EXPECT_EQ(r.writesOf(reg), 0) << reg;
         EXPECT_EQ(r.lastWrite(2064), 0);
     }},
    {"ramp/soak only: remote changes opened and put back, time base sent",
     0,
     "RS",
     [](TransferRig &r) {
         r.set(805, 0);
         r.model->field(8).ListIndex = 1;
     },
     SendMode::Interactive,
     {},
     TransferResult::Completed,
     {},
     [](TransferRig &r) {
         EXPECT_EQ(r.written().front(), 805);
         EXPECT_EQ(r.instrument.writes.front().second, 1);
         EXPECT_EQ(r.written().back(), 805);
         EXPECT_EQ(r.lastWrite(805), 0);
         EXPECT_EQ(r.writesOf(1056), 1);
         EXPECT_EQ(r.writesOf(792), 0);
     }},
};

TEST(SendControllerParameters, WritesInOrderAndEndsAsTheUserAndInstrumentDecide)
{
    for (const SendCase &c : SendCases) {
        SCOPED_TRACE(c.name);
        TransferRig rig(c.group, c.model);
        rig.app.RSModel = QLatin1String(c.model) == QLatin1String("RS");
        rig.readFirst();
        if (c.arrange)
            c.arrange(rig);
        rig.user.answers.assign(c.answers.begin(), c.answers.end());
        bool failed = false;
        bool failedMeanwhile = false;
        const config::TransferHooks hooks{
            [&](const QString &) { failedMeanwhile |= failed; }, {}, {}};
        EXPECT_EQ(config::SendControllerParameters(*rig.model, rig.link, failed, c.mode, hooks),
                  c.result);
        EXPECT_EQ(failed, c.result == TransferResult::Stopped);
        EXPECT_TRUE(failedMeanwhile || rig.written().empty());
        QStringList titles;
        for (const char *title : c.titles)
            titles << QString::fromLatin1(title);
        EXPECT_EQ(rig.user.titles(), titles);
        c.check(rig);
    }
}

} // namespace
} // namespace vanta::test
