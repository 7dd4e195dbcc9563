// The "Graph Setup" dialog: the number of ticks on each axis of the trend chart and whether its
// grid lines show. Opened modally from the graph window's "Tick Marks".
#pragma once

#include "logging/graph_config.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace vanta::logging {

class frmGraphCfg : public QDialog
{
    Q_OBJECT

public:
    // Shows `exchange.setup`; OK with changes writes the chosen settings back into it and sets
    // GraphCfgChanged.
    explicit frmGraphCfg(GraphSetupExchange &exchange, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void Form_Load();
    void markChanged();
    void cmdOK_Click();

    GraphSetupExchange &m_exchange;
    bool Busy = false;
    bool GraphCfgChanged = false;

    QLineEdit *txtXAxisTicks = nullptr;
    QLineEdit *txtYAxisTicks = nullptr;
    QCheckBox *chkShowXGrid = nullptr;
    QCheckBox *chkShowYGrid = nullptr;
};

} // namespace vanta::logging
