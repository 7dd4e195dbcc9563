// The control factories and layout helpers of the windows.
#include "ui/controls.h"

#include "ui/colours.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vanta::ui {

namespace {

template <typename Control>
Control *named(Control *control, const char *name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// Qt makes the first row current when a list without a current row takes the focus, unless
// the focus came from a mouse click (the click then chooses the row). Passing the focus on as
// if clicked keeps every other part of taking the focus.
class PickList : public QListWidget
{
public:
    using QListWidget::QListWidget;

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QFocusEvent asClicked(event->type(), Qt::MouseFocusReason);
        QListWidget::focusInEvent(&asClicked);
    }
};

QLabel *newSunkenLabel(QWidget *parent, const char *name)
{
    QLabel *label = newLabel(parent, name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

int nextFreeRow(const QGridLayout *grid)
{
    return grid->count() == 0 ? 0 : grid->rowCount();
}

} // namespace

QLabel *newLabel(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QLabel(caption, parent), name);
}

QLineEdit *newTextBox(QWidget *parent, const char *name)
{
    return named(new QLineEdit(parent), name);
}

QComboBox *newCombo(QWidget *parent, const char *name)
{
    return named(new QComboBox(parent), name);
}

QCheckBox *newCheckBox(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QCheckBox(caption, parent), name);
}

QRadioButton *newOption(QWidget *parent, const char *name, int index, const QString &caption)
{
    auto *option = new QRadioButton(caption, parent);
    option->setObjectName(QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index));
    return option;
}

QGroupBox *newFrame(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QGroupBox(caption, parent), name);
}

QPushButton *newButton(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QPushButton(caption, parent), name);
}

QListWidget *newList(QWidget *parent, const char *name)
{
    return named(new PickList(parent), name);
}

InstrumentList newInstrumentList(QWidget *parent)
{
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    QLabel *heading = newLabel(parent, "lblListHeading", QStringLiteral("Address           Name"));
    heading->setFont(courier);
    QListWidget *list = newList(parent, "lstControls");
    list->setFont(courier);
    return {heading, list};
}

QLabel *newMessageLine(QWidget *parent, const char *name)
{
    QLabel *line = newSunkenLabel(parent, name);
    line->setWordWrap(true);
    line->setMinimumHeight(line->fontMetrics().height() * 2);
    return line;
}

QLabel *newStateLabel(QWidget *parent, const char *name)
{
    QLabel *label = newSunkenLabel(parent, name);
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel *newDemoModeMark(QWidget *parent)
{
    QLabel *mark = newLabel(parent, "lblDemoMode", QStringLiteral("Demo Mode"));
    setTextColour(mark, Colours::Red);
    return mark;
}

void setFontSize(QWidget *control, int points, Weight weight)
{
    QFont font = control->font();
    font.setPointSize(points);
    font.setBold(weight == Weight::Bold);
    control->setFont(font);
}

void BoxItem::addTo(QBoxLayout *box) const
{
    if (m_widget != nullptr)
        box->addWidget(m_widget);
    else if (m_layout != nullptr)
        box->addLayout(m_layout);
    else
        box->addStretch();
}

QBoxLayout *addToBox(QBoxLayout *box, std::initializer_list<BoxItem> items)
{
    for (const BoxItem &item : items)
        item.addTo(box);
    return box;
}

QHBoxLayout *newRow(std::initializer_list<BoxItem> items)
{
    auto *row = new QHBoxLayout;
    addToBox(row, items);
    return row;
}

QVBoxLayout *newColumn(std::initializer_list<BoxItem> items)
{
    auto *column = new QVBoxLayout;
    addToBox(column, items);
    return column;
}

void addGridRows(QGridLayout *grid, std::initializer_list<std::initializer_list<QWidget *>> rows)
{
    int row = nextFreeRow(grid);
    for (const std::initializer_list<QWidget *> &controls : rows) {
        int column = 0;
        for (QWidget *control : controls)
            grid->addWidget(control, row, column++);
        ++row;
    }
}

void addFormRows(QWidget *parent, QGridLayout *grid, std::initializer_list<FormRow> rows,
                 int valueWidth)
{
    int row = nextFreeRow(grid);
    for (const FormRow &form : rows) {
        if (form.captionName != nullptr) {
            QLabel *caption = newLabel(parent, form.captionName, QString::fromUtf8(form.caption));
            grid->addWidget(caption, row, 0, Qt::AlignRight);
            if (form.captionOut != nullptr)
                *form.captionOut = caption;
        }
        QLabel *value = newLabel(parent, form.valueName);
        value->setMinimumWidth(valueWidth);
        grid->addWidget(value, row, 1);
        *form.value = value;
        ++row;
    }
}

} // namespace vanta::ui
