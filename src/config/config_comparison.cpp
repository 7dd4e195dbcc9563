// Comparing two configurations of one model, and a configuration with its instrument.
#include "config/config_comparison.h"

#include "config/config_model.h"
#include "config/configuration_read.h"
#include "config/parameter_file.h"
#include "config/send_rules.h"

#include <optional>

namespace vanta::config {

namespace {

bool isAcknowledgeBox(int reg)
{
    return reg >= 1028 && reg <= 1036;
}

QString entryText(OptionList list, int position)
{
    const QStringList &entries = optionEntries(list);
    if (position < 0 || position >= entries.size())
        return QString::number(position);
    return entries[position];
}

QString orEmpty(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("(empty)") : text;
}

QString modelText(const ConfigModel &model)
{
    if (model.SelectedModel() == 0)
        return QStringLiteral("no model");
    return model.ModelName() + QStringLiteral(" (") + model.ModelId() + QLatin1Char(')');
}

QString refusalOf(const ConfigModel &first, const ConfigModel &second)
{
    if (first.group() != second.group())
        return QStringLiteral("The configurations belong to controller groups %1 and %2 and "
                              "cannot be compared.")
            .arg(first.group())
            .arg(second.group());
    if (first.SelectedModel() != second.SelectedModel() || first.SelectedModel() == 0)
        return QStringLiteral("The configurations are of different models, %1 and %2, and "
                              "cannot be compared.")
            .arg(modelText(first), modelText(second));
    return {};
}

// The value a numeric field stands for, as a file keeps it; empty for an empty field.
std::optional<double> numberOf(const ConfigModel &model, int reg)
{
    const std::optional<QString> text = model.fileValueText(reg);
    if (!text)
        return std::nullopt;
    return text->toDouble();
}

QString shownValue(const ConfigModel &model, const Parameter &p)
{
    const FieldState &f = model.field(p.reg);
    switch (p.kind) {
    case ControlKind::TextField:
        return orEmpty(f.Text);
    case ControlKind::ResetValue:
        return orEmpty(f.Text) + QStringLiteral(" (") +
               entryText(OptionList::ResetKind, f.ListIndex) + QLatin1Char(')');
    case ControlKind::HoursMinutes:
        return orEmpty(f.Hours) + QLatin1Char(':') + orEmpty(f.Minutes);
    case ControlKind::List:
        return entryText(p.list, f.ListIndex);
    case ControlKind::BitBoxes:
        break;
    }
    return {};
}

QString boxText(const ConfigModel &model, int reg, int bit)
{
    return model.isBoxChecked(reg, bit) ? QStringLiteral("checked") : QStringLiteral("not checked");
}

// The ramp/soak pattern fields have no caption of their own beside them: their pattern's
// heading tells them apart.
QString fieldCaption(const Parameter &p)
{
    if (p.labelled || p.section.isEmpty())
        return p.caption;
    return p.section + QLatin1Char(' ') + p.caption;
}

QString boxCaption(const Parameter &p, const BitBox &box)
{
    if (p.boxes.size() == 1 || box.caption == p.caption)
        return box.caption;
    return p.caption + QStringLiteral(": ") + box.caption;
}

class Comparer
{
public:
    Comparer(const ConfigModel &first, const ConfigModel &second) : m_first(first), m_second(second)
    {}

    std::vector<ParameterDifference> run();

private:
    void compareHeader();
    void compareField(const Parameter &p);
    void compareBoxes(const Parameter &p);
    bool isSentByEither(int reg) const;
    void add(int reg, int bit, const QString &caption, const QString &first, const QString &second);

    const ConfigModel &m_first;
    const ConfigModel &m_second;
    std::vector<ParameterDifference> m_differences;
};

std::vector<ParameterDifference> Comparer::run()
{
    compareHeader();
    for (const int reg : modelParameters(m_first)) {
        if (isLeftOutOfComparison(m_first.group(), reg) || !isSentByEither(reg))
            continue;
        const Parameter &p = m_first.parameter(reg);
        if (p.kind == ControlKind::BitBoxes)
            compareBoxes(p);
        else
            compareField(p);
    }
    return m_differences;
}

void Comparer::compareHeader()
{
    const int group = m_first.group();
    if (m_first.inputTypePosition() != m_second.inputTypePosition())
        add(InputTypeRegister, -1, QStringLiteral("Input Type"),
            entryText(inputTypeList(group), m_first.inputTypePosition()),
            entryText(inputTypeList(group), m_second.inputTypePosition()));
    const bool decimalPointSent = sendsDecimalPoint(m_first) || sendsDecimalPoint(m_second);
    if (decimalPointSent && m_first.DecimalPointIndex != m_second.DecimalPointIndex)
        add(DecimalPointRegister, -1, QStringLiteral("Decimal Point"),
            entryText(decimalPointList(group), m_first.DecimalPointIndex),
            entryText(decimalPointList(group), m_second.DecimalPointIndex));
}

bool Comparer::isSentByEither(int reg) const
{
    return plannedWrite(m_first, reg).has_value() || plannedWrite(m_second, reg).has_value();
}

void Comparer::compareField(const Parameter &p)
{
    const bool same = p.kind == ControlKind::List
                          ? m_first.field(p.reg).ListIndex == m_second.field(p.reg).ListIndex
                          : numberOf(m_first, p.reg) == numberOf(m_second, p.reg);
    if (!same)
        add(p.reg, -1, fieldCaption(p), shownValue(m_first, p), shownValue(m_second, p));
}

// Only the boxes either configuration shows: a hidden box is no setting the user made.
void Comparer::compareBoxes(const Parameter &p)
{
    for (const BitBox &box : p.boxes) {
        const bool shown =
            m_first.isBoxVisible(p.reg, box.bit) || m_second.isBoxVisible(p.reg, box.bit);
        if (!shown || m_first.isBoxChecked(p.reg, box.bit) == m_second.isBoxChecked(p.reg, box.bit))
            continue;
        add(p.reg, box.bit, boxCaption(p, box), boxText(m_first, p.reg, box.bit),
            boxText(m_second, p.reg, box.bit));
    }
}

void Comparer::add(int reg, int bit, const QString &caption, const QString &first,
                   const QString &second)
{
    QString registerText = m_first.GStr(reg).trimmed();
    if (bit >= 0)
        registerText += QStringLiteral(" bit ") + QString::number(bit);
    m_differences.push_back({reg, bit, registerText, caption, first, second});
}

} // namespace

bool isLeftOutOfComparison(int group, int reg)
{
    if (group == 1)
        return reg >= 4209 && reg <= 4214;
    if (group == 0)
        return reg == OutputHardwareRegisters[0] || reg == OutputHardwareRegisters[1] ||
               isAcknowledgeBox(reg);
    return false;
}

ConfigComparison compareConfigurations(const ConfigModel &first, const ConfigModel &second)
{
    ConfigComparison result;
    result.refusal = refusalOf(first, second);
    if (!result.isRefused())
        result.differences = Comparer(first, second).run();
    return result;
}

ConfigComparison compareWithInstrument(const ConfigModel &model, comms::CommLink &link,
                                       const TransferHooks &hooks)
{
    ConfigModel instrument(model);
    if (ReadControllerParameters(instrument, link, hooks) != TransferResult::Completed)
        return {QStringLiteral("The configuration of the instrument at address %1 could not be "
                               "read, so it was not compared.")
                    .arg(model.AddressText),
                {},
                /*toldAlready=*/true};
    return compareConfigurations(model, instrument);
}

ConfigComparison compareWithFile(const ConfigModel &model, core::Interaction &ui,
                                 const QString &path)
{
    ConfigModel file(model.app());
    if (!ReadParameterFile(file, ui, path))
        return {
            QStringLiteral("The file %1 could not be loaded, so it was not compared.").arg(path),
            {},
            /*toldAlready=*/true};
    return compareConfigurations(model, file);
}

std::optional<FileComparison> compareWithFileDialog(const ConfigModel &model, core::Interaction &ui)
{
    const std::optional<QString> path = ui.openFileDialog(
        openFileRequest(model, QStringLiteral("Compare with Instrument Configuration File")));
    if (!path || path->isEmpty())
        return std::nullopt;
    return FileComparison{*path, compareWithFile(model, ui, *path)};
}

QString differenceLine(const ParameterDifference &difference)
{
    return difference.registerText + QLatin1Char('\t') + difference.caption + QLatin1Char('\t') +
           difference.first + QLatin1Char('\t') + difference.second;
}

} // namespace vanta::config
