// "Vanta Link Protocol Access": sends one Vanta Link read or write command by its hexadecimal
// code to one address, shows the decoded value and lists the messages received. Writes need the
// raw-write password.
#pragma once

#include "diagnostics/raw_access.h"
#include "diagnostics/received_text_widget.h"
#include "ui/navigator.h"

#include <QDialog>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vanta::diagnostics {

class frmVantaLink : public QDialog, public ui::Activatable
{
    Q_OBJECT

public:
    frmVantaLink(const ui::WindowContext &context, std::shared_ptr<RawAccessMemory> memory,
                 QWidget *parent = nullptr);
    // Form_Unload: remembers the address and the command.
    ~frmVantaLink() override;

    void activated() override;
    void deactivated() override {}

    void cmdRead_Click();
    void cmdWrite_Click();

private:
    void buildControls();
    void Form_Load();
    CommandRequest request() const;
    void showOutcome(const CommandOutcome &outcome);

    const ui::WindowContext &m_context;
    std::shared_ptr<RawAccessMemory> m_memory;

    QComboBox *cbxAddress = nullptr;
    QLineEdit *txtCommand = nullptr;
    QLineEdit *txtValue = nullptr;
    QCheckBox *chkHexadecimal = nullptr;
    QLineEdit *txtPassword = nullptr;
    QPlainTextEdit *txtReply = nullptr;
    std::optional<ReceivedText> m_received;
    QPushButton *cmdRead = nullptr;
    QPushButton *cmdWrite = nullptr;
    QPushButton *cmdClose = nullptr;
    QLabel *lblErrorMessageText = nullptr;
    QLabel *lblDemoMode = nullptr;
};

} // namespace vanta::diagnostics
