// The delivered data files: they load without a message, give every field of the configuration
// pages its row, and route every register to a command or wire register whose reply decodes to
// the kind of value the field needs.
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

// ---- What the configuration pages show, per controller group ----

struct PageField
{
    int kind;
    std::set<int> bits; // the check boxes of a bit field
};
using PageFields = std::map<int, PageField>;

void numbers(PageFields &fields, int first, int last = 0, int step = 1)
{
    for (int p = first; p <= std::max(first, last); p += step)
        fields[p] = {NumericKind, {}};
}

void lists(PageFields &fields, int first, int last = 0)
{
    for (int p = first; p <= std::max(first, last); ++p)
        fields[p] = {ListKind, {}};
}

void bits(PageFields &fields, int reg, int firstBit, int lastBit)
{
    PageField &field = fields[reg];
    field.kind = BitsKind;
    for (int b = firstBit; b <= lastBit; ++b)
        field.bits.insert(b);
}

PageFields groupZeroPages()
{
    PageFields f;
    // General
    numbers(f, 258);
    numbers(f, 262, 266);
    numbers(f, 323);
    numbers(f, 326, 329);
    lists(f, 794);
    lists(f, 798);
    lists(f, 800);
    for (int reg : {793, 805, 813, 1035, 1036})
        bits(f, reg, 0, 0);
    // Ramp/Soak
    lists(f, 8);
    numbers(f, 289, 320);
    lists(f, 790);
    for (int reg : {786, 787, 788, 789})
        bits(f, reg, 0, 0);
    bits(f, 350, 0, 15);
    bits(f, 351, 0, 15);
    // Tuning
    numbers(f, 269);
    numbers(f, 273, 274);
    numbers(f, 278);
    numbers(f, 282, 285);
    numbers(f, 321, 322);
    numbers(f, 324, 325);
    numbers(f, 344, 345);
    numbers(f, 779);
    numbers(f, 791);
    lists(f, 775);
    lists(f, 810);
    for (int reg : {783, 784, 1067})
        bits(f, reg, 0, 0);
    // Output Setup
    numbers(f, 267, 268);
    numbers(f, 334, 337);
    lists(f, 769);
    lists(f, 772);
    numbers(f, 770, 771);
    numbers(f, 773, 774);
    lists(f, 802);
    lists(f, 811, 812);
    bits(f, 785, 0, 0);
    bits(f, 807, 0, 0);
    // Setpoint Ctrl
    numbers(f, 330, 333);
    numbers(f, 340, 341);
    lists(f, 809);
    bits(f, 3, 15, 15); // "Manual Mode", box 1037
    bits(f, 796, 1, 5);
    bits(f, 797, 0, 5);
    // Alarm Setup
    numbers(f, 346, 349);
    bits(f, 799, 0, 6);
    bits(f, 801, 0, 6);
    for (int reg : {1028, 1029, 1031, 1032})
        bits(f, reg, 0, 0);
    // 4-Stage Option
    numbers(f, 259, 261);
    numbers(f, 270, 272);
    numbers(f, 275, 277);
    numbers(f, 279, 281);
    numbers(f, 780, 782);
    lists(f, 776, 778);
    lists(f, 803, 804);
    for (int reg : {1069, 1071, 1073})
        bits(f, reg, 0, 0);
    return f;
}

PageFields groupOnePages()
{
    PageFields f;
    // General
    lists(f, 2064, 2065);
    lists(f, 4128, 4131);
    lists(f, 4140);
    lists(f, 4201, 4202);
    lists(f, 18206);
    lists(f, 18210, 18211);
    numbers(f, 4097, 4099);
    numbers(f, 4132, 4137);
    numbers(f, 4151, 4152);
    // Control
    lists(f, 2067);
    lists(f, 4101, 4102);
    lists(f, 4124);
    numbers(f, 4103, 4118);
    numbers(f, 4125);
    // Ramp/Soaks 0-3 and 4-7
    lists(f, 4144);
    numbers(f, 4160, 4167);
    numbers(f, 4176, 4183);
    lists(f, 4192, 4199);
    numbers(f, 8192, 8255);
    numbers(f, 8320, 8383);
    // Communications
    lists(f, 4209, 4214);
    return f;
}

PageFields groupTwoPages()
{
    PageFields f;
    // General
    numbers(f, 18177, 18183);
    numbers(f, 18196);
    lists(f, 18197, 18199);
    lists(f, 18201, 18202);
    lists(f, 18225);
    // Control
    numbers(f, 18184, 18190);
    numbers(f, 18194, 18195);
    numbers(f, 18218);
    lists(f, 18193);
    lists(f, 18200);
    lists(f, 18217);
    return f;
}

const PageFields &pagesOf(int group)
{
    static const PageFields pages[] = {groupZeroPages(), groupOnePages(), groupTwoPages()};
    return pages[group];
}

// Number of entries of each option list.
const std::map<int, int> &optionListLengths()
{
    static const std::map<int, int> lengths = [] {
        std::map<int, int> n{
            {8, 2},     {769, 4},   {772, 4},   {790, 4},   {794, 3},    {798, 5},    {800, 5},
            {802, 2},   {803, 4},   {804, 2},   {809, 2},   {810, 3},    {811, 2},    {812, 2},
            {2064, 2},  {2065, 2},  {2067, 2},  {4101, 4},  {4102, 4},   {4124, 5},   {4131, 4},
            {4140, 3},  {4144, 8},  {4201, 4},  {4202, 3},  {4209, 247}, {4210, 2},   {4211, 5},
            {4212, 2},  {4213, 3},  {4214, 2},  {18193, 3}, {18197, 13}, {18198, 13}, {18199, 2},
            {18200, 2}, {18201, 2}, {18202, 2}, {18206, 2}, {18210, 2},  {18211, 4},  {18217, 2},
            {18225, 3},
        };
        for (int p = 775; p <= 778; ++p)
            n[p] = 5;
        for (int p = 4128; p <= 4130; ++p)
            n[p] = 14;
        for (int p = 4192; p <= 4199; ++p)
            n[p] = 9;
        return n;
    }();
    return lengths;
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
        for (const auto &[p, field] : pagesOf(group)) {
            SCOPED_TRACE(p);
            EXPECT_EQ(tables.CfgField(p, 1), field.kind);
            if (field.kind == BitsKind) {
                EXPECT_EQ(tables.CfgField(p, 2), *field.bits.begin());
                EXPECT_EQ(tables.CfgField(p, 3), *field.bits.rbegin());
                EXPECT_EQ(int(field.bits.size()), *field.bits.rbegin() - *field.bits.begin() + 1);
            } else {
                EXPECT_LE(tables.CfgField(p, 2), tables.CfgField(p, 3));
            }
        }
    }
    // A row without a field would make the configuration window read into a field it lacks.
    for (int p = 1; p <= MaxRegister; ++p) {
        const int kind = tables.CfgField(p, 1);
        if (kind < NumericKind || kind > BitsKind)
            continue;
        SCOPED_TRACE(p);
        const bool onAPage = pagesOf(0).count(p) || pagesOf(1).count(p) || pagesOf(2).count(p);
        EXPECT_TRUE(onAPage);
    }
}

TEST_F(DeliveredData, EveryListRangeFitsItsOptionList)
{
    for (int group = 0; group < ControllerGroupCount; ++group) {
        for (const auto &[p, field] : pagesOf(group)) {
            if (field.kind != ListKind)
                continue;
            SCOPED_TRACE(p);
            const auto length = optionListLengths().find(p);
            ASSERT_NE(length, optionListLengths().end());
            EXPECT_GE(app->Tables.CfgField(p, 2), 0);
            EXPECT_LE(app->Tables.CfgField(p, 3), length->second - 1);
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
    for (const auto &[p, field] : pagesOf(0))
        written.insert(p);
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
    for (const auto &[p, field] : pagesOf(0)) {
        if (!isNeverRead(p))
            read.insert(p);
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
