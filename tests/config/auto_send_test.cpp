// The command line's automatic send: how the line is taken apart, and what is sent, asked and
// returned for each kind of line, against one scripted instrument at address 01.
#include "config/auto_send.h"
#include "config/parameter_file.h"
#include "support/temp_program_folder.h"
#include "transfer_rig.h"

#include <QDir>

namespace vanta::test {
namespace {

using core::MsgResult;

struct ParseCase
{
    const char *line;
    int group;
    const char *fileName; // "@/" stands for the program folder
    std::vector<int> addresses;
};

const ParseCase ParseCases[] = {
    {"\"my settings.csv\" 1F 20", 0, "@/my settings.csv", {31, 32}},
    {"a.csv 5 12", 1, "@/a.csv", {5, 12}},
    {"a.csv 0 7", 1, "@/a.csv", {0, 7}},
    {"a.csv 5,6", 1, "@/a.csv", {56}},
    {"a.csv   1f,  , 2", 0, "@/a.csv", {31, 2}},
    {"sub/a.csv 1", 2, "sub/a.csv", {1}},
    {"C:\\cfg\\a.csv 1", 2, "C:\\cfg\\a.csv", {1}},
    {"a.csv 18446744073709551617 4294967297 1", 1, "@/a.csv", {0, 0, 1}},
    {"a.csv", 0, "@/a.csv", {}},
};

TEST(AutoSendLine, TakesTheFileNameAndTheAddressesInTheGroupsForm)
{
    const QString folder = QStringLiteral("/opt/vanta");
    for (const ParseCase &c : ParseCases) {
        SCOPED_TRACE(c.line);
        const config::AutoSendLine line =
            config::parseAutoSendLine(QString::fromLatin1(c.line), folder);
        EXPECT_EQ(line.fileName, QString::fromLatin1(c.fileName).replace("@", folder));
        std::vector<int> addresses;
        for (const QString &text : line.addresses)
            addresses.push_back(config::autoSendAddress(c.group, text));
        EXPECT_EQ(addresses, c.addresses);
    }
}

struct RunCase
{
    const char *name;
    const char *addresses; // after the file name
    std::vector<MsgResult> answers;
    int status;
    std::vector<const char *> titles;
    bool sent; // the instrument at 01 received the file
};

const RunCase RunCases[] = {
    {"one address, sent completely", " 01", {}, 0, {}, true},
    {"address 0 is asked about; Yes goes on",
     " 0 01",
     {MsgResult::Yes},
     1,
     {"Continue With Next Instrument"},
     true},
    {"address 0 is asked about; No ends",
     " 0 01",
     {MsgResult::No},
     1,
     {"Continue With Next Instrument"},
     false},
    {"a silent address fails and asks before the next",
     " 02 01",
     {MsgResult::Ok, MsgResult::Yes},
     1,
     {"Send to Instrument Communications Error", "Continue With Next Instrument"},
     true},
    {"a failure at the last address asks nothing more",
     " 01 02",
     {},
     1,
     {"Send to Instrument Communications Error"},
     true},
    {"no addresses", "  ", {}, 1, {"No Addresses Given"}, false},
};

TEST(AutoSendParameterFile, SendsAsksAndReturnsTheExitStatus)
{
    for (const RunCase &c : RunCases) {
        SCOPED_TRACE(c.name);
        TransferRig rig(0, "V5");
        rig.set(262, 37);
        rig.readFirst();
        const TempProgramFolder folder;
        const QString file = folder.filePath("auto send.csv");
        ASSERT_TRUE(config::SaveParameterFile(*rig.model, rig.user, file));
        rig.set(262, 0);
        rig.line.responder = [&rig](const QByteArray &request) {
            return rig.instrument.answer(1, request);
        };
        rig.user.answers.assign(c.answers.begin(), c.answers.end());

        QStringList shown;
        config::AutoSendHooks hooks{[&shown](const QString &status) { shown << status; }, {}};
        const int status = config::AutoSendParameterFile(
            *rig.model, rig.link, '"' + file + '"' + QString::fromLatin1(c.addresses), hooks);

        EXPECT_EQ(status, c.status);
        QStringList titles;
        for (const char *title : c.titles)
            titles << QString::fromLatin1(title);
        EXPECT_EQ(rig.user.titles(), titles);
        EXPECT_EQ(rig.get(262) == 37, c.sent);
        EXPECT_EQ(shown.contains("Sending file >" + file + "  to instrument 01"), c.sent);
        EXPECT_FALSE(rig.model->ChangesPending);
    }
}

TEST(AutoSendParameterFile, AFileOfAnotherGroupEndsAfterTheFilesMessageAndItsOwn)
{
    TransferRig groupZero(0, "V5");
    const TempProgramFolder folder;
    const QString file = folder.filePath("v5.csv");
    ASSERT_TRUE(config::SaveParameterFile(*groupZero.model, groupZero.user, file));
    TransferRig rig(1, "XK");
    EXPECT_EQ(config::AutoSendParameterFile(*rig.model, rig.link, file + " 5"), 1);
    ASSERT_EQ(rig.user.boxes.size(), 2U);
    EXPECT_EQ(rig.user.titles().last(), "Auto Send File Not Found");
    EXPECT_TRUE(rig.user.boxes.back().text.contains("failed to load properly"));
    EXPECT_TRUE(rig.instrument.writes.empty());
}

TEST(AutoSendParameterFile, AMissingFileEndsWithItsMessage)
{
    TransferRig rig(1, "XK");
    const int status = config::AutoSendParameterFile(*rig.model, rig.link, "missing.csv 5");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(rig.user.titles(), QStringList{"Auto Send File Not Found"});
    EXPECT_TRUE(rig.user.boxes.front().text.contains(
        QDir(rig.app.programFolder()).filePath("missing.csv")));
    EXPECT_TRUE(rig.instrument.writes.empty());
}

} // namespace
} // namespace vanta::test
