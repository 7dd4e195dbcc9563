// Building a window's controls under their design names: one factory per kind of control, and
// box and grid helpers so that a window's layout code reads as a table of its controls.
#pragma once

#include <QString>
#include <initializer_list>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class QWidget;

namespace vanta::ui {

// Every factory creates its control as a child of `parent` with objectName `name`: the design
// name that tests, accessible ids and the handlers go by ("cmdStart").
QLabel *newLabel(QWidget *parent, const char *name, const QString &caption = {});
QLineEdit *newTextBox(QWidget *parent, const char *name);
QComboBox *newCombo(QWidget *parent, const char *name);
QCheckBox *newCheckBox(QWidget *parent, const char *name, const QString &caption);
// One option button of a control array: named "<name>_<index>" ("optMinSec_1").
QRadioButton *newOption(QWidget *parent, const char *name, int index, const QString &caption);
QGroupBox *newFrame(QWidget *parent, const char *name, const QString &caption);
QPushButton *newButton(QWidget *parent, const char *name, const QString &caption);
// A list in which only the user's click or key, or the program, makes a row current: Qt's own
// habit of making the first row current when a list without one takes the focus by keyboard or
// window activation would choose a row nobody picked.
QListWidget *newList(QWidget *parent, const char *name);
// The configured instruments as a pick list: lstControls under the heading lblListHeading
// ("Address           Name"), both in a fixed-width font so the columns line up.
struct InstrumentList
{
    QLabel *heading;
    QListWidget *list;
};
InstrumentList newInstrumentList(QWidget *parent);
// A sunken caption that wraps: the line showing the last communication failure.
QLabel *newMessageLine(QWidget *parent, const char *name);
// A sunken, centred caption whose background shows a state (STARTED green, STOPPED red).
QLabel *newStateLabel(QWidget *parent, const char *name);
// lblDemoMode: "Demo Mode" in red.
QLabel *newDemoModeMark(QWidget *parent);

// Font size in points and weight of a control's text.
enum class Weight
{
    Normal,
    Bold
};
void setFontSize(QWidget *control, int points, Weight weight);

// An item of a box layout: a control, a nested layout, or Stretch (the free space).
struct StretchItem
{};
inline constexpr StretchItem Stretch{};

class BoxItem
{
public:
    // Implicit, so that a list of items reads as the controls it holds.
    BoxItem(QWidget *widget) : m_widget(widget) {}
    BoxItem(QLayout *layout) : m_layout(layout) {}
    BoxItem(StretchItem) {}

    void addTo(QBoxLayout *box) const;

private:
    QWidget *m_widget = nullptr;
    QLayout *m_layout = nullptr;
};

// Adds `items` to `box` in order and returns `box`.
QBoxLayout *addToBox(QBoxLayout *box, std::initializer_list<BoxItem> items);
// A new horizontal row or vertical column holding `items`, for nesting in another layout.
QHBoxLayout *newRow(std::initializer_list<BoxItem> items);
QVBoxLayout *newColumn(std::initializer_list<BoxItem> items);

// Places `rows` of controls into `grid` below its last used row, one control per column.
void addGridRows(QGridLayout *grid, std::initializer_list<std::initializer_list<QWidget *>> rows);

// One row of a form: caption label `captionName` with `caption`, right-aligned in column 0, and a
// new, empty value label `valueName` in column 1, stored in `*value`. `captionOut`, when given,
// receives the caption label (captions that hide with their value). A null `captionName` leaves
// column 0 empty.
struct FormRow
{
    const char *captionName;
    const char *caption;
    const char *valueName;
    QLabel **value;
    QLabel **captionOut = nullptr;
};

// Adds `rows` below the grid's last used row, the labels as children of `parent`. Value labels
// are at least `valueWidth` pixels wide, so that the form does not jump as values change.
void addFormRows(QWidget *parent, QGridLayout *grid, std::initializer_list<FormRow> rows,
                 int valueWidth = 0);

} // namespace vanta::ui
