// "Protocol Trace": every request and reply of the program, timed and decoded, from the trace
// ring the application keeps. Modeless; rows come in batches on a timer while the window is
// shown, so the poll never waits for the window.
#pragma once

#include "diagnostics/trace_view.h"
#include "ui/navigator.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace vanta::diagnostics {

// Milliseconds between two batches of rows.
constexpr int TraceRefreshMs = 200;

class TraceTableModel;

class frmTrace : public QWidget
{
    Q_OBJECT

public:
    frmTrace(const ui::WindowContext &context, comms::TraceRing &ring, QWidget *parent = nullptr);
    ~frmTrace() override;

    // One batch: the newest rows unless paused.
    void tmrRefresh_Timer();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildControls();
    void cmdClear_Click();
    void txtAddress_Change();

    const ui::WindowContext &m_context;
    comms::TraceRing &m_ring;
    TraceView m_view;
    std::unique_ptr<TraceTableModel> m_model;

    QTableView *grdTrace = nullptr;
    QCheckBox *chkPause = nullptr;
    QLineEdit *txtAddress = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdSaveText = nullptr;
    QPushButton *cmdSaveCsv = nullptr;
    QTimer *tmrRefresh = nullptr;
};

} // namespace vanta::diagnostics
