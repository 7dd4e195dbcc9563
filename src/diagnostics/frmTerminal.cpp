// The terminal window: received bytes shown in batches as the line reports them, keys sent as
// typed.
#include "diagnostics/frmTerminal.h"

#include "ui/controls.h"
#include "ui/enter_as_tab.h"
#include "ui/run_handler.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vanta::diagnostics {

namespace {

const char *const Instructions =
    "Every character received on the serial port is shown below, and every key typed into the "
    "box is sent out at once (typed characters are not shown unless something sends them "
    "back).\n"
    "To test a port and cable, join pins 2 and 3 at the far end: each typed character then "
    "comes back once. On a port with a modem, type AT and Enter: the modem answers OK.";

// What a key sends: Enter is CR alone; keys without a character (arrows, Tab) send nothing.
QByteArray keyBytes(const QKeyEvent &key)
{
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return QByteArrayLiteral("\r");
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        return {};
    return key.text().toLatin1();
}

} // namespace

frmTerminal::frmTerminal(const ui::WindowContext &context, QWidget *parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmTerminal"));
    setWindowTitle(QStringLiteral("Terminal"));
    buildControls();
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    txtReply->installEventFilter(this);
    ui::installEnterAsTab(this);
}

frmTerminal::~frmTerminal()
{
    if (!StopReceiving)
        m_context.link.line.setReadyReadHandler({});
}

void frmTerminal::buildControls()
{
    QLabel *heading = ui::newLabel(this, "lblHeading", QStringLiteral("Terminal Emulator"));
    ui::setFontSize(heading, 12, ui::Weight::Bold);
    QLabel *instructions = ui::newLabel(this, "lblInstructions", QString::fromLatin1(Instructions));
    instructions->setWordWrap(true);
    QLabel *note = ui::newLabel(
        this, "lblNote", QStringLiteral("NOTE:  Logging is stopped when this form is viewed."));
    txtReply = newReceivedTextBox(this, "txtReply");
    // Only received characters go into the box: no paste, no drop.
    txtReply->setContextMenuPolicy(Qt::NoContextMenu);
    txtReply->setAcceptDrops(false);
    txtReply->setMinimumSize(560, 300);
    m_received.emplace(*txtReply);
    cmdClose = ui::newButton(this, "cmdClose", QStringLiteral("C&lose"));
    ui::addToBox(new QVBoxLayout(this),
                 {heading, instructions, note, txtReply, ui::newRow({ui::Stretch, cmdClose})});
}

void frmTerminal::activated()
{
    StopReceiving = false;
    if (!m_loan)
        m_loan.emplace(m_context.app);
    m_context.link.line.setReadyReadHandler([this] { receiveSoon(); });
    txtReply->setFocus();
    receiveSoon();
}

void frmTerminal::deactivated()
{
    StopReceiving = true;
    m_context.link.line.setReadyReadHandler({});
    m_loan.reset();
}

void frmTerminal::receiveSoon()
{
    if (!m_batchQueued)
        commtest();
}

void frmTerminal::commtest()
{
    m_batchQueued = false;
    if (StopReceiving)
        return;
    bool finished = false;
    ui::runHandler(m_context.ui(), "frmTerminal.commtest", [this, &finished] {
        takeBatch();
        finished = true;
    });
    if (!finished) {
        // A failed read ends receiving until the window is activated again.
        StopReceiving = true;
        return;
    }
    if (m_context.link.line.inBufferCount() > 0) {
        m_batchQueued = true;
        QTimer::singleShot(0, this, &frmTerminal::commtest);
    }
}

void frmTerminal::takeBatch()
{
    const QByteArray batch = m_context.link.line.input(TerminalBatchSize);
    for (const char byte : batch)
        m_received->insert(QChar::fromLatin1(byte));
}

bool frmTerminal::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtReply && event->type() == QEvent::KeyPress)
        return txtReply_KeyPress(static_cast<const QKeyEvent &>(*event));
    return QDialog::eventFilter(watched, event);
}

// Sends the key's character when the port is open; the key never reaches the box.
bool frmTerminal::txtReply_KeyPress(const QKeyEvent &key)
{
    const QByteArray bytes = keyBytes(key);
    if (bytes.isEmpty())
        return false;
    comms::SerialLine &line = m_context.link.line;
    if (line.portOpen())
        ui::runHandler(m_context.ui(), "frmTerminal.txtReply_KeyPress",
                       [&line, &bytes] { line.output(bytes); });
    return true;
}

} // namespace vanta::diagnostics
