// The "Graph Setup" dialog.
#include "logging/frmGraphCfg.h"

#include "ui/controls.h"
#include "ui/enter_as_tab.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace vanta::logging {

frmGraphCfg::frmGraphCfg(GraphSetupExchange &exchange, QWidget *parent)
    : QDialog(parent), m_exchange(exchange)
{
    setObjectName(QStringLiteral("frmGraphCfg"));
    setWindowTitle(QStringLiteral("Graph Setup"));
    buildControls();
    Form_Load();
    ui::installEnterAsTab(this);
}

void frmGraphCfg::buildControls()
{
    txtXAxisTicks = ui::newTextBox(this, "txtXAxisTicks");
    chkShowXGrid = ui::newCheckBox(this, "chkShowXGrid", QStringLiteral("Show Grid Lines"));
    txtYAxisTicks = ui::newTextBox(this, "txtYAxisTicks");
    chkShowYGrid = ui::newCheckBox(this, "chkShowYGrid", QStringLiteral("Show Grid Lines"));
    auto *grid = new QGridLayout;
    ui::addGridRows(grid, {{ui::newLabel(this, "lblXAxisTicks", QStringLiteral("X-Axis Ticks:")),
                            txtXAxisTicks, chkShowXGrid},
                           {ui::newLabel(this, "lblYAxisTicks", QStringLiteral("Y-Axis Ticks:")),
                            txtYAxisTicks, chkShowYGrid}});
    QLabel *lblNote = ui::newLabel(
        this, "lblNote", QStringLiteral("Note: tick marks are only used when not auto scaling."));
    QPushButton *cmdOK = ui::newButton(this, "cmdOK", QStringLiteral("&OK"));
    QPushButton *cmdCancel = ui::newButton(this, "cmdCancel", QStringLiteral("&Cancel"));
    cmdOK->setDefault(true);
    auto *layout = new QVBoxLayout(this);
    ui::addToBox(layout, {grid, lblNote, ui::newRow({ui::Stretch, cmdOK, cmdCancel})});

    for (QLineEdit *box : {txtXAxisTicks, txtYAxisTicks}) {
        connect(box, &QLineEdit::textChanged, this, &frmGraphCfg::markChanged);
        box->installEventFilter(this);
    }
    for (QCheckBox *box : {chkShowXGrid, chkShowYGrid})
        connect(box, &QCheckBox::toggled, this, &frmGraphCfg::markChanged);
    connect(cmdOK, &QPushButton::clicked, this, &frmGraphCfg::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmGraphCfg::Form_Load()
{
    const QScopedValueRollback busy(Busy, true);
    GraphCfgChanged = false;
    const GraphSetup &setup = m_exchange.setup;
    txtXAxisTicks->setText(QString::number(setup.XAxisTicks));
    txtYAxisTicks->setText(QString::number(setup.YAxisTicks));
    chkShowXGrid->setChecked(setup.ShowXGrid);
    chkShowYGrid->setChecked(setup.ShowYGrid);
}

void frmGraphCfg::markChanged()
{
    if (!Busy)
        GraphCfgChanged = true;
}

// Leaving a tick box with a count outside 2..20 puts 5 into it.
bool frmGraphCfg::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box != nullptr && event->type() == QEvent::FocusOut) {
        const QString checked = checkedTickText(box->text());
        if (checked != box->text())
            box->setText(checked);
    }
    return QDialog::eventFilter(watched, event);
}

void frmGraphCfg::cmdOK_Click()
{
    if (GraphCfgChanged) {
        // The box with the focus has not been left yet.
        for (QLineEdit *box : {txtXAxisTicks, txtYAxisTicks})
            box->setText(checkedTickText(box->text()));
        m_exchange.setup =
            GraphSetup{tickCountOf(txtXAxisTicks->text()), tickCountOf(txtYAxisTicks->text()),
                       chkShowXGrid->isChecked(), chkShowYGrid->isChecked()};
        m_exchange.GraphCfgChanged = true;
    }
    accept();
}

} // namespace vanta::logging
