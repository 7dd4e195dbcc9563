// The model file, the model register files and the model lookup.
#include "core/model_file.h"

#include "core/app_state.h"
#include "support/scripted_interaction.h"
#include "support/temp_program_folder.h"

#include <QDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace vanta::core;
using vanta::test::ScriptedInteraction;
using vanta::test::TempProgramFolder;

namespace {

class ModelFileTest : public ::testing::Test
{
protected:
    TempProgramFolder folder;
    AppState app{folder.path()};
    ScriptedInteraction ui;

    QString reportText(const QString &file, const QString &error, const QString &routine) const
    {
        return QStringLiteral("An application error has occurred reading ") + file +
               QStringLiteral(" file:\rError Code ") + error + QStringLiteral("\rRoutine - ") +
               routine;
    }
    QString invalidRegisterText(const QString &number, const QString &file) const
    {
        return QStringLiteral("The Modbus Register ") + number + QStringLiteral(" in file >") +
               QDir::toNativeSeparators(folder.filePath(file)) +
               QStringLiteral("is invalid.  This model will perform proper configuration.");
    }
};

TEST_F(ModelFileTest, ReadsAllGroupsButRegistersOfTheCurrentGroupOnly)
{
    folder.writeDataFile("ModelID.txt", "\"Z9\",\"Model Z9, dual\",\"Temperature\",0\r\n"
                                        "N8, Model N8 , Process,0\n"
                                        "\"XK\",\"Model XK\",\"Pid\",1\r\n"
                                        "AA,Other,Type,5\r\n"
                                        "XW,\"Model XW\",Pid,2\r\n\r\n");
    folder.writeDataFile("Z9.TXT", "258,259\r\n260\r\n");
    folder.writeDataFile("N8.TXT", "794\r\n");
    folder.writeDataFile("XK.TXT", "1000,47FF\r\n5000\r\n");
    app.Config.ControllerGroup = 1;

    ReadModelFile(app, ui);

    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(app.ModelFileName, "ModelID.txt");
    ASSERT_EQ(app.Catalogue.ModelCount(0), 2);
    EXPECT_EQ(app.Catalogue.ModelCount(1), 1);
    EXPECT_EQ(app.Catalogue.ModelCount(2), 1);
    EXPECT_EQ(app.Catalogue.Models[0][0].ModelName, "Model Z9, dual");
    EXPECT_EQ(app.Catalogue.Models[0][1].ModelName, "Model N8");
    EXPECT_EQ(app.Catalogue.Models[0][1].ModelType, "Process");
    EXPECT_EQ(app.Catalogue.Models[2][0].ModelID, "XW");
    // Slot 1 is XK's: its hexadecimal registers, none of Z9's decimal ones.
    EXPECT_TRUE(app.Catalogue.ModelRegisters(0x1000, 1));
    EXPECT_TRUE(app.Catalogue.ModelRegisters(0x47FF, 1));
    EXPECT_TRUE(app.Catalogue.ModelRegisters(20480, 1));
    EXPECT_FALSE(app.Catalogue.ModelRegisters(258, 1));
    EXPECT_FALSE(app.Catalogue.ModelRegisters(794, 2));
}

TEST_F(ModelFileTest, ChangingTheGroupRebuildsTheFlagsForTheNewGroupOnly)
{
    folder.writeDataFile("ModelID.txt", "Z9,A,T,0\r\nN8,B,T,0\r\nXW,C,T,2\r\n");
    folder.writeDataFile("Z9.TXT", "258\r\n");
    folder.writeDataFile("N8.TXT", "794\r\n");
    folder.writeDataFile("XW.TXT", "4701\r\n");
    app.Config.ControllerGroup = 0;
    ReadModelFile(app, ui);
    ASSERT_TRUE(app.Catalogue.ModelRegisters(258, 1));
    ASSERT_TRUE(app.Catalogue.ModelRegisters(794, 2));

    app.Config.ControllerGroup = 2;
    ReadModelFile(app, ui);

    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(app.Catalogue.ModelRegisters(0x4701, 1));
    EXPECT_FALSE(app.Catalogue.ModelRegisters(258, 1));
    EXPECT_FALSE(app.Catalogue.ModelRegisters(794, 2));
    EXPECT_EQ(app.Catalogue.ModelCount(0), 2);
}

TEST_F(ModelFileTest, ProductModeReadsItsOwnModelFile)
{
    folder.writeDataFile("ModelID.txt", "Z9,Plain,T,1\r\n");
    folder.writeDataFile("ModelID-1.txt", "Z9,Product,T,1\r\n");
    app.ProductMode = true;

    ReadModelFile(app, ui);

    EXPECT_EQ(app.ModelFileName, "ModelID-1.txt");
    ASSERT_EQ(app.Catalogue.ModelCount(1), 1);
    EXPECT_EQ(app.Catalogue.Models[1][0].ModelName, "Product");
}

TEST_F(ModelFileTest, SixteenthModelOfAGroupEndsTheReading)
{
    QByteArray body;
    for (int i = 0; i < 16; ++i)
        body += "M" + QByteArray::number(i, 36).toUpper() + ",Name,Type,1\r\n";
    body += "XW,Later,Type,2\r\n";
    folder.writeDataFile("ModelID.txt", body);
    app.Config.ControllerGroup = 0; // no register files needed

    ReadModelFile(app, ui);

    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, "Too Many Model ID's");
    EXPECT_EQ(ui.boxes[0].text, "There are too many model ID's in the file ModelID.txt.  The "
                                "remaining model ID's will be ignored.");
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Critical);
    EXPECT_EQ(app.Catalogue.ModelCount(1), 15);
    EXPECT_EQ(app.Catalogue.ModelCount(2), 0);
}

TEST_F(ModelFileTest, RegisterOutsideTheRangeEndsTheRegisterFileKeepingEarlierFlags)
{
    struct Case
    {
        int group;
        QByteArray body;
        int kept;
        int dropped;
        const char *shown;
    };
    const Case cases[] = {
        {0, "258,259\r\n0\r\n260\r\n", 259, 260, "0"},
        {0, "258\r\n-5,260\r\n", 258, 260, "-5"},
        {1, "1000\r\n5001\r\n1001\r\n", 0x1000, 0x1001, "20481"},
        {2, "4700,\r\n4701\r\n", 0x4700, 0x4701, "0"}, // the empty value after the comma
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.body.constData());
        ui.boxes.clear();
        folder.writeDataFile("Z9.TXT", c.body);

        ReadModelRegisters(app, ui, c.group, "Z9", 3);

        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].title, "Invalid Modbus Register");
        EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Critical);
        EXPECT_EQ(ui.boxes[0].text, invalidRegisterText(c.shown, "Z9.TXT"));
        EXPECT_TRUE(app.Catalogue.ModelRegisters(c.kept, 3));
        EXPECT_FALSE(app.Catalogue.ModelRegisters(c.dropped, 3));
    }
}

TEST_F(ModelFileTest, FileFailuresAreReportedAndWhatWasReadStays)
{
    struct Case
    {
        const char *modelFile; // nullptr: no model file
        QString report;
        int groupZeroModels;
    };
    const QString routine = QStringLiteral("modVanta.ReadModelFile");
    const Case cases[] = {
        {nullptr, reportText("ModelID.txt", "53 - File not found", routine), 0},
        {"A1,a,t,1\r\nB1,b,t,x\r\n", reportText("ModelID.txt", "13 - Type mismatch", routine), 0},
        {"A0,a,t,0\r\nB0,b,t\r\n",
         reportText("ModelID.txt", "62 - Input past end of file", routine), 1},
        {"A0,a,t,0\r\nB0,b,t,99999\r\n", reportText("ModelID.txt", "6 - Overflow", routine), 1},
    };
    app.Config.ControllerGroup = 2;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.report.toStdString());
        ui.boxes.clear();
        folder.remove("ModelID.txt");
        if (c.modelFile)
            folder.writeDataFile("ModelID.txt", c.modelFile);

        ReadModelFile(app, ui);

        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].title, "Application Error");
        EXPECT_EQ(ui.boxes[0].text, c.report);
        EXPECT_EQ(app.Catalogue.ModelCount(0), c.groupZeroModels);
    }
    // Fewer than the five header lines.
    ui.boxes.clear();
    folder.writeRaw("ModelID.txt", "only\r\ntwo lines\r\n");
    ReadModelFile(app, ui);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, reportText("ModelID.txt", "62 - Input past end of file", routine));
}

TEST_F(ModelFileTest, MissingOrBadRegisterFileIsReportedAndTheModelFileGoesOn)
{
    folder.writeDataFile("ModelID.txt", "Z9,a,t,0\r\nN8,b,t,0\r\nQ1,c,t,0\r\n");
    folder.writeDataFile("N8.TXT", "258\r\nabc\r\n");
    folder.writeDataFile("Q1.TXT", "794\r\n");

    ReadModelFile(app, ui);

    const QString routine = QStringLiteral("modVanta.ReadModelRegisters.");
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, reportText("Z9.TXT", "53 - File not found", routine));
    EXPECT_EQ(ui.boxes[1].text, reportText("N8.TXT", "13 - Type mismatch", routine));
    EXPECT_EQ(app.Catalogue.ModelCount(0), 3);
    EXPECT_TRUE(app.Catalogue.ModelRegisters(258, 2));
    EXPECT_TRUE(app.Catalogue.ModelRegisters(794, 3));
}

TEST_F(ModelFileTest, ModelIdThatIsAPathIsNeverOpened)
{
    // The program folder is sub/; a crafted id would reach a register file beside it.
    QDir(folder.path()).mkdir("sub");
    AppState nested(folder.filePath("sub"));
    folder.writeDataFile("escape.TXT", "258\r\n");

    ReadModelRegisters(nested, ui, 0, "../escape", 1);

    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, reportText("../escape.TXT", "75 - Path/File access error",
                                           "modVanta.ReadModelRegisters."));
    EXPECT_FALSE(nested.Catalogue.ModelRegisters(258, 1));
}

TEST_F(ModelFileTest, IdsMatchRegardlessOfCaseIncludingTheRegisterFileName)
{
    folder.writeDataFile("ModelID.txt", "z9,Lower,Temp,0\r\n");
    folder.writeDataFile("Z9.TXT", "258\r\n");

    ReadModelFile(app, ui);

    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(app.Catalogue.ModelRegisters(258, 1));
    int slot = -1;
    QString name;
    EXPECT_EQ(FindModel(app.Catalogue, 0, "Z9", slot, name), "Temp");
    EXPECT_EQ(slot, 1);
    EXPECT_EQ(name, "Lower");
}

TEST(ModelLookUp, MapsRegisterValuesToModels)
{
    ModelCatalogue catalogue;
    catalogue.Models[0] = {{"N8", "Model N8", "Process"}, {"Z9", "Model Z9", "Temperature"}};
    catalogue.Models[2] = {{"XW", "Model XW", "Pid"}};
    struct Case
    {
        int group;
        double value;
        QString id;
        QString type;
        int slot;
        QString name;
    };
    const QString unknown = QStringLiteral("Unknown Model Type");
    const QString unavailable = QStringLiteral("Unavailable");
    const Case cases[] = {
        {0, 'Z' * 256 + '9', "Z9", "Temperature", 2, "Model Z9"},
        {0, 14592, "Z9", "Temperature", 2, "Model Z9"}, // "9" and a zero byte
        {0, -('N' * 256 + '8'), "N8", "Process", 1, "Model N8"},
        {0, 'z' * 256 + '9', "z9", "Temperature", 2, "Model Z9"},
        {2, 22615, "XW", "Pid", 1, "Model XW"},
        {1, 22615, "XW", unknown, 0, unavailable}, // other group
        {0, 0, "XX", unknown, 0, unavailable},
        {0, 70000, "XX", unknown, 0, unavailable},
        {0, std::numeric_limits<double>::quiet_NaN(), "XX", unknown, 0, unavailable},
        {7, 'Z' * 256 + '9', "Z9", unknown, 0, unavailable},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        QString id, type, name;
        int slot = -1;
        LookUpModel(catalogue, c.group, c.value, id, type, slot, name);
        EXPECT_EQ(id, c.id);
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(slot, c.slot);
        EXPECT_EQ(name, c.name);
    }
}

} // namespace
