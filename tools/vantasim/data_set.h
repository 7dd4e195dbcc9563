// The delivered data files as the simulator needs them: the models of every group with their
// register lists, and the cross-reference and field tables, read with the application's own
// loaders so both sides agree on the register plan.
#pragma once

#include "core/model_catalogue.h"
#include "core/tables.h"

#include <QString>
#include <QStringList>
#include <bitset>
#include <memory>
#include <vector>

namespace vanta::sim {

struct ModelInfo
{
    QString id; // upper case
    QString name;
    QString type;
    int group = 0;
    std::bitset<core::MaxRegister + 1> registers; // the program's register numbers
};

class DataSet
{
public:
    // Reads the model file, every register file and the tables from `folder`. What the loaders
    // would have shown in message boxes is added to `problems`.
    static std::unique_ptr<DataSet> load(const QString &folder, QStringList &problems);

    const core::DataTables &tables() const { return m_tables; }
    const std::vector<ModelInfo> &models() const { return m_models; }
    // The model of `group` with this id (either case); null when there is none.
    const ModelInfo *model(int group, const QString &id) const;

private:
    core::DataTables m_tables;
    std::vector<ModelInfo> m_models;
};

} // namespace vanta::sim
