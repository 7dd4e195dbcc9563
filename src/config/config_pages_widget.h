// The page set of one controller group, generated from the parameter table: every field under
// its design name (txtParameter_258, chkParameter_4501), the copy of the model's fields into the
// controls, and the user's edits back into the model.
#pragma once

#include "config/config_model.h"

#include <QObject>
#include <functional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QWidget;

namespace vanta::config {

// The controls of one parameter; those its kind does not use are null.
struct FieldControls
{
    const Parameter *parameter = nullptr;
    // lblParamLabel: the caption beside the field, or for a field whose caption follows another
    // field ("Sec."/"Min.", "Min."/"%") that caption, after the field.
    QLabel *caption = nullptr;
    QLineEdit *text = nullptr;        // txtParameter
    QLineEdit *hours = nullptr;       // txtPattHour
    QLineEdit *minutes = nullptr;     // txtPattMin
    QComboBox *list = nullptr;        // cbxParameter, or the cbxReset of a reset value
    std::vector<QWidget *> followers; // unnamed captions shown with the field
    std::vector<std::pair<int, QCheckBox *>> boxes; // bit, chkParameter
};

class ConfigPages : public QObject
{
    Q_OBJECT

public:
    // Builds tabConfig_<group> under `parent`, one page per page of the group. Edits are
    // written into `model` while it holds this group.
    ConfigPages(ConfigModel &model, int group, QWidget *parent);

    QTabWidget *tabs() const { return m_tabs; }
    // Copies every field of the model into its controls: texts, list positions, boxes,
    // visibility, and which pages are available (an unavailable page is disabled, so page
    // indices never move).
    void show();

signals:
    // The user typed into the field of `reg` or clicked one of its boxes; the model holds the
    // new state.
    void fieldEdited(int reg);
    // The user chose an entry of the list of `reg` (its cbxParameter or cbxReset); the model
    // holds the new position.
    void listChosen(int reg);
    // The focus left the number, hours or minutes field of `reg`.
    void fieldLeft(int reg);

private:
    friend class PageBuilder;
    struct SectionFrame
    {
        QGroupBox *frame;
        std::vector<std::pair<int, int>> items; // field position, bit (-1: the whole field)
    };

    bool acceptsEdits() const;
    void connectField(int position);
    void edited(int reg, const std::function<void(FieldState &)> &change,
                void (ConfigPages::*signal)(int) = &ConfigPages::fieldEdited);
    void showSections();

    ConfigModel &m_model;
    int m_group;
    QTabWidget *m_tabs = nullptr;
    std::vector<FieldControls> m_fields; // parallel to parametersOf(group)
    std::vector<SectionFrame> m_sections;
};

} // namespace vanta::config
