// One controller group's part of the configuration window: its header (model list and type,
// decimal point, input type, description) above its page set.
#pragma once

#include "config/config_pages_widget.h"

#include <QStringList>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace vanta::config {

class ConfigGroupView : public QWidget
{
    Q_OBJECT

public:
    // Builds the header and pages of `group`; the controls carry the group as their index
    // (cbxModelID_1, tabConfig_1). The option lists are filled here, once.
    ConfigGroupView(ConfigModel &model, int group, QWidget *parent);

    // Copies the model (loaded for this group) into the header and the pages.
    void show();
    QTabWidget *tabs() const { return m_pages->tabs(); }
    ConfigPages &pages() { return *m_pages; }

signals:
    // The user chose list entry `index` (0-based) in a header list.
    void modelChosen(int index);
    void decimalPointChosen(int index);
    void inputTypeChosen(int index);
    void descriptionEdited(const QString &text);

private:
    QWidget *buildHeader();

    ConfigModel &m_model;
    int m_group;
    ConfigPages *m_pages = nullptr;
    QStringList m_shownModels;
    QComboBox *cbxModelID = nullptr;
    QLabel *lblModelType = nullptr;
    QLabel *lblDecimalPoint = nullptr;
    QComboBox *cbxDecimalPoint = nullptr;
    QComboBox *cbxInputType = nullptr;
    QLineEdit *txtDescription = nullptr;
};

} // namespace vanta::config
