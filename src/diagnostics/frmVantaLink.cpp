// The Vanta Link command window: the handlers read the controls, send one command through the
// raw access and show the outcome and the messages received.
#include "diagnostics/frmVantaLink.h"

#include "core/address.h"
#include "core/number_format.h"
#include "ui/address_combo.h"
#include "ui/controls.h"
#include "ui/enter_as_tab.h"
#include "ui/run_handler.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vanta::diagnostics {

namespace {

constexpr int FirstAddress = 50;

const char *const Instructions =
    "Command codes are listed in the command list of the instrument series. Read command 00 "
    "returns the process value.\n"
    "WARNING: writing with commands can spoil the calibration of an instrument. Write only with "
    "extreme caution.";

} // namespace

frmVantaLink::frmVantaLink(const ui::WindowContext &context,
                           std::shared_ptr<RawAccessMemory> memory, QWidget *parent)
    : QDialog(parent), m_context(context), m_memory(std::move(memory))
{
    setObjectName(QStringLiteral("frmVantaLink"));
    setWindowTitle(QStringLiteral("Vanta Link Protocol Access"));
    buildControls();
    connect(cmdRead, &QPushButton::clicked, this, &frmVantaLink::cmdRead_Click);
    connect(cmdWrite, &QPushButton::clicked, this, &frmVantaLink::cmdWrite_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    ui::installEnterAsTab(this);
    ui::runHandler(m_context.ui(), "frmVantaLink.Form_Load", [this] { Form_Load(); });
}

frmVantaLink::~frmVantaLink()
{
    m_memory->CmdAccessAddress = cbxAddress->currentText();
    m_memory->CmdAccessCommand = txtCommand->text();
}

void frmVantaLink::buildControls()
{
    QLabel *heading =
        ui::newLabel(this, "lblHeading", QStringLiteral("Vanta Link Protocol Acccess"));
    ui::setFontSize(heading, 12, ui::Weight::Bold);
    QLabel *instructions = ui::newLabel(this, "lblInstructions", QString::fromLatin1(Instructions));
    instructions->setWordWrap(true);

    cbxAddress = ui::newCombo(this, "cbxAddress");
    cbxAddress->setEditable(true);
    txtCommand = ui::newTextBox(this, "txtCommand");
    txtValue = ui::newTextBox(this, "txtValue");
    chkHexadecimal =
        ui::newCheckBox(this, "chkHexadecimal", QStringLiteral("Write Value as Hexadecimal"));
    txtPassword = ui::newTextBox(this, "txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    txtReply = newReceivedTextBox(this, "txtReply");
    m_received.emplace(*txtReply);

    auto caption = [this](const char *name, const char *text) {
        return ui::newLabel(this, name, QString::fromLatin1(text));
    };
    auto *fields = new QGridLayout;
    ui::addGridRows(fields, {{caption("lblAddress", "Address:"), cbxAddress},
                             {caption("lblCommand", "Command:"), txtCommand},
                             {caption("lblValue", "Value:"), txtValue}});
    fields->addWidget(chkHexadecimal, fields->rowCount(), 1);
    ui::addGridRows(fields, {{caption("lblPassword", "Password To Allow Writes:"), txtPassword}});

    cmdRead = ui::newButton(this, "cmdRead", QStringLiteral("&Read"));
    cmdWrite = ui::newButton(this, "cmdWrite", QStringLiteral("&Write"));
    cmdClose = ui::newButton(this, "cmdClose", QStringLiteral("C&lose"));
    lblErrorMessageText = ui::newMessageLine(this, "lblErrorMessageText");
    lblDemoMode = ui::newDemoModeMark(this);

    ui::addToBox(new QVBoxLayout(this),
                 {ui::newRow({heading, ui::Stretch, lblDemoMode}), instructions, fields,
                  caption("lblReply", "Messages Received:"), txtReply,
                  ui::newRow({cmdRead, cmdWrite, ui::Stretch, cmdClose}), lblErrorMessageText});
}

void frmVantaLink::Form_Load()
{
    lblErrorMessageText->clear();
    txtValue->clear();
    txtPassword->clear();
    ui::FillAddressList(*cbxAddress, true, false);
    cbxAddress->setEditText(m_memory->CmdAccessAddress.isEmpty() ? core::Hex2(FirstAddress)
                                                                 : m_memory->CmdAccessAddress);
    txtCommand->setText(m_memory->CmdAccessCommand);
}

void frmVantaLink::activated()
{
    lblDemoMode->setVisible(m_context.app.DemoMode());
}

CommandRequest frmVantaLink::request() const
{
    return CommandRequest{cbxAddress->currentText(), txtCommand->text()};
}

void frmVantaLink::showOutcome(const CommandOutcome &outcome)
{
    lblErrorMessageText->setText(outcome.succeeded() ? QString() : outcome.text);
    m_received->insertMessages(outcome.ReplyText);
}

void frmVantaLink::cmdRead_Click()
{
    ui::runHandler(m_context.ui(), "frmVantaLink.cmdRead_Click", [this] {
        const CommandRequest asked = request();
        txtValue->clear();
        const CommandOutcome read = [&] {
            core::BusyPointer busy(m_context.ui());
            return readRawCommand(m_context.link, asked);
        }();
        if (read.succeeded())
            txtValue->setText(core::numberText(read.value).trimmed());
        showOutcome(read);
    });
}

void frmVantaLink::cmdWrite_Click()
{
    ui::runHandler(m_context.ui(), "frmVantaLink.cmdWrite_Click", [this] {
        if (!WritesAllowed(m_context.ui(), txtPassword->text(),
                           m_context.app.Tables.RawWritePassword))
            return;
        const CommandRequest asked = request();
        const CommandOutcome written = [&] {
            core::BusyPointer busy(m_context.ui());
            return writeRawCommand(m_context.link, asked, txtValue->text(),
                                   chkHexadecimal->isChecked());
        }();
        showOutcome(written);
    });
}

} // namespace vanta::diagnostics
