// The controls of one monitor row, named "<design name>_<row>" ("cbxControl_3"), and how they
// show a row of the model.
#pragma once

#include "monitor/monitor_rows.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vanta::monitor {

struct MonitorRowControls
{
    // Creates row `index`'s controls as children of `parent` in line `index + 1` of `grid`.
    MonitorRowControls(QWidget *parent, QGridLayout *grid, int index);

    // Refills the instrument list without emitting a choice.
    void setEntries(const QStringList &entries, const QString &current);
    // Copies `row` into the controls.
    void show(const MonitorRow &row);
    // Only the poll light, at once (the row is being read).
    void showPolling(const MonitorRow &row);

    QComboBox *cbxControl;
    QLabel *shpPoll;
    QLabel *lblTempText;
    QLineEdit *txtSVText;
    QLabel *lblAlm1StatText;
    QLabel *lblAlm2StatText;
    QPushButton *cmdRampCfg;
    QPushButton *cmdRampOn;
    QPushButton *cmdRampHold;
    QPushButton *cmdRampOff;
    QLabel *shpRampSoak;
};

// A setpoint field (txtSVText, txtChangeAll) showing `text` in the colour of `state`.
void showEditField(QLineEdit *field, const QString &text, EditState state);

// The grid's first line: the column headings.
void addMonitorHeadings(QWidget *parent, QGridLayout *grid);

} // namespace vanta::monitor
