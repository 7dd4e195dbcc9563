// SetupFormFields: which fields the selected model shows, and the rules by which the values of
// other fields hide some of them.
#include "config/config_model.h"

#include "core/app_state.h"
#include "core/number_format.h"

#include <vector>

namespace vanta::config {

namespace {

enum class When
{
    ListAt,         // list `reg` is at one of `positions` (bit n = position n)
    InputTypeIn,    // InputTypeIndex in low..high
    ModelIs,        // the selected model's id is `model`
    BoxClear,       // box `bit` of `reg` is not checked
    NumberPositive, // the number shown in `reg` is above 0
    NumberNotPositive,
    WithoutEventOutput2 // the ramp/soak steps have one event output only
};

struct Condition
{
    When when;
    int reg = 0;
    unsigned positions = 0;
    int low = 0; // InputTypeIn; the bit of BoxClear
    int high = 0;
    const char *model = "";
};

// Registers first..last (those with a field); `boxes` limits a bit field to some boxes.
struct Hidden
{
    int first;
    int last = 0;
    quint16 boxes = 0; // 0: the whole field
};

struct HideRule
{
    int group;
    Condition when;
    std::vector<Hidden> hidden;
    std::vector<int> pages = {}; // pages made unavailable
};

Condition listAt(int reg, std::initializer_list<int> positions)
{
    unsigned mask = 0;
    for (int position : positions)
        mask |= 1u << position;
    return {When::ListAt, reg, mask};
}

Condition inputTypeIn(int low, int high)
{
    return {When::InputTypeIn, 0, 0, low, high};
}

Condition modelIs(const char *model)
{
    return {When::ModelIs, 0, 0, 0, 0, model};
}

Condition boxClear(int reg, int bit)
{
    return {When::BoxClear, reg, 0, bit};
}

constexpr quint16 EvenBits = 0x5555; // event output 2 of every step
constexpr int FirstTuningType = 775;
constexpr int NoAnalogInput = 14;

// Per stage k of the tuning type list 775 + k: what self tune, P.I.D. and the fixed types
// do without.
void addTuningRules(std::vector<HideRule> &rules)
{
    for (int k = 0; k < 4; ++k) {
        std::vector<Hidden> tuned{{269 + k}, {274 + k}, {278 + k}};
        if (k == 0)
            tuned.push_back({273});
        const Hidden damping{779 + k};
        const Hidden learning{1067 + 2 * k};
        rules.push_back({0, listAt(FirstTuningType + k, {0}), tuned});
        rules.push_back({0, listAt(FirstTuningType + k, {1}), {damping, learning}});
        std::vector<Hidden> fixed = tuned;
        fixed.push_back(damping);
        fixed.push_back(learning);
        rules.push_back({0, listAt(FirstTuningType + k, {2, 3, 4}), fixed});
    }
}

std::vector<HideRule> buildRules()
{
    std::vector<HideRule> rules{
        {0, listAt(769, {0}), {{267}, {771}}},
        {0, listAt(769, {1}), {{267}, {770, 771}}},
        {0, listAt(769, {2}), {{267}, {770}}},
        {0, listAt(769, {3}), {{770, 771}}},
        {0, listAt(772, {0}), {{268}, {774}}},
        {0, listAt(772, {1}), {{268}, {773, 774}}},
        {0, listAt(772, {2}), {{268}, {773}}},
        {0, listAt(772, {3}), {{773, 774}}},
        {0, inputTypeIn(0, NoAnalogInput), {{326, 327}, {793, 0, 0x0001}}},
        {0, {When::WithoutEventOutput2}, {{350, 351, EvenBits}}},
        {0, modelIs("N8"), {{799, 0, 0x0001}, {801, 0, 0x0001}}},
        {0, boxClear(3, 15), {{340, 341}}}, // "Manual Mode"
        {1, inputTypeIn(13, 17), {{2065}}},
        {1, listAt(4101, {0}), {{4112, 4117}}},
        {1, listAt(4101, {1}), {{2067}, {4103, 4110}, {4114, 4117}, {4124, 4125}}},
        {1, listAt(4101, {2}), {{2067}, {4105, 4113}, {4124, 4125}}},
        {1, listAt(4101, {3}), {{4097}, {4112, 4117}}},
        {1, listAt(4101, {0, 1, 2}), {}, {2, 3}},
        {1, {When::NumberPositive, 4106}, {{4109}}},
        {1, {When::NumberNotPositive, 4106}, {{4108}}},
        {1, listAt(4102, {2, 3}), {{4104}, {4110, 4111}, {4113}, {4115}, {4130}, {4136, 4137}}},
        {1, listAt(4124, {4}), {{4105, 4109}, {4125}}},
        {1, listAt(4201, {0, 1, 2}), {{4151, 4152}, {18206}}},
        {2, listAt(18193, {0}), {{18187, 18189}, {18218}}},
        {2, listAt(18193, {1}), {{18184, 18186}, {18188, 18190}, {18194, 18195}, {18217, 18218}}},
        {2, listAt(18193, {2}), {{18184, 18187}, {18190}, {18195}, {18217}}},
        {2, {When::NumberPositive, 18185}, {{18195}}},
        {2, {When::NumberNotPositive, 18185}, {{18190}}},
    };
    addTuningRules(rules);
    return rules;
}

const std::vector<HideRule> &hideRules()
{
    static const std::vector<HideRule> rules = buildRules();
    return rules;
}

double shownValue(const ConfigModel &model, int reg)
{
    if (!model.hasField(reg))
        return 0;
    return core::parseNumberText(model.field(reg).Text).value_or(0);
}

// Only V5 has a second event output, and a ramp/soak-only edit of an instrument that
// answered the alarm 2 probe.
bool withoutEventOutput2(const ConfigModel &model)
{
    const QString id = model.ModelId();
    const bool rampSoakOnly = id == QLatin1String("RS") || model.app().RSModel;
    return id != QLatin1String("V5") && !(rampSoakOnly && model.RampSoakAccess);
}

bool holds(const ConfigModel &model, const Condition &c)
{
    switch (c.when) {
    case When::ListAt: {
        const int position = model.hasField(c.reg) ? model.field(c.reg).ListIndex : -1;
        return position >= 0 && position < 32 && (c.positions & (1u << position)) != 0;
    }
    case When::InputTypeIn:
        return model.InputTypeIndex >= c.low && model.InputTypeIndex <= c.high;
    case When::ModelIs:
        return model.ModelId() == QLatin1String(c.model);
    case When::BoxClear:
        return !model.isBoxChecked(c.reg, c.low);
    case When::NumberPositive:
        return shownValue(model, c.reg) > 0;
    case When::NumberNotPositive:
        return !(shownValue(model, c.reg) > 0);
    case When::WithoutEventOutput2:
        return withoutEventOutput2(model);
    }
    return false;
}

} // namespace

void ConfigModel::SetupFormFields()
{
    const SuppressEventsGuard guard(*this);
    applyModelRules();
    const std::vector<Parameter> &params = parameters();
    for (std::size_t i = 0; i < params.size(); ++i)
        applyVisibility(params[i], m_fields[i]);
    applyDependentRules();
    applyUnitCaptions();
}

// Group 1 model QT: one fixed decimal and a Communications page; the other models choose
// their decimal point and have no such page.
void ConfigModel::applyModelRules()
{
    m_pageAvailable.assign(pages().size(), true);
    m_decimalPointVisible = true;
    if (m_group != 1)
        return;
    constexpr int CommunicationsPage = 4;
    const bool qt = ModelId() == QLatin1String("QT");
    if (qt)
        DecimalPointIndex = 1;
    m_decimalPointVisible = !qt;
    if (CommunicationsPage < static_cast<int>(m_pageAvailable.size()))
        m_pageAvailable[CommunicationsPage] = qt;
}

void ConfigModel::applyVisibility(const Parameter &p, FieldState &f) const
{
    const bool offered = modelHas(p.reg);
    if (p.kind == ControlKind::BitBoxes) {
        quint16 boxes = 0;
        for (const BitBox &box : p.boxes)
            boxes |= static_cast<quint16>(1u << box.bit);
        f.VisibleBoxes = offered ? static_cast<quint16>(boxes & bitRangeMask(p.reg)) : 0;
        f.Visible = f.VisibleBoxes != 0;
        return;
    }
    f.Visible = offered;
    if (offered)
        formatNumbers(p, f);
}

void ConfigModel::formatNumbers(const Parameter &p, FieldState &f) const
{
    if (p.kind == ControlKind::HoursMinutes) {
        for (QString *text : {&f.Hours, &f.Minutes}) {
            if (const auto number = core::parseNumberText(*text))
                *text = core::formatNumber(*number, QStringLiteral("00"));
        }
    } else if (p.kind == ControlKind::TextField || p.kind == ControlKind::ResetValue) {
        if (const auto number = core::parseNumberText(f.Text))
            f.Text = shown(p.reg, *number);
    }
}

void ConfigModel::formatShownNumber(int reg)
{
    if (hasField(reg))
        formatNumbers(parameter(reg), field(reg));
}

bool ConfigModel::affectsFormFields(int reg) const
{
    if (!hasField(reg))
        return false;
    const Parameter &p = parameter(reg);
    if (p.unit == UnitCaption::ResetKind || (p.list == OptionList::TimeBase && m_group == 0))
        return true;
    for (const HideRule &rule : hideRules()) {
        if (rule.group == m_group && rule.when.reg == reg)
            return true;
    }
    return false;
}

void ConfigModel::applyDependentRules()
{
    for (const HideRule &rule : hideRules()) {
        if (rule.group != m_group || !holds(*this, rule.when))
            continue;
        for (const Hidden &h : rule.hidden) {
            for (int reg = h.first; reg <= std::max(h.first, h.last); ++reg) {
                if (!hasField(reg))
                    continue;
                FieldState &f = field(reg);
                f.VisibleBoxes = h.boxes == 0 ? 0 : static_cast<quint16>(f.VisibleBoxes & ~h.boxes);
                f.Visible = h.boxes == 0 ? false : f.Visible && f.VisibleBoxes != 0;
            }
        }
        for (int page : rule.pages) {
            if (page < static_cast<int>(m_pageAvailable.size()))
                m_pageAvailable[page] = false;
        }
    }
}

void ConfigModel::applyUnitCaptions()
{
    constexpr int TimeBase = 8;
    const bool seconds = hasField(TimeBase) && field(TimeBase).ListIndex == 0;
    const std::vector<Parameter> &params = parameters();
    for (std::size_t i = 0; i < params.size(); ++i) {
        FieldState &f = m_fields[i];
        if (params[i].unit == UnitCaption::TimeBase)
            f.UnitText = seconds ? QStringLiteral("Sec.") : QStringLiteral("Min.");
        else if (params[i].unit == UnitCaption::ResetKind)
            f.UnitText = f.ListIndex == 0 ? QStringLiteral("Min.") : QStringLiteral("%");
    }
}

} // namespace vanta::config
