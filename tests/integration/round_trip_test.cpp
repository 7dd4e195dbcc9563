// Every model of the delivered catalogue, in every protocol its group speaks: the dispatcher
// reads every register of the model from vantasim through a real pseudo-terminal, writes every
// writable one and reads the same value back.
#include "sim_line.h"

#include <QSet>

namespace vanta::test {
namespace {

struct Target
{
    QString name;
    int group;
    QString protocol;
    QString model;
    int address;
};

// Models and the protocols they speak; RS is a ramp/soak-only edit, not an instrument, and HM
// and N8 speak Modbus RTU only.
std::vector<Target> targets(core::AppState &app, ScriptedInteraction &ui)
{
    std::vector<Target> all;
    int address = 1;
    for (int group = 0; group < 3; ++group) {
        app.Config.ControllerGroup = static_cast<qint16>(group);
        core::ReadModelFile(app, ui);
        const QStringList protocols = group == 0   ? QStringList{"L", "R"}
                                      : group == 1 ? QStringList{"R", "A"}
                                                   : QStringList{"A"};
        for (const core::ModelEntry &model : app.Catalogue.Models[group]) {
            for (const QString &protocol : protocols) {
                if (model.ModelID == "RS" ||
                    (protocol == "L" && (model.ModelID == "HM" || model.ModelID == "N8")))
                    continue;
                all.push_back(
                    {QStringLiteral("m%1").arg(address), group, protocol, model.ModelID, address});
                ++address;
            }
        }
    }
    return all;
}

QByteArray scenarioOf(const std::vector<Target> &targets)
{
    QByteArray text = "[line]\n";
    for (const Target &t : targets) {
        text += QStringLiteral("[instrument %1]\ngroup = %2\nprotocol = %3\nmodel = %4\n"
                               "address = %5\nsettings = 9600,N,8,1\nnoise = 0\n")
                    .arg(t.name)
                    .arg(t.group)
                    .arg(t.protocol, t.model,
                         t.group == 0 ? QString::number(t.address, 16) : QString::number(t.address))
                    .toLatin1();
    }
    return text;
}

bool isRoutable(const core::DataTables &tables, const Target &t, int reg, int column)
{
    if (t.group == 0)
        return t.protocol == "R" || tables.VantaXref(reg, column) >= 0;
    return (t.group == 1 ? tables.KXref(reg) : tables.WXref(reg)) >= 0;
}

bool isReadOnly(const core::DataTables &tables, const Target &t, int reg)
{
    static const QSet<int> fixed{2, 3, 4, 1793, 1794, 1795};
    if (fixed.contains(reg))
        return true;
    if (t.group != 0)
        return false;
    if (t.protocol == "L")
        return tables.VantaXref(reg, 2) < 0;
    return reg == 257 || reg == 769 || reg == 772 || (reg >= 1842 && reg <= 1845);
}

// A value to write that differs from the current one where the register's range allows, and
// the value that a read then gives.
std::pair<int, int> valueToWrite(const core::DataTables &tables, const Target &t, int reg,
                                 int current)
{
    if (t.group == 0 && reg >= 1028 && reg <= 1074)
        return {1, 0}; // a command: writing 1 executes it, a read gives 0
    if (t.group == 0 && reg >= 775 && reg <= 778)
        return {2, 32}; // written as the tuning type index, read as the tuning byte
    if (t.group == 1 && reg >= 4209 && reg <= 4214)
        return {current, current}; // new communication settings would cut the line
    if (t.group == 2 && reg == 18225)
        return {22, 22};
    if (t.group == 1 && reg == 4140)
        return {11, 11};
    if ((t.group == 0 && (reg == 786 || reg == 789)) ||
        (t.group == 1 && reg >= 2064 && reg <= 2068))
        return {1, 1};
    const int kind = tables.CfgField(reg, 1);
    const int low = tables.CfgField(reg, 2);
    const int high = tables.CfgField(reg, 3);
    if (kind == 1 || kind == 2) {
        const int v = current != high ? high : low;
        return {v, v};
    }
    if (kind == 3) {
        const int v = current ^ (1 << low);
        return {v, v};
    }
    return {current, current};
}

TEST(SimulatorRoundTrip, EveryModelReadsAndWritesEveryRegister)
{
    ApplicationSide side(QString(), 400);
    const std::vector<Target> all = targets(side.app, side.ui);
    ASSERT_FALSE(all.empty());
    SimulatorProcess sim(scenarioOf(all));
    ASSERT_TRUE(sim.ready());
    side.line.setDevicePath(sim.link());
    ASSERT_TRUE(side.open(QStringLiteral("9600,N,8,1")));
    const core::DataTables &tables = side.app.Tables;
    int transactions = 0;
    for (const Target &t : all) {
        side.app.Config.ControllerGroup = static_cast<qint16>(t.group);
        core::ReadModelFile(side.app, side.ui);
        int slot = 0;
        QString name;
        core::FindModel(side.app.Catalogue, t.group, t.model, slot, name);
        ASSERT_GT(slot, 0) << t.model.toStdString();
        for (int reg = 1; reg <= core::MaxRegister; ++reg) {
            if (!side.app.Catalogue.ModelRegisters(reg, slot))
                continue;
            SCOPED_TRACE(QStringLiteral("%1 %2 group %3 register %4")
                             .arg(t.model, t.protocol)
                             .arg(t.group)
                             .arg(reg)
                             .toStdString());
            std::optional<int> current;
            if (isRoutable(tables, t, reg, 1) && !(t.group == 0 && reg >= 1028 && reg <= 1074)) {
                const auto read = side.read(t.group, t.protocol, t.address, reg);
                ++transactions;
                ASSERT_EQ(read.status, 0) << read.text.toStdString();
                current = static_cast<int>(read.value);
            }
            if (isReadOnly(tables, t, reg) || !isRoutable(tables, t, reg, 2))
                continue;
            const auto [value, expected] = valueToWrite(tables, t, reg, current.value_or(1));
            const auto write = side.write(t.group, t.protocol, t.address, reg, value);
            ++transactions;
            ASSERT_EQ(write.status, 0) << write.text.toStdString() << " value " << value;
            if (!current)
                continue; // a command register: nothing to read back
            const auto back = side.read(t.group, t.protocol, t.address, reg);
            ++transactions;
            ASSERT_EQ(back.status, 0) << back.text.toStdString();
            EXPECT_EQ(static_cast<int>(back.value), expected);
        }
    }
    EXPECT_GT(transactions, 1000);
}

} // namespace
} // namespace vanta::test
