// The configuration window's immediate write of the instrument address against vantasim: once
// the instrument has taken its new address and the program has adopted it, the program talks
// to the instrument there, and nothing answers at the old address.
#include "config/config_model.h"
#include "config/field_rules.h"
#include "core/address.h"
#include "sim_line.h"

namespace vanta::test {
namespace {

TEST(ImmediateWrite, AdoptedAddressReachesTheInstrument)
{
    SimulatorProcess sim("[line]\n[instrument qt]\ngroup = 1\nprotocol = R\nmodel = QT\n"
                         "address = 5\nsettings = 9600,N,8,1\nnoise = 0\n");
    ASSERT_TRUE(sim.ready());
    ApplicationSide side(sim.link(), 300);
    side.app.Config.ControllerGroup = 1;
    side.app.Config.ProtocolCode = QStringLiteral("R");
    ASSERT_TRUE(side.open(QStringLiteral("9600,N,8,1")));
    config::ConfigModel model(side.app);
    ASSERT_EQ(model.ModelId(), QStringLiteral("QT"));
    model.AddressText = QStringLiteral("005");
    ASSERT_EQ(side.read(1, "R", 5, 1794).status, 0);

    side.ui.answers = {core::MsgResult::Yes, core::MsgResult::Yes};
    model.field(4209).ListIndex = 41; // "042"
    config::FieldRules(model, side.link).listChosen(4209);

    EXPECT_EQ(side.ui.titles(), (QStringList{"Immediate Write of Controller Address",
                                             "Update Communications Address"}));
    EXPECT_EQ(model.AddressText, QStringLiteral("042"));
    const int adopted = core::ParseAddress(1, model.AddressText);
    EXPECT_EQ(side.read(1, "R", adopted, 1794).status, 0);
    EXPECT_EQ(side.read(1, "R", adopted, 4209).value, 42.0f);
    EXPECT_NE(side.read(1, "R", 5, 1794).status, 0);
}

} // namespace
} // namespace vanta::test
