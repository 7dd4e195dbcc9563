// Copying the model's fields into a group's controls, and the user's edits back into the model.
// Only user signals (textEdited, activated, clicked) carry edits, so the program's own filling
// of the controls never counts as a change.
#include "config/config_pages_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace vanta::config {

namespace {

void setTextIfChanged(QLineEdit *edit, const QString &text)
{
    if (edit != nullptr && edit->text() != text)
        edit->setText(text);
}

bool isBitSet(quint16 bits, int bit)
{
    return ((bits >> bit) & 1u) != 0;
}

bool isItemVisible(const FieldState &f, int bit)
{
    return bit < 0 ? f.Visible : isBitSet(f.VisibleBoxes, bit);
}

void showField(const FieldControls &c, const FieldState &f)
{
    setTextIfChanged(c.text, f.Text);
    setTextIfChanged(c.hours, f.Hours);
    setTextIfChanged(c.minutes, f.Minutes);
    if (c.list != nullptr)
        c.list->setCurrentIndex(f.ListIndex);
    if (c.caption != nullptr && c.parameter->unit != UnitCaption::None)
        c.caption->setText(f.UnitText);
    for (const auto &[bit, box] : c.boxes) {
        box->setChecked(isBitSet(f.Checked, bit));
        box->setVisible(isBitSet(f.VisibleBoxes, bit));
    }
    for (QWidget *control : {static_cast<QWidget *>(c.caption), static_cast<QWidget *>(c.text),
                             static_cast<QWidget *>(c.hours), static_cast<QWidget *>(c.minutes),
                             static_cast<QWidget *>(c.list)}) {
        if (control != nullptr)
            control->setVisible(f.Visible);
    }
    for (QWidget *follower : c.followers)
        follower->setVisible(f.Visible);
}

void setBit(quint16 &bits, int bit, bool set)
{
    const auto mask = static_cast<quint16>(1u << bit);
    bits = set ? static_cast<quint16>(bits | mask) : static_cast<quint16>(bits & ~mask);
}

} // namespace

void ConfigPages::show()
{
    if (m_model.group() != m_group)
        return;
    const ConfigModel::SuppressEventsGuard quiet(m_model);
    const std::vector<Parameter> &params = parametersOf(m_group);
    for (std::size_t i = 0; i < params.size(); ++i) {
        if (m_fields[i].parameter != nullptr)
            showField(m_fields[i], m_model.field(params[i].reg));
    }
    showSections();
    for (int page = 0; page < m_tabs->count(); ++page)
        m_tabs->setTabEnabled(page, m_model.isPageAvailable(page));
}

// A frame shows while any of its controls does.
void ConfigPages::showSections()
{
    const std::vector<Parameter> &params = parametersOf(m_group);
    for (const SectionFrame &section : m_sections) {
        bool visible = false;
        for (const auto &[position, bit] : section.items)
            visible = visible || isItemVisible(m_model.field(params[position].reg), bit);
        section.frame->setVisible(visible);
    }
}

bool ConfigPages::acceptsEdits() const
{
    return m_model.group() == m_group && !m_model.SuppressEvents();
}

void ConfigPages::edited(int reg, const std::function<void(FieldState &)> &change,
                         void (ConfigPages::*signal)(int))
{
    if (!acceptsEdits())
        return;
    change(m_model.field(reg));
    emit(this->*signal)(reg);
}

void ConfigPages::connectField(int position)
{
    const FieldControls &c = m_fields[position];
    if (c.parameter == nullptr)
        return;
    const int reg = c.parameter->reg;
    const auto connectText = [this, reg](QLineEdit *edit, QString FieldState::*text) {
        if (edit == nullptr)
            return;
        connect(edit, &QLineEdit::textEdited, this, [this, reg, text](const QString &typed) {
            edited(reg, [&typed, text](FieldState &f) { f.*text = typed; });
        });
        connect(edit, &QLineEdit::editingFinished, this, [this, reg] {
            if (acceptsEdits())
                emit fieldLeft(reg);
        });
    };
    connectText(c.text, &FieldState::Text);
    connectText(c.hours, &FieldState::Hours);
    connectText(c.minutes, &FieldState::Minutes);
    if (c.list != nullptr) {
        connect(c.list, &QComboBox::activated, this, [this, reg](int index) {
            edited(
                reg, [index](FieldState &f) { f.ListIndex = index; }, &ConfigPages::listChosen);
        });
    }
    for (const auto &[bit, box] : c.boxes) {
        connect(box, &QCheckBox::clicked, this, [this, reg, bit = bit](bool checked) {
            edited(reg, [bit, checked](FieldState &f) { setBit(f.Checked, bit, checked); });
        });
    }
}

} // namespace vanta::config
