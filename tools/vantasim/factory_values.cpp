// Factory values and raw ranges of the family's registers.
#include "factory_values.h"

#include "core/registers.h"

namespace vanta::sim {

namespace {

struct Value
{
    int reg;
    int value;
};

constexpr Value Group0[] = {
    {258, 750},  {259, 1000}, {260, 1250},    {261, 1500},    {262, 50},      {264, 1000},
    {266, 1000}, {267, 10},   {268, 10},      {269, 40},      {270, 40},      {271, 40},
    {272, 40},   {273, 40},   {274, -50},     {275, -50},     {276, -50},     {277, -50},
    {278, 100},  {279, 100},  {280, 100},     {281, 100},     {282, 100},     {283, 100},
    {284, 5},    {285, 100},  {324, 10},      {325, 50},      {327, 1000},    {329, 1000},
    {331, 100},  {333, 100},  {335, 1000},    {337, 100},     {346, 10},      {347, 10},
    {770, 10},   {773, 10},   {775, 48},      {776, 48},      {777, 48},      {778, 48},
    {779, 3},    {780, 3},    {781, 3},       {782, 3},       {785, 1},       {791, 4},
    {792, 1},    {794, 2},    {795, 1},       {797, 4},       {798, 2},       {805, 1},
    {812, 1},    {813, 1},    {1793, 0x0701}, {1795, 0x0512}, {1843, 0x0512}, {1844, 0x0701},
};

constexpr Value Group1[] = {
    {258, 750},     {4098, 5000}, {4103, 10}, {4104, 10},  {4105, 476}, {4106, 260}, {4107, 41},
    {4110, 100},    {4112, 10},   {4113, 10}, {4116, 100}, {264, 1000}, {266, 1000}, {4137, 1000},
    {4151, 1000},   {4160, 7},    {4161, 7},  {4162, 7},   {4163, 7},   {4164, 7},   {4165, 7},
    {4166, 7},      {4167, 7},    {4192, 8},  {4193, 8},   {4194, 8},   {4195, 8},   {4196, 8},
    {4197, 8},      {4198, 8},    {4199, 8},  {4202, 2},   {4209, 1},   {4211, 2},   {4212, 1},
    {4213, 1},      {4214, 1},    {795, 1},   {2064, 1},   {2065, 1},   {18211, 1},  {1795, 0x0310},
    {1793, 0x0201},
};

constexpr Value Group2[] = {
    {258, 750},   {264, 1000}, {266, 1000}, {18182, 5000}, {18184, 476},
    {18185, 260}, {18186, 41}, {18187, 10}, {18188, 100},  {18194, 10},
    {792, 14},    {18199, 1},  {18201, 1},  {18202, 1},    {1795, 0x0205},
};

struct ModelWords
{
    const char *model;
    int hardware; // 1842: high byte output 1 type (769), low byte output 2 type (772)
    int options;  // 1845
};

constexpr ModelWords Group0Models[] = {
    {"HM", 0x0100, 0x002C}, {"N8", 0xFFFF, 0x0014}, {"W4", 0x02FF, 0x0004},
    {"V5", 0x0006, 0x003F}, {"Z9", 0x0800, 0x0008}, {"T6", 0x0000, 0x002D},
};

template <size_t N>
std::optional<int> find(const Value (&table)[N], int reg)
{
    for (const Value &v : table) {
        if (v.reg == reg)
            return v.value;
    }
    return std::nullopt;
}

std::optional<int> group0ModelValue(const QString &model, int reg)
{
    for (const ModelWords &m : Group0Models) {
        if (model != QLatin1String(m.model))
            continue;
        switch (reg) {
        case 769:
            return (m.hardware >> 8) & 0xFF;
        case 772:
            return m.hardware & 0xFF;
        case 1842:
            return static_cast<qint16>(m.hardware);
        case 1845:
            return m.options;
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<int> factoryValue(int group, const QString &model, int reg)
{
    switch (group) {
    case 0:
        if (const std::optional<int> v = group0ModelValue(model, reg))
            return v;
        return find(Group0, reg);
    case 1:
        return find(Group1, reg);
    case 2:
        return find(Group2, reg);
    default:
        return std::nullopt;
    }
}

std::optional<RawRange> rawRange(int group, const QString &model, int reg)
{
    if (reg >= 1028 && reg <= 1074)
        return RawRange{0, 1}; // command registers: 1 executes, 0 does nothing
    switch (group) {
    case 0:
        if (reg == core::InputTypeRegister)
            return RawRange{1, 17};
        if (reg == core::DecimalPointRegister)
            return RawRange{0, model == QLatin1String("N8") ? 4 : 3};
        if (reg == core::TimeBaseRegister)
            return RawRange{0, 1};
        break;
    case 1:
        if (reg == core::InputTypeRegister)
            return RawRange{0, 17};
        if (reg == core::DecimalPointRegister)
            return RawRange{0, 1};
        if (reg == 2066 || reg == 2068 || reg == core::ProgramRunningRegister ||
            reg == core::ProgramHeldRegister)
            return RawRange{0, 1};
        if (reg == 4209)
            return RawRange{1, 247}; // the instrument holds the address itself
        break;
    case 2:
        if (reg == core::InputTypeRegister)
            return RawRange{0, 18};
        break;
    default:
        break;
    }
    return std::nullopt;
}

} // namespace vanta::sim
