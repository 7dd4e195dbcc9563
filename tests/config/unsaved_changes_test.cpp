// When the unsaved-changes flag is cleared, the two file dialogs, and the question asked
// before unsaved changes are left behind.
#include "config/parameter_file.h"
#include "config_rig.h"
#include "support/temp_program_folder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace vanta::test {
namespace {

using config::FileCommand;
using config::Leaving;
using core::MsgResult;

const QByteArray GoodFile = "\"32\",\"\",\"Modbus RTU-0\"\r\n\"HM\",\"\"\r\n\"DPT\",0\r\n"
                            "\"INP\",1\r\n\"Register\",\"Parameter\"\r\n258,10\r\n";

TEST(UnsavedChanges, ClearOnlyAfterACompleteLoadOrAWrittenFile)
{
    TempProgramFolder folder;
    folder.writeRaw("good.csv", GoodFile);
    QByteArray refused = GoodFile;
    refused.replace("\"DPT\",0", "\"DPT\",4");
    folder.writeRaw("refused.csv", refused);
    QByteArray broken = GoodFile + "794,3\r\n";
    folder.writeRaw("broken.csv", broken);

    ConfigRig rig(0);
    config::ConfigModel &m = *rig.model;
    m.ChangesPending = true;
    EXPECT_FALSE(config::ReadParameterFile(m, rig.ui, folder.filePath("refused.csv")));
    EXPECT_TRUE(m.ChangesPending);
    EXPECT_FALSE(config::ReadParameterFile(m, rig.ui, folder.filePath("broken.csv")));
    EXPECT_TRUE(m.ChangesPending);
    EXPECT_FALSE(config::SaveParameterFile(m, rig.ui, folder.filePath("no/such/folder.csv")));
    EXPECT_TRUE(m.ChangesPending);
    ASSERT_EQ(rig.ui.boxes.size(), 3u);
    EXPECT_EQ(rig.ui.boxes[2].title, "Application Error");
    EXPECT_TRUE(rig.ui.boxes[2].text.endsWith(
        "Routine - frmConfig.SaveParameterFile, Parameter > 0. File >" +
        folder.filePath("no/such/folder.csv")));

    EXPECT_TRUE(config::ReadParameterFile(m, rig.ui, folder.filePath("good.csv")));
    EXPECT_FALSE(m.ChangesPending);
    m.ChangesPending = true;
    EXPECT_TRUE(config::SaveParameterFile(m, rig.ui, folder.filePath("saved.csv")));
    EXPECT_FALSE(m.ChangesPending);
}

TEST(UnsavedChanges, DialogsStartFromTheLastFileAndCancelQuietly)
{
    ConfigRig rig(0);
    config::ConfigModel &m = *rig.model;
    TempProgramFolder folder;
    folder.writeRaw("good.csv", GoodFile);

    EXPECT_EQ(config::readWithDialog(m, rig.ui), FileCommand::Cancelled);
    ASSERT_EQ(rig.ui.openRequests.size(), 1u);
    const core::FileDialogRequest &open = rig.ui.openRequests[0];
    EXPECT_EQ(open.title, "Read Instrument Configuration File");
    EXPECT_EQ(open.filter, "Configuration Files (*.csv)|*.csv");
    EXPECT_EQ(open.initialFolder, rig.app.programFolder());
    EXPECT_EQ(open.fileName, QString());
    EXPECT_TRUE(open.fileMustExist);

    rig.ui.openResults.push_back(folder.filePath("good.csv"));
    EXPECT_EQ(config::readWithDialog(m, rig.ui), FileCommand::Done);
    EXPECT_EQ(m.LastConfigFile, folder.filePath("good.csv"));
    EXPECT_EQ(m.field(258).Text, "10");

    EXPECT_EQ(config::saveWithDialog(m, rig.ui), FileCommand::Cancelled);
    const core::FileDialogRequest &save = rig.ui.saveRequests.at(0);
    EXPECT_EQ(save.title, "Save Instrument Configuration File");
    EXPECT_EQ(save.filter, "Configuration Files (*.csv)|*.csv");
    EXPECT_EQ(save.initialFolder, folder.path() + "/");
    EXPECT_EQ(save.fileName, "good.csv");
    EXPECT_TRUE(save.confirmOverwrite);
    EXPECT_TRUE(rig.ui.boxes.empty());
}

struct AskCase
{
    const char *name;
    bool pending;
    MsgResult answer;
    std::optional<QString> savePath; // the save dialog's answer, relative to the folder
    Leaving leaving;
    bool pendingAfter;
    bool written;
};

TEST(UnsavedChanges, AskBeforeLeavingAndStayUnlessSavedOrDiscarded)
{
    const AskCase cases[] = {
        {"nothing pending", false, MsgResult::Yes, std::nullopt, Leaving::Proceed, false, false},
        {"cancel", true, MsgResult::Cancel, std::nullopt, Leaving::Stay, true, false},
        {"discard", true, MsgResult::No, std::nullopt, Leaving::Proceed, false, false},
        {"save, dialog cancelled", true, MsgResult::Yes, std::nullopt, Leaving::Stay, true, false},
        {"save", true, MsgResult::Yes, QString("kept.csv"), Leaving::Proceed, false, true},
        {"save fails", true, MsgResult::Yes, QString("no/such/kept.csv"), Leaving::Stay, true,
         false},
    };
    for (const AskCase &c : cases) {
        SCOPED_TRACE(c.name);
        TempProgramFolder folder;
        ConfigRig rig(0);
        rig.model->ChangesPending = c.pending;
        rig.ui.answers.push_back(c.answer);
        rig.ui.saveResults.push_back(c.savePath ? std::optional(folder.filePath(*c.savePath))
                                                : std::nullopt);
        EXPECT_EQ(config::AskIfDiscardChanges(*rig.model, rig.ui), c.leaving);
        EXPECT_EQ(rig.model->ChangesPending, c.pendingAfter);
        EXPECT_EQ(QFile::exists(folder.filePath("kept.csv")), c.written);
        if (!c.pending) {
            EXPECT_TRUE(rig.ui.boxes.empty());
            continue;
        }
        const RecordedBox &box = rig.ui.boxes.at(0);
        EXPECT_EQ(box.title, "Changes Not Saved");
        EXPECT_EQ(box.text, "Changes were made to a configuration that has not been saved to a "
                            "file.  Do you want to save the changes ?");
        EXPECT_EQ(box.buttons, core::MsgButtons::YesNoCancel);
        EXPECT_EQ(box.defaultButton, MsgResult::Cancel);
    }
}

} // namespace
} // namespace vanta::test
