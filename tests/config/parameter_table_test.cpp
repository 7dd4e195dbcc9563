// The parameter table: the pages of each group, where shared registers live, and control
// names that a generated window can find.
#include "config/parameter_table.h"

#include <QSet>
#include <gtest/gtest.h>

namespace vanta::test {
namespace {

using config::ControlArray;
using config::ControlKind;
using config::Parameter;

QStringList pageTitles(int group)
{
    QStringList titles;
    for (const config::Page &page : config::pagesOf(group))
        titles << page.title;
    return titles;
}

TEST(ParameterTable, HasThePagesOfEachGroupInOrder)
{
    EXPECT_EQ(pageTitles(0), (QStringList{"General", "Ramp/Soak", "Tuning", "Output Setup",
                                          "Setpoint Ctrl", "Alarm Setup", "4-Stage Option"}));
    EXPECT_EQ(pageTitles(1), (QStringList{"General", "Control", "Ramp/Soaks 0-3", "Ramp/Soaks 4-7",
                                          "Communications"}));
    EXPECT_EQ(pageTitles(2), (QStringList{"General", "Control"}));
    EXPECT_TRUE(config::pagesOf(3).empty());
    EXPECT_TRUE(config::pagesOf(1).at(4).note.startsWith("Note: Communication parameters"));
}

// 4118 is listed on both group-1 pages; it has one field, on General.
TEST(ParameterTable, KeepsTheGroupOneControlPageTo4103Through4117And4125)
{
    EXPECT_EQ(config::findParameter(1, 4118)->page, 0);
    QList<int> control;
    for (const Parameter &p : config::parametersOf(1)) {
        if (p.page == 1 && p.kind == ControlKind::TextField)
            control << p.reg;
    }
    QList<int> expected;
    for (int reg = 4103; reg <= 4117; ++reg)
        expected << reg;
    expected << 4125;
    EXPECT_EQ(control, expected);
}

TEST(ParameterTable, LeavesRampSoakGridFieldsWithoutCaptionsBesideThem)
{
    for (const Parameter &p : config::parametersOf(1)) {
        SCOPED_TRACE(p.reg);
        const bool grid = (p.reg >= 4160 && p.reg <= 4199) || (p.reg >= 8192 && p.reg <= 8383);
        EXPECT_EQ(p.labelled, !grid);
        EXPECT_EQ(p.kind == ControlKind::HoursMinutes, p.reg >= 8320 && p.reg <= 8383);
    }
}

// Object names of every control of one group, with the boxes named by their design index.
QStringList controlNames(int group)
{
    QStringList names;
    for (const Parameter &p : config::parametersOf(group)) {
        switch (p.kind) {
        case ControlKind::BitBoxes:
            for (const config::BitBox &box : p.boxes)
                names << config::controlName(ControlArray::chkParameter,
                                             config::boxIndex(p.reg, box.bit));
            break;
        case ControlKind::List:
            names << config::controlName(ControlArray::cbxParameter, p.reg);
            break;
        case ControlKind::HoursMinutes:
            names << config::controlName(ControlArray::txtPattHour, p.reg)
                  << config::controlName(ControlArray::txtPattMin, p.reg);
            break;
        case ControlKind::ResetValue:
            names << config::controlName(ControlArray::cbxReset, p.reg);
            [[fallthrough]];
        case ControlKind::TextField:
            names << config::controlName(ControlArray::txtParameter, p.reg);
        }
    }
    return names;
}

TEST(ParameterTable, NamesEveryControlOfAGroupUniquely)
{
    for (int group = 0; group < 3; ++group) {
        SCOPED_TRACE(group);
        const QStringList names = controlNames(group);
        EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size());
    }
    const QStringList groupZero = controlNames(0);
    for (const char *name : {"txtParameter_258", "cbxReset_274", "chkParameter_4501",
                             "chkParameter_1037", "chkParameter_7973", "cbxParameter_8"})
        EXPECT_TRUE(groupZero.contains(name)) << name;
    EXPECT_TRUE(controlNames(1).contains("txtPattHour_8320"));
    EXPECT_TRUE(controlNames(1).contains("cbxParameter_2064"));
}

} // namespace
} // namespace vanta::test
