// Building the parameter table: a builder that lays parameters out page by page, and the
// page contents of the three controller groups. Used only by parameter_table.cpp.
#pragma once

#include "config/parameter_table.h"

#include <QString>
#include <vector>

namespace vanta::config {

struct GroupTable
{
    std::vector<Page> pages;
    std::vector<Parameter> parameters;
    std::vector<int> indexOf; // register -> position in parameters, -1 for none
};

// Adds parameters to the page begun last, under the section heading and on the row set last.
class TableBuilder
{
public:
    explicit TableBuilder(int group);

    void page(const QString &title, const QString &note = {});
    void section(const QString &heading);
    void row(const QString &name); // cleared by the next page or section

    Parameter &number(int reg, const QString &caption, Scaling scaling = Scaling::Whole);
    Parameter &reset(int reg, const QString &caption); // tenths, with its sign list
    Parameter &time(int reg, const QString &caption);  // minutes shown as hours and minutes
    Parameter &list(int reg, const QString &caption, OptionList list, int defaultPosition = 0,
                    Encoding encoding = Encoding::Position);
    Parameter &box(int reg, const QString &caption, int bit = 0); // one box, captioned alike
    Parameter &boxes(int reg, const QString &caption, std::vector<BitBox> boxes);

    GroupTable finish();

private:
    Parameter &add(int reg, ControlKind kind, const QString &caption);

    int m_group;
    QString m_section;
    QString m_row;
    GroupTable m_table;
};

GroupTable groupZeroTable();
GroupTable groupOneTable();
GroupTable groupTwoTable();

} // namespace vanta::config
