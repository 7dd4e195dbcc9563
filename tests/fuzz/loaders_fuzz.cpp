// Feeds arbitrary bytes to each data and settings file loader as its file's content: the first
// byte picks the loader, the rest is the file. Every message box is answered with its default
// button; a file with many bad rows must still raise only a handful of boxes.
#include "core/app_state.h"
#include "core/comm_ports.h"
#include "core/model_file.h"
#include "core/system_config_file.h"
#include "core/table_files.h"
#include "support/scripted_interaction.h"
#include "support/temp_program_folder.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

using namespace vanta::core;

namespace {

using Loader = void (*)(AppState &, Interaction &);

struct Target
{
    const char *fileName;
    Loader read;
    int group; // controller group while the file is read
};

template <int Group>
void readRegisterFile(AppState &app, Interaction &ui)
{
    ReadModelRegisters(app, ui, Group, QStringLiteral("Z9"), 1);
}

// The port mapping has no reports: it must only never crash and name some device.
void readPortMapping(AppState &app, Interaction &)
{
    for (int port = 1; port <= 3; ++port) {
        if (devicePathForPort(app.programFolder(), port).isEmpty())
            __builtin_trap();
    }
}

const Target Targets[] = {
    {"ModelID.txt", ReadModelFile, 0},     {"ModelID.txt", ReadModelFile, 1},
    {"Z9.TXT", readRegisterFile<0>, 0},    {"Z9.TXT", readRegisterFile<1>, 1},
    {"CfgField.TXT", ReadCfgFieldFile, 0}, {"VantaXref.TXT", ReadVantaXrefFile, 0},
    {"xxKXref.TXT", ReadxxKXrefFile, 0},   {"xxWXref.TXT", ReadxxWXrefFile, 0},
    {"Password.txt", ReadPasswordFile, 0}, {"VantaLnk3.cfg", ReadSystemConfig, 0},
    {"CommPorts.txt", readPortMapping, 0},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const Target &target = Targets[data[0] % std::size(Targets)];
    const QByteArray content(reinterpret_cast<const char *>(data + 1),
                             static_cast<qsizetype>(size - 1));

    const vanta::test::TempProgramFolder folder;
    folder.writeRaw(target.fileName, content);
    // The model file's models of the current group read this register file.
    folder.writeRaw(QStringLiteral("Z9.TXT"), content);
    AppState app(folder.path());
    app.Config.ControllerGroup = static_cast<qint16>(target.group);
    vanta::test::ScriptedInteraction ui;
    target.read(app, ui);
    // A table: five row messages, one summary, one file error report. The model file: one box
    // for each of up to 15 register files, and its own error or "Too Many Model ID's".
    if (ui.boxes.size() > 16)
        __builtin_trap();
    return 0;
}
