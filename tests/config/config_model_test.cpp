// The configuration model: defaults at load, model selection, display scaling, bit boxes and
// the conversions between instrument values and field values.
#include "config_rig.h"
#include "core/app_error.h"

#include <gtest/gtest.h>

namespace vanta::test {
namespace {

using config::ConfigModel;

TEST(ConfigModel, LoadsEachGroupWithItsDefaults)
{
    struct Case
    {
        int group;
        const char *protocol;
        const char *modelId;
        int inputType;
        const char *address;
        int rampSoakModel;
    };
    const Case cases[] = {
        {0, "L", "V5", 1, "32", 7}, // the fourth model on Vanta Link
        {0, "R", "HM", 1, "32", 7},
        {1, "R", "QT", 0, "001", 0},
        {2, "A", "XW", 14, "001", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.modelId);
        ConfigRig rig(c.group, c.protocol);
        const ConfigModel &m = *rig.model;
        EXPECT_EQ(m.ModelId(), c.modelId);
        EXPECT_EQ(m.InputTypeIndex, c.inputType);
        EXPECT_EQ(m.DecimalPointIndex, c.group == 1 ? 1 : 0); // QT's fixed decimal
        EXPECT_EQ(m.AddressText, c.address);
        EXPECT_EQ(m.RampSoakModelIndex(), c.rampSoakModel);
        EXPECT_FALSE(m.ChangesPending);
        EXPECT_FALSE(m.SuppressEvents());
        const QString &entry = m.ModelEntries().at(m.SelectedModel() - 1);
        EXPECT_EQ(entry, m.ModelName() + QString(60, ' ') + c.modelId);
        EXPECT_FALSE(m.ModelType().isEmpty());
    }
}

TEST(ConfigModel, ListsStartAtTheirDefaultPositions)
{
    struct Default
    {
        int group;
        int reg;
        int position;
    };
    const Default defaults[] = {{0, 775, 3},   {0, 778, 3},   {0, 769, 0},
                                {0, 274, 0},   {1, 2065, 1},  {1, 4209, 0},
                                {1, 18211, 1}, {2, 18199, 0}, {2, 18225, 0}};
    for (const Default &d : defaults) {
        SCOPED_TRACE(d.reg);
        EXPECT_EQ(ConfigRig(d.group).model->field(d.reg).ListIndex, d.position);
    }
}

// A catalogue shorter than the default position selects its last model; an empty one selects
// none and shows nothing. Model ids compare regardless of case.
TEST(ConfigModel, SelectsWithinShortOrEmptyModelLists)
{
    ConfigRig rig(0, "L");
    rig.app.Catalogue.Models[0] = {{"hm", "HM16", "Controller"}, {"rs", "Ramp/Soak", "Program"}};
    rig.model->Load();
    EXPECT_EQ(rig.model->SelectedModel(), 2);
    EXPECT_EQ(rig.model->ModelId(), "RS");
    EXPECT_EQ(rig.model->RampSoakModelIndex(), 2);
    EXPECT_EQ(rig.model->ModelType(), "Program");

    rig.app.Catalogue.Models[0].clear();
    rig.model->Load();
    EXPECT_EQ(rig.model->SelectedModel(), 0);
    EXPECT_EQ(rig.model->ModelId(), QString());
    for (const config::Parameter &p : rig.model->parameters()) {
        SCOPED_TRACE(p.reg);
        EXPECT_FALSE(rig.model->field(p.reg).Visible);
    }
}

struct ScaleCase
{
    int group;
    const char *model;
    int reg;
    int decimalPoint;
    int inputType;
    const char *format;
    float divisor;
};

const ScaleCase ScaleCases[] = {
    {0, "V5", 258, 0, 1, "#,###,###,##0", 1},
    {0, "V5", 258, 3, 1, "#,###,###,##0.000", 1000},
    {0, "N8", 264, 4, 1, "#,###,###,##0.0000", 10000},
    {0, "V5", 290, 2, 1, "#,###,###,##0.00", 100},  // a step setpoint
    {0, "V5", 289, 2, 1, "#,###,###,##0", 1},       // a step time
    {0, "V5", 269, 2, 14, "#,###,###,##0", 1},      // thermocouple: whole band
    {0, "V5", 269, 2, 15, "#,###,###,##0.00", 100}, // current input
    {0, "V5", 334, 1, 14, "#,###,###,##0", 1},
    {0, "N8", 334, 1, 14, "#,###,###,##0.0", 10},
    {0, "V5", 274, 3, 1, "#,###,###,##0.0", 10},
    {0, "V5", 278, 0, 1, "#,###,###,##0.00", 100},
    {0, "V5", 323, 3, 1, "#,###,###,##0", 1},
    {1, "XK", 4097, 0, 0, "#,###,###,##0.0", 10},
    {1, "XK", 4110, 1, 0, "#,###,###,##0.00", 100},
    {1, "XK", 8200, 0, 0, "#,###,###,##0.0", 10},
    {1, "XK", 4106, 1, 0, "#,###,###,##0", 1},
    {2, "XW", 18184, 0, 14, "#,###,###,##0.0", 10},
    {2, "XW", 18185, 0, 14, "#,###,###,##0", 1},
};

TEST(ConfigModel, ScalesByDecimalPointInputTypeAndModel)
{
    for (const ScaleCase &c : ScaleCases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 dp %3 input %4")
                         .arg(c.model)
                         .arg(c.reg)
                         .arg(c.decimalPoint)
                         .arg(c.inputType)
                         .toStdString());
        ConfigRig rig(c.group);
        rig.select(c.model);
        rig.model->DecimalPointIndex = static_cast<qint16>(c.decimalPoint);
        rig.model->InputTypeIndex = static_cast<qint16>(c.inputType);
        const config::DisplayFormat format = rig.model->DecimalPointFormat(c.reg);
        EXPECT_EQ(format.format, c.format);
        EXPECT_EQ(format.divisor, c.divisor);
    }
}

TEST(ConfigModel, BitBoxesFollowRegisterAndBit)
{
    EXPECT_EQ(config::boxIndex(350, 9), 4501);
    EXPECT_EQ(config::boxIndex(350, 1), 3501);
    EXPECT_EQ(config::boxIndex(797, 3), 7973);
    EXPECT_EQ(config::boxIndex(3, 15), 1037);

    ConfigRig rig(0);
    ConfigModel &m = *rig.model;
    m.DistributeBits(350, 0x8000); // -32768
    for (int bit = 0; bit < 16; ++bit)
        EXPECT_EQ(m.isBoxChecked(350, bit), bit == 15) << bit;
    EXPECT_EQ(m.CompressBits(350), -32768);
    m.setBoxChecked(350, 9, true);
    EXPECT_EQ(m.CompressBits(350), qint16(0x8200));
    // Only the bits of the field table's range have boxes: 796 has bits 1..5.
    m.DistributeBits(796, 0xFFFF);
    EXPECT_EQ(m.CompressBits(796), 0x3E);
    EXPECT_FALSE(m.isBoxChecked(796, 0));
    // A register without boxes has no bits to spread.
    EXPECT_THROW(m.DistributeBits(258, 1), core::AppError);
    EXPECT_THROW(m.DistributeBits(4097, 1), core::AppError);
}

TEST(ConfigModel, NamesParametersForMessages)
{
    EXPECT_EQ(ConfigRig(0).model->GStr(258), " 258");
    EXPECT_EQ(ConfigRig(1).model->GStr(4096), " 1000H");
    EXPECT_EQ(ConfigRig(2).model->GStr(18177), " 4701H");
}

TEST(ConfigModel, SuppressEventsNests)
{
    ConfigRig rig(0);
    {
        const ConfigModel::SuppressEventsGuard outer(*rig.model);
        {
            const ConfigModel::SuppressEventsGuard inner(*rig.model);
            rig.model->SetupFormFields(); // sets and clears its own
        }
        EXPECT_TRUE(rig.model->SuppressEvents());
    }
    EXPECT_FALSE(rig.model->SuppressEvents());
}

// What an instrument value shows, and what the field sends back.
struct ValueCase
{
    int group;
    int reg;
    double raw;
    const char *text; // Text, Hours:Minutes, or the list position as text
    int position;     // ListIndex (reset lists too); -1 where it does not apply
    double sent;
};

const ValueCase ValueCases[] = {
    {0, 258, 255, "25.5", -1, 255}, // decimal point 1
    {0, 258, -12345, "-1,234.5", -1, -12345},
    {0, 274, -50, "5.0", 0, -50}, // automatic reset time
    {0, 274, 50, "5.0", 1, 50},   // manual offset
    {0, 769, 1, "", 0, 0},        // output type codes
    {0, 769, 6, "", 1, 1},
    {0, 769, 8, "", 2, 2},
    {0, 769, 2, "", 3, 3},
    {0, 775, 16, "", 1, 1}, // tuning byte
    {0, 775, 64, "", 4, 4},
    {0, 775, 99, "", 3, 3},
    {0, 798, 9, "", 4, 4}, // clamped to the last position
    {0, 798, -3, "", 0, 0},
    {0, 350, 65535, "", -1, -1}, // a word read as unsigned
    {1, 4140, 11, "", 2, 11},
    {1, 4140, 2, "", 0, 0},
    {1, 4209, 1, "", 0, 1}, // address 1 is "001"
    {1, 4209, 300, "", 246, 247},
    {1, 8320, 125, "02:05", -1, 125}, // minutes shown as hh:mm
    {1, 4097, 750, "75.0", -1, 750},
    {2, 18225, 2, "", 1, 1}, // read as 2 or 22, sent as 1 or 11
    {2, 18225, 22, "", 2, 11},
    {2, 18225, 1, "", 1, 1},
    {2, 18225, 11, "", 2, 11},
};

TEST(ConfigModel, ConvertsInstrumentValuesBothWays)
{
    ConfigRig rigs[] = {ConfigRig(0), ConfigRig(1), ConfigRig(2)};
    rigs[0].model->DecimalPointIndex = 1;
    for (const ValueCase &c : ValueCases) {
        SCOPED_TRACE(QStringLiteral("%1 = %2").arg(c.reg).arg(c.raw).toStdString());
        ConfigModel &m = *rigs[c.group].model;
        m.setFromInstrument(c.reg, c.raw);
        const config::FieldState &f = m.field(c.reg);
        const config::ControlKind kind = m.parameter(c.reg).kind;
        if (kind == config::ControlKind::HoursMinutes) {
            EXPECT_EQ(f.Hours + ':' + f.Minutes, c.text);
        } else if (kind != config::ControlKind::List) {
            EXPECT_EQ(f.Text, c.text);
        }
        if (c.position >= 0) {
            EXPECT_EQ(f.ListIndex, c.position);
        }
        EXPECT_EQ(m.instrumentValue(c.reg), c.sent);
    }
}

TEST(ConfigModel, TuningByteSetsTheStageLearningBox)
{
    ConfigRig rig(0);
    ConfigModel &m = *rig.model;
    m.setFromInstrument(776, 4);
    EXPECT_EQ(m.field(776).ListIndex, 0);
    EXPECT_TRUE(m.isBoxChecked(1069, 0));
    m.setFromInstrument(776, 16); // not self tune: the box stays
    EXPECT_TRUE(m.isBoxChecked(1069, 0));
    m.setFromInstrument(776, 0);
    EXPECT_FALSE(m.isBoxChecked(1069, 0));
}

TEST(ConfigModel, FieldTextIsReadWithoutLocaleAndNeverAsZeroWhenEmpty)
{
    ConfigRig rig(1);
    ConfigModel &m = *rig.model;
    const std::pair<const char *, std::optional<double>> texts[] = {
        {"1,234.5", 12345}, {" -0.05 ", -1},       {"0.04", 0},
        {"", std::nullopt}, {"abc", std::nullopt}, {"1.5e1", 150}};
    for (const auto &[text, sent] : texts) {
        SCOPED_TRACE(text);
        m.field(4097).Text = text;
        EXPECT_EQ(m.instrumentValue(4097), sent);
    }
    m.field(8320).Hours = "01";
    m.field(8320).Minutes = "";
    EXPECT_EQ(m.instrumentValue(8320), std::nullopt);
}

} // namespace
} // namespace vanta::test
