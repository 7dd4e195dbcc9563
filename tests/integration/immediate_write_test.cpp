// The configuration window's immediate writes of the instrument's address and serial settings
// against vantasim: once the instrument has taken the new setting and the program has adopted
// it, the program talks to the instrument that way, and the old way reaches nothing.
#include "comms/comm_port.h"
#include "config/config_model.h"
#include "config/configuration_read.h"
#include "config/field_rules.h"
#include "core/address.h"
#include "core/system_config_file.h"
#include "sim_line.h"

#include <QDir>

namespace vanta::test {
namespace {

TEST(ImmediateWrite, AdoptedSettingsReachTheInstrument)
{
    struct Case
    {
        const char *name;
        int reg;
        int position;
        const char *address;  // the address shown afterwards
        const char *settings; // the port's afterwards
    };
    const Case cases[] = {
        {"address", 4209, 41, "042", "9600,N,8,1"},
        {"baud rate", 4211, 3, "005", "19200,N,8,1"},
        {"stop bits", 4214, 0, "005", "9600,N,8,2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SimulatorProcess sim("[line]\n[instrument qt]\ngroup = 1\nprotocol = R\nmodel = QT\n"
                             "address = 5\nsettings = 9600,N,8,1\nnoise = 0\n");
        ASSERT_TRUE(sim.ready());
        QTemporaryDir folder; // the adopted settings are saved here
        const QDir data(QStringLiteral(VANTA_BIN_DIR));
        for (const QString &name : data.entryList({"*.TXT", "*.txt", "*.cfg"}, QDir::Files))
            QFile::copy(data.filePath(name), QDir(folder.path()).filePath(name));
        ApplicationSide side(sim.link(), 300, folder.path());
        side.app.Config.ControllerGroup = 1;
        side.app.Config.ProtocolCode = QStringLiteral("R");
        side.app.Config.BaudRate = 9600;
        side.app.Config.Parity = QStringLiteral("None");
        side.app.Config.DataBits = 8;
        side.app.Config.StopBits = 1;
        core::ReadModelFile(side.app, side.ui); // the register lists of group 1
        ASSERT_TRUE(side.open(QStringLiteral("9600,N,8,1")));
        config::ConfigModel model(side.app);
        model.AddressText = QStringLiteral("005");
        ASSERT_EQ(config::ReadControllerParameters(model, side.link),
                  config::TransferResult::Completed);

        side.ui.answers = {core::MsgResult::Yes, core::MsgResult::Yes};
        model.field(c.reg).ListIndex = c.position;
        config::FieldRules(model, side.link).listChosen(c.reg);

        EXPECT_EQ(side.ui.boxes.size(), 2u) << side.ui.titles().join('|').toStdString();
        EXPECT_EQ(model.AddressText, c.address);
        EXPECT_EQ(comms::portSettingsText(side.app.Config), c.settings);
        const int address = core::ParseAddress(1, model.AddressText);
        EXPECT_EQ(side.read(1, "R", address, 4209).value, float(address));
        ASSERT_TRUE(side.open(QStringLiteral("9600,N,8,1")));
        EXPECT_NE(side.read(1, "R", 5, 1794).status, 0);
        core::AppState saved(folder.path());
        core::ReadSystemConfig(saved, side.ui);
        EXPECT_EQ(comms::portSettingsText(saved.Config), c.settings);
    }
}

} // namespace
} // namespace vanta::test
