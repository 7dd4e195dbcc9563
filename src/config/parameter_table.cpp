// The lookups of the parameter table; the pages themselves are in parameter_pages.cpp.
#include "config/parameter_table.h"

#include "config/parameter_pages.h"
#include "core/model_catalogue.h"

#include <array>

namespace vanta::config {

namespace {

const GroupTable *tableOf(int group)
{
    static const std::array<GroupTable, core::ControllerGroupCount> tables{
        groupZeroTable(), groupOneTable(), groupTwoTable()};
    if (group < 0 || group >= core::ControllerGroupCount)
        return nullptr;
    return &tables[group];
}

} // namespace

TableBuilder::TableBuilder(int group) : m_group(group)
{
    m_table.indexOf.assign(core::MaxRegister + 1, -1);
}

void TableBuilder::page(const QString &title, const QString &note)
{
    m_table.pages.push_back({title, note});
    m_section.clear();
    m_row.clear();
}

void TableBuilder::section(const QString &heading)
{
    m_section = heading;
    m_row.clear();
}

void TableBuilder::row(const QString &name)
{
    m_row = name;
}

Parameter &TableBuilder::add(int reg, ControlKind kind, const QString &caption)
{
    Q_ASSERT(reg >= 1 && reg <= core::MaxRegister && m_table.indexOf[reg] < 0);
    Parameter p;
    p.group = m_group;
    p.page = static_cast<int>(m_table.pages.size()) - 1;
    p.reg = reg;
    p.kind = kind;
    p.caption = caption;
    p.section = m_section;
    p.row = m_row;
    m_table.indexOf[reg] = static_cast<int>(m_table.parameters.size());
    m_table.parameters.push_back(std::move(p));
    return m_table.parameters.back();
}

Parameter &TableBuilder::number(int reg, const QString &caption, Scaling scaling)
{
    Parameter &p = add(reg, ControlKind::TextField, caption);
    p.scaling = scaling;
    return p;
}

Parameter &TableBuilder::reset(int reg, const QString &caption)
{
    Parameter &p = add(reg, ControlKind::ResetValue, caption);
    p.scaling = Scaling::Tenths;
    p.list = OptionList::ResetKind;
    p.unit = UnitCaption::ResetKind;
    return p;
}

Parameter &TableBuilder::time(int reg, const QString &caption)
{
    return add(reg, ControlKind::HoursMinutes, caption);
}

Parameter &TableBuilder::list(int reg, const QString &caption, OptionList list, int defaultPosition,
                              Encoding encoding)
{
    Parameter &p = add(reg, ControlKind::List, caption);
    p.list = list;
    p.defaultPosition = defaultPosition;
    p.encoding = encoding;
    return p;
}

Parameter &TableBuilder::box(int reg, const QString &caption, int bit)
{
    return boxes(reg, caption, {{bit, caption, m_section, m_row}});
}

Parameter &TableBuilder::boxes(int reg, const QString &caption, std::vector<BitBox> boxes)
{
    Parameter &p = add(reg, ControlKind::BitBoxes, caption);
    p.boxes = std::move(boxes);
    return p;
}

GroupTable TableBuilder::finish()
{
    return std::move(m_table);
}

int cfgKindOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::List:
        return 2;
    case ControlKind::BitBoxes:
        return 3;
    default:
        return 1;
    }
}

const std::vector<Page> &pagesOf(int group)
{
    static const std::vector<Page> none;
    const GroupTable *table = tableOf(group);
    return table ? table->pages : none;
}

const std::vector<Parameter> &parametersOf(int group)
{
    static const std::vector<Parameter> none;
    const GroupTable *table = tableOf(group);
    return table ? table->parameters : none;
}

const Parameter *findParameter(int group, int reg)
{
    const GroupTable *table = tableOf(group);
    if (!table || reg < 1 || reg > core::MaxRegister || table->indexOf[reg] < 0)
        return nullptr;
    return &table->parameters[table->indexOf[reg]];
}

QString controlName(ControlArray array, int index)
{
    static const std::array<const char *, 7> names{"txtParameter", "cbxParameter", "chkParameter",
                                                   "cbxReset",     "txtPattHour",  "txtPattMin",
                                                   "lblParamLabel"};
    return QLatin1String(names[static_cast<int>(array)]) + QLatin1Char('_') +
           QString::number(index);
}

int boxIndex(int reg, int bit)
{
    return bit < 8 ? reg * 10 + bit : reg * 10 + 1000 + (bit - 8);
}

} // namespace vanta::config
