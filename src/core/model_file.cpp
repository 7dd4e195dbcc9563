// Reading the model file and the model register files, and finding a model by its id.
#include "core/model_file.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "core/data_file_reader.h"
#include "core/interaction.h"
#include "core/model_catalogue.h"

#include <QDir>
#include <cmath>

namespace vanta::core {

namespace {
// The id of an instrument that reports "9" followed by a zero byte, and the id it stands for.
constexpr double NineAndZeroByte = 14592;
constexpr double Z9 = 23097;

// A model id becomes a file name; it must not lead out of the program folder.
bool isPlainFileName(const QString &id)
{
    if (id.isEmpty())
        return false;
    return std::none_of(id.begin(), id.end(), [](QChar c) {
        return c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') ||
               c.unicode() < 0x20;
    });
}

void showTooManyModels(Interaction &ui, const QString &fileName)
{
    ui.MsgBox(QStringLiteral("There are too many model ID's in the file ") + fileName +
                  QStringLiteral(".  The remaining model ID's will be ignored."),
              MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Too Many Model ID's"),
              MsgResult::Ok);
}

void clearCatalogue(ModelCatalogue &catalogue)
{
    for (std::vector<ModelEntry> &models : catalogue.Models)
        models.clear();
    for (int slot = 0; slot <= MaxModelsPerGroup; ++slot)
        catalogue.clearModelRegisters(slot);
}
} // namespace

void ReadModelFile(AppState &app, Interaction &ui)
{
    app.ModelFileName =
        app.ProductMode ? QStringLiteral("ModelID-1.txt") : QStringLiteral("ModelID.txt");
    clearCatalogue(app.Catalogue);
    try {
        DataFileReader file =
            DataFileReader::open(resolveDataFile(app.programFolder(), app.ModelFileName));
        file.skipLines(DataFileHeaderLines);
        while (!file.atEnd()) {
            ModelEntry entry;
            entry.ModelID = file.readValue();
            entry.ModelName = file.readValue();
            entry.ModelType = file.readValue();
            const int group = file.readInt16();
            if (group < 0 || group >= ControllerGroupCount)
                continue;
            std::vector<ModelEntry> &models = app.Catalogue.Models[group];
            if (models.size() >= MaxModelsPerGroup) {
                showTooManyModels(ui, app.ModelFileName);
                return;
            }
            models.push_back(entry);
            if (group == app.Config.ControllerGroup)
                ReadModelRegisters(app, ui, group, entry.ModelID, static_cast<int>(models.size()));
        }
    } catch (const AppError &error) {
        reportFileReadError(ui, error, app.ModelFileName, QStringLiteral("modVanta.ReadModelFile"));
    }
}

void ReadModelRegisters(AppState &app, Interaction &ui, int Group, const QString &ModelId, int Slot)
{
    const QString fileName = ModelId + QStringLiteral(".TXT");
    app.Catalogue.clearModelRegisters(Slot);
    try {
        if (!isPlainFileName(ModelId))
            throw AppError{ErrorNumber::PathFileAccessError,
                           QStringLiteral("Path/File access error")};
        const QString path = resolveDataFile(app.programFolder(), fileName);
        DataFileReader file = DataFileReader::open(path);
        file.skipLines(DataFileHeaderLines);
        const NumberBase base = Group == 0 ? NumberBase::Decimal : NumberBase::Hexadecimal;
        while (!file.atEnd()) {
            const qint64 reg = parseWholeNumber(file.readValue(), base);
            if (!isRegisterNumber(reg)) {
                showInvalidRegister(
                    ui, reg, QDir::toNativeSeparators(path),
                    QStringLiteral("is invalid.  This model will perform proper configuration."));
                return;
            }
            app.Catalogue.setModelRegister(static_cast<int>(reg), Slot, true);
        }
    } catch (const AppError &error) {
        reportFileReadError(ui, error, fileName, QStringLiteral("modVanta.ReadModelRegisters."));
    }
}

QString modelIdFromValue(double ModelValue)
{
    const double value = ModelValue == NineAndZeroByte ? Z9 : ModelValue;
    const double magnitude = std::fabs(value);
    if (value == 0 || !(magnitude < 65536)) // also NaN
        return QStringLiteral("XX");
    const auto first = static_cast<char16_t>(magnitude / 256);
    const auto second = static_cast<char16_t>(static_cast<int>(std::nearbyint(magnitude)) & 255);
    return QString(QChar(first)) + QChar(second);
}

void LookUpModel(const ModelCatalogue &catalogue, int Group, double ModelValue,
                 QString &ModelIdText, QString &ModelType, int &Slot, QString &ModelName)
{
    ModelIdText = modelIdFromValue(ModelValue);
    ModelType = FindModel(catalogue, Group, ModelIdText, Slot, ModelName);
}

QString FindModel(const ModelCatalogue &catalogue, int Group, const QString &ModelIdText, int &Slot,
                  QString &ModelName)
{
    Slot = 0;
    ModelName = QStringLiteral("Unavailable");
    for (int m = 1; m <= catalogue.ModelCount(Group); ++m) {
        const ModelEntry &model = catalogue.Models[Group][m - 1];
        if (model.ModelID.toUpper() == ModelIdText.toUpper()) {
            Slot = m;
            ModelName = model.ModelName;
            return model.ModelType;
        }
    }
    return QStringLiteral("Unknown Model Type");
}

} // namespace vanta::core
