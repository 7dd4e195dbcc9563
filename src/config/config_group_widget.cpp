// A controller group's header and pages.
#include "config/config_group_widget.h"

#include "ui/controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vanta::config {

namespace {

constexpr int ModelNameChars = 24; // the model list shows the name; the id sits beyond it
constexpr int HeaderListChars = 20;

// The design's header controls are arrays indexed by the controller group.
QByteArray indexed(const char *name, int group)
{
    return QByteArray(name) + '_' + QByteArray::number(group);
}

QComboBox *newHeaderList(QWidget *parent, const char *name, int group, int chars)
{
    QComboBox *list = ui::newCombo(parent, indexed(name, group).constData());
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(chars);
    list->setMaxVisibleItems(20);
    return list;
}

QLabel *newHeaderLabel(QWidget *parent, const char *name, int group, const QString &caption)
{
    return ui::newLabel(parent, indexed(name, group).constData(), caption);
}

} // namespace

ConfigGroupView::ConfigGroupView(ConfigModel &model, int group, QWidget *parent)
    : QWidget(parent), m_model(model), m_group(group)
{
    setObjectName(QString::fromLatin1(indexed("fraGroup", group)));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildHeader());
    m_pages = new ConfigPages(model, group, this);
    layout->addWidget(m_pages->tabs(), 1);
}

QWidget *ConfigGroupView::buildHeader()
{
    auto *header = new QWidget(this);
    const int g = m_group;
    cbxModelID = newHeaderList(header, "cbxModelID", g, ModelNameChars);
    lblModelType = newHeaderLabel(header, "lblModelType", g, {});
    lblDecimalPoint =
        newHeaderLabel(header, "lblDecimalPoint", g, QStringLiteral("Decimal Point:"));
    cbxDecimalPoint = newHeaderList(header, "cbxDecimalPoint", g, 6);
    cbxDecimalPoint->addItems(optionEntries(decimalPointList(g)));
    cbxInputType = newHeaderList(header, "cbxInputType", g, HeaderListChars);
    cbxInputType->addItems(optionEntries(inputTypeList(g)));
    txtDescription = ui::newTextBox(header, indexed("txtDescription", g).constData());

    auto *grid = new QGridLayout(header);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(newHeaderLabel(header, "lblModelID", g, QStringLiteral("Model:")), 0, 0);
    grid->addWidget(cbxModelID, 0, 1);
    grid->addWidget(lblModelType, 0, 2, 1, 3);
    grid->addWidget(lblDecimalPoint, 1, 0);
    grid->addWidget(cbxDecimalPoint, 1, 1, Qt::AlignLeft);
    grid->addWidget(newHeaderLabel(header, "lblInputType", g, QStringLiteral("Input Type:")), 1, 2);
    grid->addWidget(cbxInputType, 1, 3, Qt::AlignLeft);
    grid->addWidget(newHeaderLabel(header, "lblDescription", g, QStringLiteral("Description:")), 2,
                    0);
    grid->addWidget(txtDescription, 2, 1, 1, 4);
    grid->setColumnStretch(4, 1);

    connect(cbxModelID, &QComboBox::activated, this, &ConfigGroupView::modelChosen);
    connect(cbxDecimalPoint, &QComboBox::activated, this, &ConfigGroupView::decimalPointChosen);
    connect(cbxInputType, &QComboBox::activated, this, &ConfigGroupView::inputTypeChosen);
    connect(txtDescription, &QLineEdit::textEdited, this, &ConfigGroupView::descriptionEdited);
    return header;
}

void ConfigGroupView::show()
{
    if (m_model.group() != m_group)
        return;
    if (m_shownModels != m_model.ModelEntries()) {
        m_shownModels = m_model.ModelEntries();
        cbxModelID->clear();
        cbxModelID->addItems(m_shownModels);
    }
    cbxModelID->setCurrentIndex(m_model.SelectedModel() - 1);
    lblModelType->setText(m_model.ModelType());
    cbxDecimalPoint->setCurrentIndex(m_model.DecimalPointIndex);
    lblDecimalPoint->setVisible(m_model.isDecimalPointVisible());
    cbxDecimalPoint->setVisible(m_model.isDecimalPointVisible());
    cbxInputType->setCurrentIndex(m_model.inputTypePosition());
    if (txtDescription->text() != m_model.Description)
        txtDescription->setText(m_model.Description);
    m_pages->show();
}

} // namespace vanta::config
