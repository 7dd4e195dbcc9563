// The register access window: the handlers read the controls, call the raw access and show
// the outcome.
#include "diagnostics/frmRegister.h"

#include "core/number_format.h"
#include "ui/address_combo.h"
#include "ui/controls.h"
#include "ui/enter_as_tab.h"
#include "ui/run_handler.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vanta::diagnostics {

namespace {

constexpr int CrossReferenced = 1;
constexpr int Native = 0;

const char *const Instructions =
    "Register numbers are listed in the register list of the instrument series. Register 2 "
    "returns the process value.\n"
    "WARNING: writing to registers can spoil the calibration of an instrument. Write only with "
    "extreme caution.";

} // namespace

frmRegister::frmRegister(const ui::WindowContext &context, std::shared_ptr<RawAccessMemory> memory,
                         QWidget *parent)
    : QDialog(parent), m_context(context), m_memory(std::move(memory))
{
    setObjectName(QStringLiteral("frmRegister"));
    setWindowTitle(QStringLiteral("Register Access"));
    buildControls();
    connect(cmdRead, &QPushButton::clicked, this, &frmRegister::cmdRead_Click);
    connect(cmdWrite, &QPushButton::clicked, this, &frmRegister::cmdWrite_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    ui::installEnterAsTab(this);
    ui::runHandler(m_context.ui(), "frmRegister.Form_Load", [this] { Form_Load(); });
}

frmRegister::~frmRegister()
{
    m_memory->RegAccessAddress = cbxAddress->currentText();
    m_memory->RegAccessRegister = txtRegisterNumber->text();
    m_memory->RegAccessMode = optUseNative[CrossReferenced]->isChecked() ? 1 : 0;
    m_memory->RegAccessGroup = m_context.app.Config.ControllerGroup;
}

void frmRegister::buildControls()
{
    QLabel *heading =
        ui::newLabel(this, "lblHeading", QStringLiteral("Instrument Register Access"));
    ui::setFontSize(heading, 12, ui::Weight::Bold);
    QLabel *instructions = ui::newLabel(this, "lblInstructions", QString::fromLatin1(Instructions));
    instructions->setWordWrap(true);

    cbxAddress = ui::newCombo(this, "cbxAddress");
    cbxAddress->setEditable(true);
    txtRegisterNumber = ui::newTextBox(this, "txtRegisterNumber");
    QGroupBox *frame =
        ui::newFrame(this, "fraInterpretation", QStringLiteral("Register No. Interpretation"));
    optUseNative[CrossReferenced] = ui::newOption(
        frame, "optUseNative", CrossReferenced,
        QStringLiteral("Interprete as internal cross referenced decimal registers, ie. 2  for PV"));
    optUseNative[Native] = ui::newOption(
        frame, "optUseNative", Native,
        QStringLiteral("Interprete as native hexadecimal registers, ie. 1000H && 4700H for PV"));
    ui::addToBox(new QVBoxLayout(frame), {optUseNative[CrossReferenced], optUseNative[Native]});
    txtValue = ui::newTextBox(this, "txtValue");
    txtPassword = ui::newTextBox(this, "txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);

    auto *fields = new QGridLayout;
    auto caption = [this](const char *name, const char *text) {
        return ui::newLabel(this, name, QString::fromLatin1(text));
    };
    ui::addGridRows(fields, {{caption("lblAddress", "Address:"), cbxAddress},
                             {caption("lblRegisterNumber", "Register No.:"), txtRegisterNumber}});
    fields->addWidget(frame, fields->rowCount(), 0, 1, 2);
    ui::addGridRows(fields, {{caption("lblValue", "Value:"), txtValue},
                             {caption("lblPassword", "Password To Allow Writes:"), txtPassword}});

    cmdRead = ui::newButton(this, "cmdRead", QStringLiteral("&Read"));
    cmdWrite = ui::newButton(this, "cmdWrite", QStringLiteral("&Write"));
    cmdClose = ui::newButton(this, "cmdClose", QStringLiteral("C&lose"));
    lblErrorMessageText = ui::newMessageLine(this, "lblErrorMessageText");
    lblDemoMode = ui::newDemoModeMark(this);

    ui::addToBox(new QVBoxLayout(this),
                 {ui::newRow({heading, ui::Stretch, lblDemoMode}), instructions, fields,
                  ui::newRow({cmdRead, cmdWrite, ui::Stretch, cmdClose}), lblErrorMessageText});
}

void frmRegister::Form_Load()
{
    const int group = m_context.app.Config.ControllerGroup;
    lblErrorMessageText->clear();
    txtValue->clear();
    txtPassword->clear();
    ui::FillAddressList(*cbxAddress, group == 0, true);
    optUseNative[CrossReferenced]->setChecked(true);
    txtRegisterNumber->clear();
    if (m_memory->RegAccessGroup == group) {
        if (!m_memory->RegAccessAddress.isEmpty())
            cbxAddress->setEditText(m_memory->RegAccessAddress);
        if (!m_memory->RegAccessRegister.isEmpty()) {
            txtRegisterNumber->setText(m_memory->RegAccessRegister);
            optUseNative[m_memory->RegAccessMode == 1 ? CrossReferenced : Native]->setChecked(true);
        }
    }
    for (QRadioButton *option : optUseNative)
        option->setEnabled(group != 0);
}

void frmRegister::activated()
{
    lblDemoMode->setVisible(m_context.app.DemoMode());
}

RegisterRequest frmRegister::request() const
{
    const core::SystemConfig &config = m_context.app.Config;
    RegisterRequest result;
    result.group = config.ControllerGroup;
    result.protocol = config.ProtocolCode;
    result.address = ui::ParseAddressCombo(*cbxAddress, config.ControllerGroup);
    result.registerText = txtRegisterNumber->text();
    result.crossReferenced = optUseNative[CrossReferenced]->isChecked();
    return result;
}

void frmRegister::showFailure(const comms::Outcome &outcome)
{
    lblErrorMessageText->setText(outcome.succeeded() ? QString() : outcome.text);
}

void frmRegister::cmdRead_Click()
{
    ui::runHandler(m_context.ui(), "frmRegister.cmdRead_Click", [this] {
        const RegisterRequest asked = request();
        txtValue->clear();
        core::BusyPointer busy(m_context.ui());
        const comms::ValueOutcome<float> read = readRawRegister(m_context.link, asked);
        showFailure(read);
        if (read.succeeded())
            txtValue->setText(core::numberText(read.value).trimmed());
    });
}

void frmRegister::cmdWrite_Click()
{
    ui::runHandler(m_context.ui(), "frmRegister.cmdWrite_Click", [this] {
        if (!WritesAllowed(m_context.ui(), txtPassword->text(),
                           m_context.app.Tables.RawWritePassword))
            return;
        const RegisterRequest asked = request();
        core::BusyPointer busy(m_context.ui());
        showFailure(writeRawRegister(m_context.link, asked, txtValue->text()));
    });
}

} // namespace vanta::diagnostics
