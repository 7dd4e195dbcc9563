// The whole-configuration commands of vantactl.
#include "config_commands.h"

#include "config/config_comparison.h"
#include "config/config_model.h"
#include "config/configuration_read.h"
#include "config/configuration_send.h"
#include "config/parameter_file.h"
#include "core/address.h"
#include "core/console_interaction.h"
#include "core/model_file.h"

#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace vanta::tools {

namespace {

void printResult(const QString &address, bool ok, const QString &why)
{
    const QString line = ok ? address + QStringLiteral(" ok")
                            : address + QStringLiteral(" failed: ") +
                                  (why.isEmpty() ? QStringLiteral("stopped") : why);
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// A progress line that rewrites itself, only where somebody watches the terminal.
config::TransferHooks consoleHooks()
{
    if (isatty(fileno(stderr)) == 0)
        return {};
    return {[](const QString &text) {
                std::fprintf(stderr, "\r%-40s", text.toUtf8().constData());
                if (text.isEmpty())
                    std::fprintf(stderr, "\r");
                std::fflush(stderr);
            },
            {},
            {}};
}

// Selects the model of --model; false (with a message) when the group has no such model.
bool selectModel(config::ConfigModel &model, comms::CommLink &link, const Options &options)
{
    if (!options.model)
        return true;
    int slot = 0;
    QString name;
    core::FindModel(link.app.Catalogue, model.group(), *options.model, slot, name);
    if (slot == 0) {
        std::fprintf(stderr, "vantactl: no model %s in group %d\n",
                     options.model->toUtf8().constData(), model.group());
        return false;
    }
    model.selectModel(slot);
    model.SetupFormFields();
    return true;
}

// The address as the configuration window shows it; empty when it is no address.
QString addressText(int group, const QString &text)
{
    const int address = parseAddressArgument(text, group);
    if (address < 1 || address > 255)
        return {};
    return core::FormatAddress(group, address);
}

void printError(const QString &text)
{
    std::fprintf(stderr, "vantactl: %s\n", text.toUtf8().constData());
}

// The second configuration of a config-diff: the other file, or what the instrument holds.
config::ConfigComparison compareWithOther(const config::ConfigModel &model, comms::CommLink &link,
                                          core::ConsoleInteraction &ui,
                                          const Invocation &invocation)
{
    const QString &other = invocation.args.other;
    if (comparesTwoFiles(invocation))
        return config::compareWithFile(model, ui, other);
    const QString address = addressText(model.group(), other);
    if (address.isEmpty())
        return {QStringLiteral("invalid address %1").arg(other), {}};
    config::ConfigModel onScreen(model);
    onScreen.AddressText = address;
    link.app.RSModel = onScreen.ModelId() == QLatin1String("RS");
    return config::compareWithInstrument(onScreen, link, consoleHooks());
}

} // namespace

int runConfigRead(comms::CommLink &link, core::ConsoleInteraction &ui, const Invocation &invocation)
{
    config::ConfigModel model(link.app);
    const QString address = addressText(model.group(), invocation.args.address);
    if (address.isEmpty()) {
        printResult(invocation.args.address, false, QStringLiteral("invalid address"));
        return 1;
    }
    if (!selectModel(model, link, invocation.options))
        return 1;
    model.AddressText = address;
    link.app.RSModel = model.ModelId() == QLatin1String("RS");
    const int before = ui.boxCount();
    const bool read = config::ReadControllerParameters(model, link, consoleHooks()) ==
                      config::TransferResult::Completed;
    const bool saved = read && config::SaveParameterFile(model, ui, invocation.args.file);
    printResult(address, saved, ui.boxCount() > before ? ui.lastText() : QString());
    return saved ? 0 : 1;
}

int runConfigSend(comms::CommLink &link, core::ConsoleInteraction &ui, const Invocation &invocation)
{
    config::ConfigModel model(link.app);
    if (!config::ReadParameterFile(model, ui, invocation.args.file) ||
        !selectModel(model, link, invocation.options))
        return 1;
    bool allSent = true;
    for (const QString &text : invocation.args.addresses) {
        const QString address = addressText(model.group(), text);
        if (address.isEmpty()) {
            printResult(text, false, QStringLiteral("invalid address"));
            allSent = false;
            continue;
        }
        model.AddressText = address;
        link.app.RSModel = model.ModelId() == QLatin1String("RS");
        const int before = ui.boxCount();
        bool failed = true;
        (void)config::SendControllerParameters(model, link, failed, config::SendMode::Automatic,
                                               consoleHooks());
        printResult(address, !failed, ui.boxCount() > before ? ui.lastText() : QString());
        allSent = allSent && !failed;
    }
    return allSent ? 0 : 1;
}

bool comparesTwoFiles(const Invocation &invocation)
{
    return QFileInfo(invocation.args.other).isFile();
}

int runConfigDiff(comms::CommLink &link, core::ConsoleInteraction &ui, const Invocation &invocation)
{
    config::ConfigModel model(link.app);
    if (!config::ReadParameterFile(model, ui, invocation.args.file)) {
        printError(invocation.args.file + QStringLiteral(" could not be loaded"));
        return NotComparedExitStatus;
    }
    const config::ConfigComparison result = compareWithOther(model, link, ui, invocation);
    if (result.isRefused()) {
        printError(result.refusal);
        return NotComparedExitStatus;
    }
    for (const config::ParameterDifference &difference : result.differences)
        std::printf("%s\n", config::differenceLine(difference).toUtf8().constData());
    std::fflush(stdout);
    return result.isEqual() ? 0 : 1;
}

} // namespace vanta::tools
