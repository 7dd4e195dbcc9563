// The delivered data files: they load without a message, give every field of the configuration
// pages its row, and route every register to a command or wire register whose reply decodes to
// the kind of value the field needs.
#include "config/parameter_table.h"
#include "core/app_state.h"
#include "core/data_files.h"
#include "core/model_file.h"
#include "core/table_files.h"
#include "support/scripted_interaction.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

using namespace vanta::core;
using vanta::test::ScriptedInteraction;

namespace {

constexpr int NumericKind = 1;
constexpr int ListKind = 2;
constexpr int BitsKind = 3;

using vanta::config::ControlKind;
using vanta::config::Parameter;

// The field of `reg` on the configuration pages of any group; nullptr when none shows it.
const Parameter *pageField(int reg)
{
    for (int group = 0; group < ControllerGroupCount; ++group) {
        if (const Parameter *p = vanta::config::findParameter(group, reg))
            return p;
    }
    return nullptr;
}

std::set<int> boxBits(const Parameter &p)
{
    std::set<int> bits;
    for (const auto &box : p.boxes)
        bits.insert(box.bit);
    return bits;
}

// ---- Loading the delivered files ----

std::unique_ptr<AppState> loadDeliveredData(int group, ScriptedInteraction &ui)
{
    auto app = std::make_unique<AppState>(QStringLiteral(VANTA_DATA_DIR));
    app->Config.ControllerGroup = static_cast<qint16>(group);
    vanta::core::loadDataFiles(*app, ui);
    return app;
}

QString boxTexts(const ScriptedInteraction &ui)
{
    QString texts;
    for (const auto &box : ui.boxes)
        texts += box.title + QStringLiteral(": ") + box.text + QLatin1Char('\n');
    return texts;
}

class DeliveredData : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app = loadDeliveredData(0, ui);
        ASSERT_TRUE(ui.boxes.empty()) << boxTexts(ui).toStdString();
    }

    std::unique_ptr<AppState> app;
    ScriptedInteraction ui;
};

TEST(DeliveredDataFiles, LoadWithoutAnyMessageInEveryGroupAndVariant)
{
    for (const bool product : {false, true}) {
        for (int group = 0; group < ControllerGroupCount; ++group) {
            SCOPED_TRACE(group);
            ScriptedInteraction ui;
            AppState app(QStringLiteral(VANTA_DATA_DIR));
            app.ProductMode = product;
            app.Config.ControllerGroup = static_cast<qint16>(group);
            ReadModelFile(app, ui);
            EXPECT_TRUE(ui.boxes.empty()) << boxTexts(ui).toStdString();
            EXPECT_GT(app.Catalogue.ModelCount(group), 0);
        }
    }
    ScriptedInteraction ui;
    const auto app = loadDeliveredData(0, ui);
    EXPECT_TRUE(ui.boxes.empty()) << boxTexts(ui).toStdString();
}

TEST_F(DeliveredData, ModelsWithRulesOfTheirOwnExistInTheirGroups)
{
    const std::pair<int, const char *> models[] = {{0, "N8"}, {0, "V5"}, {0, "RS"},
                                                   {0, "HM"}, {0, "Z9"}, {1, "QT"}};
    for (const auto &[group, id] : models) {
        SCOPED_TRACE(id);
        int slot = 0;
        QString name;
        FindModel(app->Catalogue, group, id, slot, name);
        EXPECT_GT(slot, 0);
    }
}

// ---- Field rows ----

TEST_F(DeliveredData, EveryPageFieldHasARowOfItsKindAndEveryRowAField)
{
    const DataTables &tables = app->Tables;
    for (int group = 0; group < ControllerGroupCount; ++group) {
        for (const Parameter &p : vanta::config::parametersOf(group)) {
            SCOPED_TRACE(p.reg);
            EXPECT_EQ(tables.CfgField(p.reg, 1), vanta::config::cfgKindOf(p.kind));
            if (p.kind == ControlKind::BitBoxes) {
                const std::set<int> bits = boxBits(p);
                ASSERT_FALSE(bits.empty());
                EXPECT_EQ(tables.CfgField(p.reg, 2), *bits.begin());
                EXPECT_EQ(tables.CfgField(p.reg, 3), *bits.rbegin());
                EXPECT_EQ(int(bits.size()), *bits.rbegin() - *bits.begin() + 1);
            } else {
                EXPECT_LE(tables.CfgField(p.reg, 2), tables.CfgField(p.reg, 3));
            }
        }
    }
    // A row without a field would make the configuration window read into a field it lacks.
    for (int p = 1; p <= MaxRegister; ++p) {
        const int kind = tables.CfgField(p, 1);
        if (kind < NumericKind || kind > BitsKind)
            continue;
        SCOPED_TRACE(p);
        EXPECT_NE(pageField(p), nullptr);
    }
}

TEST_F(DeliveredData, EveryListRangeFitsItsOptionList)
{
    for (int group = 0; group < ControllerGroupCount; ++group) {
        for (const Parameter &p : vanta::config::parametersOf(group)) {
            if (p.kind != ControlKind::List && p.kind != ControlKind::ResetValue)
                continue;
            SCOPED_TRACE(p.reg);
            const int length = int(vanta::config::optionEntries(p.list).size());
            ASSERT_GT(length, 0);
            EXPECT_LT(p.defaultPosition, length);
            if (p.kind == ControlKind::List) {
                EXPECT_GE(app->Tables.CfgField(p.reg, 2), 0);
                EXPECT_LE(app->Tables.CfgField(p.reg, 3), length - 1);
            }
        }
    }
}

// A data file change cannot leave a register of a model without its field: every register a
// model lists with a field table row has a page, a control of that row's kind and a caption.
// The field table serves all groups, so a register that is another group's field (the status
// word 3 is group 0's "Manual Mode" box) is no parameter of this group.
TEST(DeliveredDataFiles, EveryParameterOfEveryModelHasAPlaceOnItsGroupsPages)
{
    for (int group = 0; group < ControllerGroupCount; ++group) {
        ScriptedInteraction ui;
        const auto app = loadDeliveredData(group, ui);
        for (int slot = 1; slot <= app->Catalogue.ModelCount(group); ++slot) {
            for (int reg = 1; reg <= MaxRegister; ++reg) {
                const int kind = app->Tables.CfgField(reg, 1);
                const Parameter *field = pageField(reg);
                if (!app->Catalogue.ModelRegisters(reg, slot) || kind < NumericKind ||
                    kind > BitsKind || (field && field->group != group))
                    continue;
                SCOPED_TRACE(QStringLiteral("group %1 model %2 register %3")
                                 .arg(group)
                                 .arg(app->Catalogue.Models[group][slot - 1].ModelID)
                                 .arg(reg)
                                 .toStdString());
                const Parameter *p = vanta::config::findParameter(group, reg);
                ASSERT_NE(p, nullptr);
                EXPECT_LT(p->page, int(vanta::config::pagesOf(group).size()));
                EXPECT_EQ(vanta::config::cfgKindOf(p->kind), kind);
                EXPECT_FALSE(p->caption.isEmpty());
                for (const auto &box : p->boxes)
                    EXPECT_FALSE(box.caption.isEmpty());
            }
        }
    }
}

// ---- Routes ----

// Whether the dispatcher can reach `reg` in `group` with the tables loaded.
bool hasRoute(const DataTables &tables, int group, int reg)
{
    switch (group) {
    case 0:
        return tables.VantaXref(reg, 1) >= 0 || tables.VantaXref(reg, 2) >= 0;
    case 1:
        return tables.KXref(reg) >= 0;
    default:
        return tables.WXref(reg) >= 0;
    }
}

TEST(DeliveredDataFiles, EveryModelRegisterRoutesForItsGroup)
{
    for (int group = 0; group < ControllerGroupCount; ++group) {
        ScriptedInteraction ui;
        const auto app = loadDeliveredData(group, ui);
        ASSERT_TRUE(ui.boxes.empty()) << boxTexts(ui).toStdString();
        for (int slot = 1; slot <= app->Catalogue.ModelCount(group); ++slot) {
            int count = 0;
            for (int reg = 1; reg <= MaxRegister; ++reg) {
                if (!app->Catalogue.ModelRegisters(reg, slot))
                    continue;
                ++count;
                SCOPED_TRACE(QStringLiteral("group %1 model %2 register %3")
                                 .arg(group)
                                 .arg(app->Catalogue.Models[group][slot - 1].ModelID)
                                 .arg(reg)
                                 .toStdString());
                EXPECT_TRUE(hasRoute(app->Tables, group, reg));
            }
            EXPECT_GT(count, 0);
        }
    }
}

TEST_F(DeliveredData, RegistersEveryWindowReadsRouteInEveryGroup)
{
    // Process value, status word, model id, decimal point, input type (and the ramp/soak probe).
    const std::vector<int> fixed[] = {
        {2, 3, 1794, 795, 792, 800}, {2, 3, 1794, 795, 792}, {2, 3, 1794, 792}};
    for (int group = 0; group < ControllerGroupCount; ++group) {
        for (int reg : fixed[group]) {
            SCOPED_TRACE(QStringLiteral("group %1 register %2").arg(group).arg(reg).toStdString());
            EXPECT_TRUE(hasRoute(app->Tables, group, reg));
        }
    }
    EXPECT_EQ(app->Tables.KXref(1794), 18); // the model code, read with function 103
}

// The Vanta Link write commands of a send: every page field except the two output hardware
// lists (never written), the time base and manual mode (written as commands), plus the
// command registers themselves.
std::set<int> groupZeroWrittenRegisters()
{
    std::set<int> written;
    for (const Parameter &p : vanta::config::parametersOf(0))
        written.insert(p.reg);
    for (int p : {769, 772, 8, 3})
        written.erase(p);
    for (int p : {792, 795, 805, 813, 1033, 1034, 1055, 1056})
        written.insert(p);
    for (int p = 1067; p <= 1074; ++p)
        written.insert(p);
    return written;
}

TEST_F(DeliveredData, GroupZeroWritesHaveCommandsThatDoNotCollide)
{
    const DataTables &tables = app->Tables;
    std::map<int, int> registerOfCommand;
    for (int reg = 1; reg <= MaxRegister; ++reg) {
        const int command = tables.VantaXref(reg, 2);
        if (command >= 0)
            registerOfCommand.emplace(command, reg);
    }
    for (int reg : groupZeroWrittenRegisters()) {
        SCOPED_TRACE(reg);
        EXPECT_GE(tables.VantaXref(reg, 2), 0);
    }
    // Registers whose on/off (or stage) value is sent as one of the commands after their own:
    // those commands must not belong to another register.
    const std::pair<std::vector<int>, int> followers[] = {
        {{783, 784, 785, 786, 787, 788, 789, 793, 802, 804, 805, 807, 809, 811, 812, 813}, 1},
        {{803}, 3},
    };
    for (const auto &[registers, extra] : followers) {
        for (int reg : registers) {
            const int command = tables.VantaXref(reg, 2);
            for (int k = 1; k <= extra; ++k) {
                SCOPED_TRACE(
                    QStringLiteral("register %1 command +%2").arg(reg).arg(k).toStdString());
                const auto other = registerOfCommand.find(command + k);
                EXPECT_TRUE(other == registerOfCommand.end());
            }
        }
    }
}

// ---- Decoding of Vanta Link replies ----

// What a dispatcher read of a group-0 register can give: a whole number in [low, high], and for
// a raw value the number of bits it carries (0: not a raw value).
struct ReadValue
{
    qint64 low;
    qint64 high;
    int bits;
};

bool isWriteCommand(int command)
{
    return (command >= 512 && command <= 665) || (command >= 1024 && command <= 1177);
}

bool isDecodedCommand(int command)
{
    return command == 0 || (command >= 256 && command <= 409);
}

// Bits of the reply field the reader returns as RawValue for a command.
int rawValueBits(int command)
{
    if (command == 0 || command == 5 || command == 1793 || (command >= 1840 && command <= 1845))
        return 16;
    if (command == 1792 || command == 1794)
        return 0;
    return 8;
}

// The value the reader returns for a command: decoded (sign and up to four digits), a number of
// two or four decimal digits, or none (the command returns a text or a fixed 0).
std::optional<ReadValue> commandValue(int command)
{
    if (isDecodedCommand(command))
        return ReadValue{-9999, 9999, 0};
    if (command == 5 || command == 1792 || command == 1794)
        return std::nullopt;
    if (command == 1793 || (command >= 1840 && command <= 1845))
        return ReadValue{0, 9999, 0};
    return ReadValue{0, 99, 0};
}

bool takesRawValue(int reg)
{
    static const std::set<int> raw = [] {
        std::set<int> r{3,   4,   792, 793, 796, 797, 799, 801,  802,
                        804, 805, 807, 809, 811, 812, 813, 1794, 1795};
        for (int p :
             {775, 776, 777, 778, 783, 784, 785, 786, 787, 788, 789, 1842, 1843, 1844, 1845})
            r.insert(p);
        return r;
    }();
    return raw.count(reg) > 0;
}

// The dispatcher's post-processing of a register read with `command`.
std::optional<ReadValue> registerValue(int reg, int command)
{
    if (takesRawValue(reg) || reg == 8) {
        const int width = rawValueBits(command);
        if (width == 0)
            return std::nullopt;
        return reg == 8 ? ReadValue{0, 1, 1} : ReadValue{0, (qint64(1) << width) - 1, width};
    }
    if (reg == 350 || reg == 351) { // eight reads, two bits each, from consecutive odd commands
        if (command < 256 || command + 14 > 409)
            return std::nullopt;
        return ReadValue{-32768, 32767, 16};
    }
    const auto value = commandValue(command);
    if (value && reg >= 289 && reg <= 319 && reg % 2 == 1) // ramp/soak times: magnitudes
        return ReadValue{0, std::max(-value->low, value->high), 0};
    return value;
}

// Registers the configuration read leaves alone: acknowledge and reset boxes, and the
// "Start Learning" boxes set from the tuning type.
bool isNeverRead(int reg)
{
    static const std::set<int> skipped{1028, 1029, 1031, 1032, 1035, 1036};
    return skipped.count(reg) > 0 || (reg >= 1067 && reg <= 1074);
}

// Instrument values of lists whose list position is decoded from them.
std::vector<int> encodedListValues(int reg)
{
    if (reg == 769 || reg == 772)
        return {0, 1, 6, 8};
    if (reg >= 775 && reg <= 778)
        return {0, 4, 16, 32, 48, 64};
    return {};
}

void expectFieldFits(const DataTables &tables, int reg, const ReadValue &value)
{
    const int kind = tables.CfgField(reg, 1);
    const int low = tables.CfgField(reg, 2);
    const int high = tables.CfgField(reg, 3);
    if (kind == BitsKind) {
        EXPECT_LT(high, value.bits) << "bit field wider than the value read";
        return;
    }
    std::vector<int> needed = encodedListValues(reg);
    if (needed.empty())
        needed = {low, high};
    for (int v : needed) {
        EXPECT_GE(v, value.low);
        EXPECT_LE(v, value.high);
    }
}

TEST_F(DeliveredData, GroupZeroReadCommandsDecodeToTheRightKindOfValue)
{
    const DataTables &tables = app->Tables;
    std::set<int> read{2, 3, 792, 795, 800, 1794};
    for (const Parameter &p : vanta::config::parametersOf(0)) {
        if (!isNeverRead(p.reg))
            read.insert(p.reg);
    }
    for (int reg : read) {
        SCOPED_TRACE(reg);
        const int command = tables.VantaXref(reg, 1);
        ASSERT_GE(command, 0) << "no read command";
        EXPECT_FALSE(isWriteCommand(command));
        const auto value = registerValue(reg, command);
        ASSERT_TRUE(value.has_value()) << "the reply carries no value for this register";
        expectFieldFits(tables, reg, *value);
    }
    // The process value is shown scaled, with the unit and decimal point of its reply.
    EXPECT_TRUE(isDecodedCommand(tables.VantaXref(2, 1)));
    EXPECT_EQ(registerValue(1794, tables.VantaXref(1794, 1))->bits, 16); // two characters
    EXPECT_EQ(registerValue(3, tables.VantaXref(3, 1))->bits, 16);       // the status word
    const auto decimalPoint = registerValue(795, tables.VantaXref(795, 1));
    EXPECT_LE(decimalPoint->low, 0);
    EXPECT_GE(decimalPoint->high, 3);
    const auto inputType = registerValue(792, tables.VantaXref(792, 1));
    EXPECT_LE(inputType->low, 1);
    EXPECT_GE(inputType->high, 17);
}

} // namespace
