// The configuration model's load, header state, field access and bit boxes.
#include "config/config_model.h"

#include "core/address.h"
#include "core/app_error.h"
#include "core/app_state.h"
#include "core/model_file.h"

#include <QtGlobal>
#include <algorithm>

namespace vanta::config {

namespace {

constexpr int ModelIdLength = 2;
constexpr int ModelEntryGap = 60; // blanks between a model's name and its id in the list
constexpr int VantaLinkDefaultModel = 4;
constexpr qint16 DefaultInputType[] = {1, 0, 14};

[[noreturn]] void throwNoField()
{
    throw core::AppError{core::ErrorNumber::SubscriptOutOfRange,
                         QStringLiteral("Subscript out of range")};
}

bool isBit(int bit)
{
    return bit >= 0 && bit <= 15;
}

} // namespace

ConfigModel::ConfigModel(const core::AppState &app) : m_app(app)
{
    Load();
}

void ConfigModel::Load()
{
    {
        const SuppressEventsGuard guard(*this);
        m_group = qBound(0, int(m_app.Config.ControllerGroup), core::ControllerGroupCount - 1);
        AddressText = core::defaultAddressText(m_group == 0);
        Description.clear();
        ChangesPending = false;
        RampSoakAccess = false;
        fillModelList();
        setDefaultFields();
        DecimalPointIndex = 0;
        InputTypeIndex = DefaultInputType[m_group];
        m_decimalPointVisible = true;
        m_pageAvailable.assign(pages().size(), true);
    }
    SetupFormFields();
}

void ConfigModel::fillModelList()
{
    m_modelEntries.clear();
    m_rampSoakModelIndex = 0;
    const auto &models = m_app.Catalogue.Models[m_group];
    for (const core::ModelEntry &model : models) {
        m_modelEntries << model.ModelName + QString(ModelEntryGap, QLatin1Char(' ')) +
                              model.ModelID;
        if (model.ModelID.toUpper() == QLatin1String("RS"))
            m_rampSoakModelIndex = static_cast<qint16>(m_modelEntries.size());
    }
    const bool vantaLink = m_group == 0 && m_app.Config.ProtocolCode == QLatin1String("L");
    const int wanted = vantaLink ? VantaLinkDefaultModel : 1;
    selectModel(std::min(wanted, static_cast<int>(m_modelEntries.size())));
}

void ConfigModel::setDefaultFields()
{
    const std::vector<Parameter> &params = parameters();
    m_fields.assign(params.size(), FieldState{});
    for (std::size_t i = 0; i < params.size(); ++i)
        m_fields[i].ListIndex = params[i].defaultPosition;
}

QString ConfigModel::ModelId() const
{
    if (m_selectedModel == 0)
        return {};
    return m_modelEntries.at(m_selectedModel - 1).right(ModelIdLength).toUpper();
}

QString ConfigModel::ModelName() const
{
    if (m_selectedModel == 0)
        return {};
    const QString &entry = m_modelEntries.at(m_selectedModel - 1);
    return entry.left(entry.size() - ModelIdLength).trimmed();
}

void ConfigModel::selectModel(int position)
{
    if (position < 1 || position > m_modelEntries.size()) {
        m_selectedModel = 0;
        m_modelType.clear();
        return;
    }
    m_selectedModel = static_cast<qint16>(position);
    int slot = 0;
    QString name;
    m_modelType = core::FindModel(m_app.Catalogue, m_group, ModelId(), slot, name);
}

int ConfigModel::inputTypePosition() const
{
    return m_group == 0 ? InputTypeIndex - 1 : InputTypeIndex;
}

void ConfigModel::setInputTypePosition(int position)
{
    InputTypeIndex = static_cast<qint16>(m_group == 0 ? position + 1 : position);
}

bool ConfigModel::isPageAvailable(int page) const
{
    return page >= 0 && page < static_cast<int>(m_pageAvailable.size()) && m_pageAvailable[page];
}

int ConfigModel::fieldIndex(int reg) const
{
    const Parameter *p = findParameter(m_group, reg);
    return p ? static_cast<int>(p - parameters().data()) : -1;
}

bool ConfigModel::hasField(int reg) const
{
    return fieldIndex(reg) >= 0;
}

const Parameter &ConfigModel::parameter(int reg) const
{
    const int index = fieldIndex(reg);
    if (index < 0)
        throwNoField();
    return parameters()[index];
}

FieldState &ConfigModel::field(int reg)
{
    const int index = fieldIndex(reg);
    if (index < 0)
        throwNoField();
    return m_fields[index];
}

const FieldState &ConfigModel::field(int reg) const
{
    const int index = fieldIndex(reg);
    if (index < 0)
        throwNoField();
    return m_fields[index];
}

bool ConfigModel::isBoxChecked(int reg, int bit) const
{
    return isBit(bit) && hasField(reg) && (field(reg).Checked & (1u << bit)) != 0;
}

void ConfigModel::setBoxChecked(int reg, int bit, bool checked)
{
    if (!isBit(bit))
        throwNoField();
    FieldState &f = field(reg);
    const quint16 mask = static_cast<quint16>(1u << bit);
    f.Checked = checked ? (f.Checked | mask) : (f.Checked & ~mask);
}

bool ConfigModel::isBoxVisible(int reg, int bit) const
{
    return isBit(bit) && hasField(reg) && (field(reg).VisibleBoxes & (1u << bit)) != 0;
}

bool ConfigModel::modelHas(int reg) const
{
    const Parameter *p = findParameter(m_group, reg);
    return p && m_app.Catalogue.ModelRegisters(reg, m_selectedModel) &&
           m_app.Tables.CfgField(reg, 1) == cfgKindOf(p->kind);
}

// Bits from field table column 2 to column 3, kept within 0..15.
quint16 ConfigModel::bitRangeMask(int reg) const
{
    const int first = std::max(0, m_app.Tables.CfgField(reg, 2));
    const int last = std::min(15, m_app.Tables.CfgField(reg, 3));
    quint16 mask = 0;
    for (int b = first; b <= last; ++b)
        mask |= static_cast<quint16>(1u << b);
    return mask;
}

void ConfigModel::DistributeBits(int reg, quint16 value)
{
    if (parameter(reg).kind != ControlKind::BitBoxes)
        throwNoField();
    const quint16 range = bitRangeMask(reg);
    FieldState &f = field(reg);
    f.Checked = static_cast<quint16>((f.Checked & ~range) | (value & range));
}

qint16 ConfigModel::CompressBits(int reg) const
{
    if (parameter(reg).kind != ControlKind::BitBoxes)
        throwNoField();
    return static_cast<qint16>(field(reg).Checked & bitRangeMask(reg));
}

QString ConfigModel::GStr(int reg) const
{
    if (m_group == 0)
        return QLatin1Char(' ') + QString::number(reg);
    return QLatin1Char(' ') + core::Hex4(reg) + QLatin1Char('H');
}

} // namespace vanta::config
