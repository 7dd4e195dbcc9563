// Saving parameter files, the two file dialogs and the question about unsaved changes.
#include "config/parameter_file.h"

#include "config/config_model.h"
#include "config/csv_fields.h"
#include "core/address.h"
#include "core/app_error.h"
#include "core/app_state.h"
#include "core/file_path.h"
#include "core/interaction.h"
#include "core/safe_file.h"

#include <algorithm>
#include <vector>

namespace vanta::config {

namespace {

const QString FileFilter = QStringLiteral("Configuration Files (*.csv)|*.csv");

QString protocolName(const QString &code)
{
    if (code == QLatin1String("L"))
        return QStringLiteral("Vanta Link");
    if (code == QLatin1String("A"))
        return QStringLiteral("Modbus ASCII");
    return QStringLiteral("Modbus RTU");
}

QString quotedLine(const QStringList &texts)
{
    QStringList fields;
    for (const QString &text : texts)
        fields << quotedCsvField(text);
    return fields.join(QLatin1Char(','));
}

QString registerField(int group, int reg)
{
    if (group == 0)
        return QString::number(reg);
    return core::Hex4(reg) + QLatin1Char('H');
}

QStringList headerLines(const ConfigModel &model)
{
    const core::AppState &app = model.app();
    const QString protocol =
        protocolName(app.Config.ProtocolCode) + QLatin1Char('-') + QString::number(model.group());
    const bool rampSoakMarker = app.RSModel && model.RampSoakAccess;
    return {
        quotedLine({model.AddressText, model.Description, protocol}),
        quotedLine({model.ModelId(), model.ModelName() + QLatin1Char(' ') + model.ModelType()}),
        quotedCsvField(QStringLiteral("DPT")) + QLatin1Char(',') +
            QString::number(model.DecimalPointIndex),
        quotedCsvField(QStringLiteral("INP")) + QLatin1Char(',') +
            QString::number(model.InputTypeIndex),
        quotedLine({QStringLiteral("Register"),
                    rampSoakMarker ? QStringLiteral("1Parameter") : QStringLiteral("Parameter")}),
    };
}

// One line per parameter of the selected model, in ascending register order.
QStringList parameterLines(const ConfigModel &model)
{
    std::vector<int> registers;
    for (const Parameter &p : model.parameters()) {
        if (model.modelHas(p.reg))
            registers.push_back(p.reg);
    }
    std::sort(registers.begin(), registers.end());
    QStringList lines;
    for (int reg : registers) {
        if (const std::optional<QString> value = model.fileValueText(reg))
            lines << registerField(model.group(), reg) + QLatin1Char(',') + *value;
    }
    return lines;
}

using FileRoutine = bool (*)(ConfigModel &, core::Interaction &, const QString &);

// The file routine for the path a dialog gave; nothing at all when it was cancelled.
FileCommand carryOut(ConfigModel &model, core::Interaction &ui, const std::optional<QString> &path,
                     FileRoutine routine)
{
    if (!path || path->isEmpty())
        return FileCommand::Cancelled;
    model.LastConfigFile = *path;
    return routine(model, ui, *path) ? FileCommand::Done : FileCommand::Failed;
}

} // namespace

bool SaveParameterFile(ConfigModel &model, core::Interaction &ui, const QString &path)
{
    try {
        core::writeFileReplacing(path,
                                 core::latin1Lines(headerLines(model) + parameterLines(model)));
    } catch (const core::AppError &error) {
        core::reportAppError(ui, error,
                             QStringLiteral("frmConfig.SaveParameterFile, Parameter >") +
                                 model.GStr(0) + QStringLiteral(". File >") + path);
        return false;
    }
    model.ChangesPending = false;
    return true;
}

FileCommand saveWithDialog(ConfigModel &model, core::Interaction &ui)
{
    core::FileDialogRequest request;
    request.title = QStringLiteral("Save Instrument Configuration File");
    request.filter = FileFilter;
    request.initialFolder = core::FilePath(model.app().programFolder(), model.LastConfigFile);
    request.fileName = core::NameOfFile(model.LastConfigFile);
    request.confirmOverwrite = true;
    return carryOut(model, ui, ui.saveFileDialog(request), SaveParameterFile);
}

core::FileDialogRequest openFileRequest(const ConfigModel &model, const QString &title)
{
    core::FileDialogRequest request;
    request.title = title;
    request.filter = FileFilter;
    request.initialFolder = model.LastConfigFile.isEmpty()
                                ? model.app().programFolder()
                                : core::FilePath(model.app().programFolder(), model.LastConfigFile);
    request.fileMustExist = true;
    return request;
}

FileCommand readWithDialog(ConfigModel &model, core::Interaction &ui)
{
    const core::FileDialogRequest request =
        openFileRequest(model, QStringLiteral("Read Instrument Configuration File"));
    return carryOut(model, ui, ui.openFileDialog(request), ReadParameterFile);
}

Leaving AskIfDiscardChanges(ConfigModel &model, core::Interaction &ui)
{
    if (!model.ChangesPending)
        return Leaving::Proceed;
    const core::MsgResult answer = ui.MsgBox(
        QStringLiteral("Changes were made to a configuration that has not been saved to a file.  "
                       "Do you want to save the changes ?"),
        core::MsgButtons::YesNoCancel, core::MsgIcon::Question, QStringLiteral("Changes Not Saved"),
        core::MsgResult::Cancel);
    switch (answer) {
    case core::MsgResult::Yes:
        return saveWithDialog(model, ui) == FileCommand::Done ? Leaving::Proceed : Leaving::Stay;
    case core::MsgResult::No:
        model.ChangesPending = false;
        return Leaving::Proceed;
    default:
        return Leaving::Stay;
    }
}

} // namespace vanta::config
