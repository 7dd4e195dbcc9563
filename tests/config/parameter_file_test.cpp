// Parameter files: the written layout, a save and load round trip per group, every check of
// the load with its message, the unsaved-changes flag, the dialogs and the question before
// leaving.
#include "config/parameter_file.h"
#include "config_rig.h"
#include "core/number_format.h"
#include "support/temp_program_folder.h"

#include <QFile>
#include <cmath>
#include <gtest/gtest.h>

namespace vanta::test {
namespace {

using config::ConfigModel;
using config::ControlKind;
using core::MsgResult;

QStringList linesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

class ParameterFile : public ::testing::Test
{
protected:
    QString write(const QStringList &lines)
    {
        folder.writeRaw("config.csv", (lines.join("\r\n") + "\r\n").toLatin1());
        return folder.filePath("config.csv");
    }

    TempProgramFolder folder;
};

TEST_F(ParameterFile, WritesTheGroupOneLayout)
{
    ConfigRig rig(1);
    ConfigModel &m = *rig.model;
    m.Description = "Line A";
    m.field(4097).Text = "25.5";
    m.field(4209).ListIndex = 4;
    m.field(8320).Hours = "02";
    m.field(8320).Minutes = "05";
    const QString path = folder.filePath("out.csv");
    ASSERT_TRUE(config::SaveParameterFile(m, rig.ui, path));
    const QStringList lines = linesOf(path);
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines.mid(0, 5), (QStringList{"\"001\",\"Line A\",\"Modbus RTU-1\"",
                                            "\"QT\",\"QT48 1/16 DIN PID Controller\"", "\"DPT\",1",
                                            "\"INP\",0", "\"Register\",\"Parameter\""}));
    EXPECT_TRUE(lines.contains("1001H,25.5"));
    EXPECT_TRUE(lines.contains("1071H,4"));
    EXPECT_TRUE(lines.contains("2080H,125"));
    EXPECT_TRUE(lines.contains("0810H,0")); // always four digits
    // Empty numeric fields have no line at all, rather than a 0.
    EXPECT_FALSE(lines.filter("1002H,").size());
    QStringList registers;
    for (const QString &line : lines.mid(5))
        registers << line.section(',', 0, 0);
    QStringList sorted = registers;
    sorted.sort();
    EXPECT_EQ(registers, sorted);
    EXPECT_TRUE(rig.ui.boxes.empty());
}

// Gives every field of the selected model a value of its own, as a file would.
void fillEveryField(ConfigModel &m)
{
    for (const config::Parameter &p : m.parameters()) {
        if (!m.modelHas(p.reg))
            continue;
        const double n = p.reg % 50 - 10;
        switch (p.kind) {
        case ControlKind::List:
            m.setFromFile(p.reg, p.reg % config::optionEntries(p.list).size());
            break;
        case ControlKind::BitBoxes:
            m.setFromFile(p.reg, -32768 + p.reg * 37 % 32768);
            break;
        case ControlKind::HoursMinutes:
            m.setFromFile(p.reg, p.reg % 900);
            break;
        default:
            m.setFromFile(p.reg, n + 0.25);
        }
    }
}

TEST_F(ParameterFile, RoundTripsEveryFieldOfEachGroup)
{
    const std::tuple<int, const char *, const char *> groups[] = {
        {0, "R", "V5"}, {0, "L", "Z9"}, {1, "A", "XK"}, {1, "R", "QT"}, {2, "A", "XW"}};
    for (const auto &[group, protocol, modelId] : groups) {
        SCOPED_TRACE(modelId);
        ConfigRig saved(group, protocol);
        saved.select(modelId);
        ConfigModel &m = *saved.model;
        m.Description = "Oven 3, \"north\" side";
        m.AddressText = group == 0 ? "1F" : "017";
        m.DecimalPointIndex = group == 1 && m.ModelId() == "QT" ? 1 : group == 0 ? 2 : 0;
        m.InputTypeIndex = 15;
        fillEveryField(m);
        m.ChangesPending = true;
        const QString path = folder.filePath(QStringLiteral("%1.csv").arg(modelId));
        ASSERT_TRUE(config::SaveParameterFile(m, saved.ui, path));
        EXPECT_FALSE(m.ChangesPending);

        ConfigRig loaded(group, protocol);
        loaded.model->ChangesPending = true;
        ASSERT_TRUE(config::ReadParameterFile(*loaded.model, loaded.ui, path));
        EXPECT_TRUE(loaded.ui.boxes.empty()) << loaded.ui.boxes.front().text.toStdString();
        const ConfigModel &r = *loaded.model;
        EXPECT_FALSE(r.ChangesPending);
        EXPECT_EQ(r.ModelId(), modelId);
        EXPECT_EQ(r.Description, m.Description);
        EXPECT_EQ(r.AddressText, m.AddressText);
        EXPECT_EQ(r.DecimalPointIndex, m.DecimalPointIndex);
        EXPECT_EQ(r.InputTypeIndex, m.InputTypeIndex);
        for (const config::Parameter &p : m.parameters()) {
            SCOPED_TRACE(p.reg);
            const config::FieldState &a = m.field(p.reg);
            const config::FieldState &b = r.field(p.reg);
            EXPECT_EQ(b.Text, a.Text);
            EXPECT_EQ(b.Hours, a.Hours);
            EXPECT_EQ(b.Minutes, a.Minutes);
            EXPECT_EQ(b.ListIndex, a.ListIndex);
            EXPECT_EQ(b.Checked, a.Checked);
        }
    }
}

const QStringList GroupZeroHeader{"\"32\",\"Oven\",\"Modbus RTU-0\"", "\"V5\",\"V5RP\"",
                                  "\"DPT\",1", "\"INP\",3", "\"Register\",\"Parameter\""};

struct LoadCase
{
    const char *name;
    int group;
    const char *protocol;
    QStringList lines;
    const char *title; // of the one message; empty for a clean load
    const char *text;  // "%1" stands for the file path
};

const std::vector<LoadCase> &loadCases()
{
    static const QString groupText = "The Controller Group and/or Protocol Type setting >%2 "
                                     "found in parameter file >%1 does not match your current "
                                     "communications settings.  This parameter file cannot be "
                                     "loaded.  To fix this click on the Communications Menu "
                                     "Option at the top and then Setup.";
    static const QByteArray groupOneText = groupText.arg("%1", "Modbus RTU-1").toLatin1();
    static const QByteArray vantaText = groupText.arg("%1", "Vanta Link-0").toLatin1();
    static const QByteArray shortText = groupText.arg("%1", "").toLatin1();
    const QStringList header = GroupZeroHeader;
    auto with = [&header](int index, const QString &line) {
        QStringList lines = header;
        lines[index] = line;
        return lines;
    };
    const QString groupOne = "\"001\",\"\",\"Modbus RTU-1\"";
    static const std::vector<LoadCase> cases{
        {"clean", 0, "R", header + QStringList{"258,25.5", "", "794,2"}, "", ""},
        {"group 1 file, group 0 current", 0, "R", with(0, groupOne),
         "Invalid Controller Group and Protocol Parameter", groupOneText.constData()},
        {"group 1 RTU file, protocol RTU", 1, "R",
         QStringList{groupOne, "\"XK\",\"\"", "\"DPT\",0", "\"INP\",0", "\"Register\",\"P\""}, "",
         ""},
        {"group 1 RTU file, protocol ASCII", 1, "A",
         QStringList{groupOne, "\"XK\",\"\"", "\"DPT\",0", "\"INP\",0", "\"Register\",\"P\""},
         "Invalid Controller Group and Protocol Parameter", groupOneText.constData()},
        {"Vanta Link file on Modbus RTU", 0, "R", with(0, "\"32\",\"\",\"Vanta Link-0\""),
         "Invalid Controller Group and Protocol Parameter", vantaText.constData()},
        {"line 1 too short", 0, "R", with(0, "\"32\",\"Oven\""),
         "Invalid Controller Group and Protocol Parameter", shortText.constData()},
        {"unknown model", 0, "R", with(1, "\"ZZ\",\"\""), "Invalid Model ID",
         "The Model ID >ZZ found in parameter file >%1 does not exist as a valid model ID.  "
         "This parameter file cannot be loaded."},
        {"lower-case model", 0, "R", with(1, "\"v5\",\"\""), "", ""},
        {"decimal point .0000", 0, "R", with(2, "\"DPT\",4"), "Invalid Decimal Point Parameter",
         "The Decimal Point (DPT) setting >4 found in parameter file >%1 is invalid.  This "
         "parameter file cannot be loaded."},
        {"negative decimal point", 0, "R", with(2, "\"DPT\",-1"), "Invalid Decimal Point Parameter",
         nullptr},
        {"group 0 input type 0", 0, "R", with(3, "\"INP\",0"), "Invalid Input Type Parameter",
         "The Input Type (INP) setting >0 found in parameter file >%1 is invalid.  This "
         "parameter file cannot be loaded."},
        {"group 0 input type 18", 0, "R", with(3, "\"INP\",18"), "Invalid Input Type Parameter",
         nullptr},
        {"group 2 input type 18", 2, "A",
         QStringList{"\"001\",\"\",\"Modbus ASCII-2\"", "\"XW\",\"\"", "\"DPT\",0", "\"INP\",18",
                     "\"Register\",\"P\""},
         "", ""},
        {"group 2 input type 19", 2, "A",
         QStringList{"\"001\",\"\",\"Modbus ASCII-2\"", "\"XW\",\"\"", "\"DPT\",0", "\"INP\",19",
                     "\"Register\",\"P\""},
         "Invalid Input Type Parameter", nullptr},
        {"list position past its list", 0, "R", header + QStringList{"258,1", "794,3"},
         "Application Error",
         "An application error has occurred:\rError Code 380 - Invalid property value\r"
         "Routine - frmConfig.ReadParameterFile, Parameter > 794. File >%1"},
        {"register beyond 20480", 0, "R", header + QStringList{"20481,1"}, "Application Error",
         "An application error has occurred:\rError Code 9 - Subscript out of range\r"
         "Routine - frmConfig.ReadParameterFile, Parameter > 20481. File >%1"},
        {"value that is no number", 0, "R", header + QStringList{"258,abc"}, "Application Error",
         "An application error has occurred:\rError Code 13 - Type mismatch\r"
         "Routine - frmConfig.ReadParameterFile, Parameter > 258. File >%1"},
        {"bits beyond 16", 0, "R", header + QStringList{"350,65536"}, "Application Error", nullptr},
        {"line without a value", 0, "R", header + QStringList{"258"}, "Application Error", nullptr},
        {"file ends in the header", 0, "R", header.mid(0, 3), "Application Error",
         "An application error has occurred:\rError Code 62 - Input past end of file\r"
         "Routine - frmConfig.ReadParameterFile, Parameter > 0. File >%1"},
    };
    return cases;
}

TEST_F(ParameterFile, ChecksEveryPartOfALoadInOrder)
{
    for (const LoadCase &c : loadCases()) {
        SCOPED_TRACE(c.name);
        ConfigRig rig(c.group, c.protocol);
        const QString path = write(c.lines);
        const bool loaded = config::ReadParameterFile(*rig.model, rig.ui, path);
        EXPECT_EQ(loaded, QString(c.title).isEmpty());
        if (QString(c.title).isEmpty()) {
            EXPECT_TRUE(rig.ui.boxes.empty());
            continue;
        }
        ASSERT_EQ(rig.ui.boxes.size(), 1u);
        EXPECT_EQ(rig.ui.boxes[0].title, c.title);
        EXPECT_EQ(rig.ui.boxes[0].icon, core::MsgIcon::Critical);
        if (c.text) {
            EXPECT_EQ(rig.ui.boxes[0].text, QString(c.text).arg(path));
        }
    }
}

TEST_F(ParameterFile, ReportsAMissingFile)
{
    ConfigRig rig(0);
    EXPECT_FALSE(config::ReadParameterFile(*rig.model, rig.ui, folder.filePath("none.csv")));
    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_TRUE(rig.ui.boxes[0].text.contains("Error Code 53 - File not found"));
}

TEST_F(ParameterFile, AcceptsEitherRegisterFormAndAnySubsetOfLines)
{
    ConfigRig rig(1);
    rig.select("XK");
    ConfigModel &m = *rig.model;
    m.field(4098).Text = "12.0";
    const QString header = "\"001\",\"\",\"Modbus RTU-1\"\r\n\"XK\",\"\"\r\n\"DPT\",0\r\n"
                           "\"INP\",0\r\n\"Register\",\"Parameter\"\r\n";
    const std::pair<const char *, const char *> bodies[] = {
        {"1001H,25.5", "25.5"},         {"1001h,26.5", "26.5"}, {"4097,27.5", "27.5"},
        {"4097,28.5,,", "28.5"},        // a spreadsheet's trailing empty fields
        {"258,1\r\n4097,29.5", "29.5"}, // a group-0 register has no field here
    };
    for (const auto &[body, shown] : bodies) {
        SCOPED_TRACE(body);
        folder.writeRaw("subset.csv", header.toLatin1() + body + "\r\n");
        ASSERT_TRUE(config::ReadParameterFile(m, rig.ui, folder.filePath("subset.csv")));
        EXPECT_EQ(m.field(4097).Text, shown);
        EXPECT_EQ(m.field(4098).Text, "12.0"); // not in the file: untouched
    }
    EXPECT_TRUE(rig.ui.boxes.empty());
}

TEST_F(ParameterFile, ShowsFileValuesAsTheirFieldsDo)
{
    ConfigRig rig(0);
    rig.select("V5");
    const QString path =
        write(GroupZeroHeader + QStringList{"350,-32768", "289,125", "274,-5", "275,7.5"});
    ASSERT_TRUE(config::ReadParameterFile(*rig.model, rig.ui, path));
    ConfigModel &m = *rig.model;
    EXPECT_EQ(m.field(350).Checked, 0x8000);
    EXPECT_EQ(m.field(289).Text, "125"); // a step time in group 0 is a plain number
    EXPECT_EQ(m.field(274).ListIndex, 0);
    EXPECT_EQ(m.field(274).Text, "5.0");
    EXPECT_EQ(m.field(275).ListIndex, 1);

    ConfigRig rampSoak(1);
    rampSoak.select("XK");
    const QString groupOne = write({"\"001\",\"\",\"Modbus RTU-1\"", "\"XK\",\"\"", "\"DPT\",0",
                                    "\"INP\",0", "\"Register\",\"Parameter\"", "2080H,125"});
    ASSERT_TRUE(config::ReadParameterFile(*rampSoak.model, rampSoak.ui, groupOne));
    EXPECT_EQ(rampSoak.model->field(8320).Hours, "02");
    EXPECT_EQ(rampSoak.model->field(8320).Minutes, "05");
    ASSERT_TRUE(config::SaveParameterFile(*rampSoak.model, rampSoak.ui, groupOne));
    EXPECT_TRUE(linesOf(groupOne).contains("2080H,125"));
}

TEST_F(ParameterFile, RampSoakOnlyEditsUseTheRampSoakModelAndMarker)
{
    ConfigRig rig(0);
    rig.app.RSModel = true;
    QStringList lines = GroupZeroHeader;
    lines[4] = "\"Register\",\"1Parameter\"";
    const QString path = write(lines);
    ASSERT_TRUE(config::ReadParameterFile(*rig.model, rig.ui, path));
    EXPECT_EQ(rig.model->ModelId(), "RS");
    EXPECT_TRUE(rig.model->RampSoakAccess);
    ASSERT_TRUE(config::SaveParameterFile(*rig.model, rig.ui, path));
    EXPECT_EQ(linesOf(path).at(4), "\"Register\",\"1Parameter\"");
    rig.app.RSModel = false;
    ASSERT_TRUE(config::SaveParameterFile(*rig.model, rig.ui, path));
    EXPECT_EQ(linesOf(path).at(4), "\"Register\",\"Parameter\"");
}

} // namespace
} // namespace vanta::test
