// "Terminal": a plain character terminal on the program's serial port, for checking a port and
// its cable. Received characters appear in the box at the caret; typed keys are sent at once and
// not shown. Receiving follows the line's ready-read notification while the window is active,
// and the window holds a port loan meanwhile so that no timer talks on the line.
#pragma once

#include "comms/port_loan.h"
#include "diagnostics/received_text_widget.h"
#include "ui/navigator.h"

#include <QDialog>
#include <optional>

class QPlainTextEdit;
class QPushButton;

namespace vanta::diagnostics {

// Characters shown per batch; window events run between batches.
constexpr int TerminalBatchSize = 50;

class frmTerminal : public QDialog, public ui::Activatable
{
    Q_OBJECT

public:
    explicit frmTerminal(const ui::WindowContext &context, QWidget *parent = nullptr);
    ~frmTerminal() override;

    // Starts receiving: borrows the port, shows what waits and listens for more.
    void activated() override;
    // StopReceiving: characters arriving meanwhile wait in the port for the next activation.
    void deactivated() override;

    // One batch of at most TerminalBatchSize received characters; when more wait, the next
    // batch follows once pending window events have run.
    void commtest();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void receiveSoon();
    void takeBatch();
    bool txtReply_KeyPress(const QKeyEvent &key);

    const ui::WindowContext &m_context;
    std::optional<comms::PortLoan> m_loan;
    bool StopReceiving = true;
    bool m_batchQueued = false;

    QPlainTextEdit *txtReply = nullptr;
    std::optional<ReceivedText> m_received;
    QPushButton *cmdClose = nullptr;
};

} // namespace vanta::diagnostics
