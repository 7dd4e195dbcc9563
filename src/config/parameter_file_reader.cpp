// Loading parameter files: the checks of the five header lines against the current settings,
// then the parameter lines into the fields.
#include "config/config_model.h"
#include "config/csv_fields.h"
#include "config/parameter_file.h"
#include "core/app_error.h"
#include "core/app_state.h"
#include "core/data_file_reader.h"
#include "core/interaction.h"
#include "core/model_file.h"
#include "core/number_format.h"

#include <algorithm>
#include <cmath>

namespace vanta::config {

namespace {

struct ProtocolWord
{
    const char *word; // in the upper-cased protocol field of line 1
    const char *code;
};
constexpr ProtocolWord ProtocolWords[] = {
    {"MODBUS ASCII", "A"}, {"MODBUS RTU", "R"}, {"VANTA", "L"}};

struct InputTypeRange
{
    int low;
    int high;
};
constexpr InputTypeRange InputTypeRanges[] = {{1, 17}, {0, 17}, {0, 18}};
constexpr int MaxFileDecimalPoint = 3; // ".0000" is not taken from a file

[[noreturn]] void throwPastEnd()
{
    throw core::AppError{core::ErrorNumber::InputPastEndOfFile,
                         QStringLiteral("Input past end of file")};
}

[[noreturn]] void throwTypeMismatch()
{
    throw core::AppError{core::ErrorNumber::TypeMismatch, QStringLiteral("Type mismatch")};
}

QStringList fileLines(const QString &path)
{
    core::DataFileReader reader = core::DataFileReader::open(path);
    QStringList lines;
    while (!reader.atEnd())
        lines << reader.readLine();
    return lines;
}

double numberField(const QString &text)
{
    const std::optional<double> value = core::parseNumberText(text);
    if (!value)
        throwTypeMismatch();
    return *value;
}

bool isBlankLine(const QStringList &fields)
{
    for (const QString &field : fields) {
        if (!field.isEmpty())
            return false;
    }
    return true;
}

class Loader
{
public:
    Loader(ConfigModel &model, core::Interaction &ui, const QString &path)
        : m_model(model), m_ui(ui), m_path(path)
    {}

    bool load();
    int parameterInHand() const { return m_reg; }

private:
    QStringList headerLine(int index) const;
    QString inFile() const { return QStringLiteral(" found in parameter file >") + m_path; }
    void refuse(const QString &title, const QString &text) const;
    bool matchesSettings(const QStringList &line1) const;
    bool takeModel(const QStringList &line2);
    std::optional<qint16> setting(const QStringList &line, int low, int high, const QString &title,
                                  const QString &name) const;
    bool takeSettings();
    void applyParameterLine(const QString &line);

    ConfigModel &m_model;
    core::Interaction &m_ui;
    QString m_path;
    QStringList m_lines;
    int m_reg = 0;
};

bool Loader::load()
{
    m_lines = fileLines(m_path);
    const QStringList line1 = splitCsvLine(m_lines.value(0));
    if (!matchesSettings(line1)) {
        refuse(QStringLiteral("Invalid Controller Group and Protocol Parameter"),
               QStringLiteral("The Controller Group and/or Protocol Type setting >") +
                   line1.value(2) + inFile() +
                   QStringLiteral(" does not match your current communications settings.  This "
                                  "parameter file cannot be loaded.  To fix this click on the "
                                  "Communications Menu Option at the top and then Setup."));
        return false;
    }
    {
        const ConfigModel::SuppressEventsGuard guard(m_model);
        m_model.AddressText = line1.at(0);
        m_model.Description = line1.at(1);
    }
    if (!takeModel(headerLine(1)) || !takeSettings())
        return false;
    m_model.RampSoakAccess = core::leadingNumber(headerLine(4).value(1)) == 1;
    for (int i = 5; i < m_lines.size(); ++i)
        applyParameterLine(m_lines.at(i));
    m_model.SetupFormFields();
    m_model.ChangesPending = false;
    return true;
}

QStringList Loader::headerLine(int index) const
{
    if (index >= m_lines.size())
        throwPastEnd();
    return splitCsvLine(m_lines.at(index));
}

void Loader::refuse(const QString &title, const QString &text) const
{
    m_ui.MsgBox(text, core::MsgButtons::Ok, core::MsgIcon::Critical, title, core::MsgResult::Ok);
}

// The group is the last character of the protocol field; a line too short to hold that field
// belongs to no group.
bool Loader::matchesSettings(const QStringList &line1) const
{
    if (line1.size() < 3 || line1.at(2).isEmpty())
        return false;
    const QString &protocol = line1.at(2);
    const QChar last = protocol.back();
    if (last < QLatin1Char('0') || last > QLatin1Char('9') || last.digitValue() != m_model.group())
        return false;
    const QString upper = protocol.toUpper();
    const QString &code = m_model.app().Config.ProtocolCode;
    for (const ProtocolWord &p : ProtocolWords) {
        if (upper.contains(QLatin1String(p.word)) && code != QLatin1String(p.code))
            return false;
    }
    return true;
}

bool Loader::takeModel(const QStringList &line2)
{
    const QString id = m_model.app().RSModel ? QStringLiteral("RS") : line2.value(0);
    int slot = 0;
    QString name;
    core::FindModel(m_model.app().Catalogue, m_model.group(), id, slot, name);
    if (slot == 0) {
        refuse(QStringLiteral("Invalid Model ID"),
               QStringLiteral("The Model ID >") + id + inFile() +
                   QStringLiteral(" does not exist as a valid model ID.  This parameter file "
                                  "cannot be loaded."));
        return false;
    }
    const ConfigModel::SuppressEventsGuard guard(m_model);
    m_model.selectModel(slot);
    return true;
}

// The whole number of a "DPT" or "INP" line if it lies within low..high; otherwise the
// setting's refusal.
std::optional<qint16> Loader::setting(const QStringList &line, int low, int high,
                                      const QString &title, const QString &name) const
{
    if (line.size() < 2)
        throwPastEnd();
    const double n = numberField(line.at(1));
    if (n == std::floor(n) && n >= low && n <= high)
        return static_cast<qint16>(n);
    refuse(title, QStringLiteral("The ") + name + QStringLiteral(" setting >") + line.at(1) +
                      inFile() +
                      QStringLiteral(" is invalid.  This parameter file cannot be loaded."));
    return std::nullopt;
}

bool Loader::takeSettings()
{
    const std::optional<qint16> decimalPoint = setting(
        headerLine(2), 0, MaxFileDecimalPoint, QStringLiteral("Invalid Decimal Point Parameter"),
        QStringLiteral("Decimal Point (DPT)"));
    if (!decimalPoint)
        return false;
    m_model.DecimalPointIndex = *decimalPoint;
    const InputTypeRange range = InputTypeRanges[m_model.group()];
    const std::optional<qint16> inputType =
        setting(headerLine(3), range.low, range.high,
                QStringLiteral("Invalid Input Type Parameter"), QStringLiteral("Input Type (INP)"));
    if (!inputType)
        return false;
    m_model.InputTypeIndex = *inputType;
    return true;
}

// "register,value". Registers without a field in this group are skipped, and so is an empty
// value; trailing empty fields (as spreadsheets write them) are allowed.
void Loader::applyParameterLine(const QString &line)
{
    const QStringList fields = splitCsvLine(line);
    if (isBlankLine(fields))
        return;
    if (fields.size() < 2 || !isBlankLine(fields.mid(2)))
        throwTypeMismatch();
    const qint64 reg = core::parseRegisterText(fields.at(0));
    m_reg = static_cast<int>(std::clamp<qint64>(reg, -99999999, 99999999));
    if (!core::isRegisterNumber(reg))
        throw core::AppError{core::ErrorNumber::SubscriptOutOfRange,
                             QStringLiteral("Subscript out of range")};
    if (!m_model.hasField(m_reg) || fields.at(1).isEmpty())
        return;
    const double value = numberField(fields.at(1));
    const ConfigModel::SuppressEventsGuard guard(m_model);
    m_model.setFromFile(m_reg, value);
}

} // namespace

bool ReadParameterFile(ConfigModel &model, core::Interaction &ui, const QString &path)
{
    Loader loader(model, ui, path);
    try {
        return loader.load();
    } catch (const core::AppError &error) {
        core::reportAppError(ui, error,
                             QStringLiteral("frmConfig.ReadParameterFile, Parameter >") +
                                 model.GStr(loader.parameterInHand()) + QStringLiteral(". File >") +
                                 path);
        return false;
    }
}

} // namespace vanta::config
