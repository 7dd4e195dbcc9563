// One monitor row's controls.
#include "monitor/monitor_row_widget.h"

#include "ui/colours.h"
#include "ui/controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace vanta::monitor {

namespace {

constexpr int ShapeSize = 14;

// A control array member: the design name and the row index.
QByteArray indexed(const char *name, int index)
{
    return QByteArray(name) + '_' + QByteArray::number(index);
}

QLabel *newShape(QWidget *parent, const char *name, int index)
{
    QLabel *shape = ui::newLabel(parent, indexed(name, index).constData());
    shape->setFixedSize(ShapeSize, ShapeSize);
    shape->setFrameShape(QFrame::Box);
    ui::setFillColour(shape, ui::buttonFace());
    return shape;
}

QLabel *newValue(QWidget *parent, const char *name, int index, int width)
{
    QLabel *label = ui::newLabel(parent, indexed(name, index).constData());
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(width);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QPushButton *newRampButton(QWidget *parent, const char *name, int index, const char *caption)
{
    QPushButton *button =
        ui::newButton(parent, indexed(name, index).constData(), QString::fromLatin1(caption));
    button->setAutoDefault(false);
    button->setFixedWidth(36);
    button->hide();
    return button;
}

QColor pollColour(PollLight light)
{
    switch (light) {
    case PollLight::Polling:
        return ui::Colours::Green;
    case PollLight::Failed:
        return ui::Colours::Red;
    case PollLight::ButtonFace:
        break;
    }
    return ui::buttonFace();
}

QColor rampColour(RampLight light)
{
    switch (light) {
    case RampLight::Running:
        return ui::Colours::Green;
    case RampLight::Held:
        return ui::Colours::Yellow;
    case RampLight::Off:
        break;
    }
    return ui::buttonFace();
}

QColor editColour(EditState state)
{
    switch (state) {
    case EditState::Typed:
        return ui::Colours::Yellow;
    case EditState::Sent:
        return ui::Colours::Green;
    case EditState::Failed:
        return ui::Colours::Red;
    case EditState::Shown:
        break;
    }
    return ui::Colours::White;
}

void showAlarm(QLabel *label, const QString &text)
{
    label->setText(text);
    ui::setFillColour(label, text == QLatin1String("ON") ? ui::Colours::Red : ui::buttonFace());
}

} // namespace

MonitorRowControls::MonitorRowControls(QWidget *parent, QGridLayout *grid, int index)
    : cbxControl(ui::newCombo(parent, indexed("cbxControl", index).constData())),
      shpPoll(newShape(parent, "shpPoll", index)),
      lblTempText(newValue(parent, "lblTempText", index, 90)),
      txtSVText(ui::newTextBox(parent, indexed("txtSVText", index).constData())),
      lblAlm1StatText(newValue(parent, "lblAlm1StatText", index, 36)),
      lblAlm2StatText(newValue(parent, "lblAlm2StatText", index, 36)),
      cmdRampCfg(newRampButton(parent, "cmdRampCfg", index, "Cfg")),
      cmdRampOn(newRampButton(parent, "cmdRampOn", index, "On")),
      cmdRampHold(newRampButton(parent, "cmdRampHold", index, "Hld")),
      cmdRampOff(newRampButton(parent, "cmdRampOff", index, "Off")),
      shpRampSoak(newShape(parent, "shpRampSoak", index))
{
    cbxControl->setMinimumWidth(220);
    txtSVText->setFixedWidth(90);
    shpRampSoak->hide();
    const int line = index + 1;
    int column = 0;
    for (QWidget *control : std::initializer_list<QWidget *>{
             shpPoll, cbxControl, lblTempText, txtSVText, lblAlm1StatText, lblAlm2StatText,
             cmdRampCfg, cmdRampOn, cmdRampHold, cmdRampOff, shpRampSoak})
        grid->addWidget(control, line, column++);
}

void MonitorRowControls::setEntries(const QStringList &entries, const QString &current)
{
    const QSignalBlocker quiet(cbxControl);
    cbxControl->clear();
    cbxControl->addItems(entries);
    cbxControl->setCurrentIndex(static_cast<int>(entries.indexOf(current)));
    ui::setFillColour(shpPoll, ui::buttonFace());
}

void MonitorRowControls::show(const MonitorRow &row)
{
    {
        const QSignalBlocker quiet(cbxControl);
        cbxControl->setCurrentIndex(cbxControl->findText(row.Text));
    }
    cbxControl->setToolTip(row.Text + QLatin1Char('\n') + row.Health.text());
    showPolling(row);
    lblTempText->setText(row.TempText);
    showEditField(txtSVText, row.SVText, row.SVState);
    showAlarm(lblAlm1StatText, row.Alm1StatText);
    showAlarm(lblAlm2StatText, row.Alm2StatText);
    for (QWidget *control :
         {static_cast<QWidget *>(cmdRampCfg), static_cast<QWidget *>(cmdRampOn),
          static_cast<QWidget *>(cmdRampHold), static_cast<QWidget *>(cmdRampOff),
          static_cast<QWidget *>(shpRampSoak)})
        control->setVisible(row.RampVisible);
    ui::setFillColour(shpRampSoak, rampColour(row.Ramp));
}

void MonitorRowControls::showPolling(const MonitorRow &row)
{
    ui::setFillColour(shpPoll, pollColour(row.Poll));
    shpPoll->repaint();
}

void showEditField(QLineEdit *field, const QString &text, EditState state)
{
    // The text being typed is the model's already: setting it again would move the cursor.
    if (field->text() != text) {
        const QSignalBlocker quiet(field);
        field->setText(text);
    }
    ui::setFieldColour(field, editColour(state));
}

void addMonitorHeadings(QWidget *parent, QGridLayout *grid)
{
    const char *headings[] = {"",      "Instrument", "Process Value", "Setpoint",
                              "Alm 1", "Alm 2",      "Ramp/Soak"};
    int column = 0;
    for (const char *heading : headings) {
        QLabel *label = ui::newLabel(parent, indexed("lblHeading", column).constData(),
                                     QString::fromLatin1(heading));
        grid->addWidget(label, 0, column, 1, column == 6 ? 5 : 1);
        ++column;
    }
}

} // namespace vanta::monitor
