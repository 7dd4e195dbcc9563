// "Register Access": reads or writes one register of one instrument by number, either the
// program's cross-referenced number or (groups 1 and 2) the native hexadecimal register. Writes
// need the raw-write password.
#pragma once

#include "diagnostics/raw_access.h"
#include "ui/navigator.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vanta::diagnostics {

class frmRegister : public QDialog, public ui::Activatable
{
    Q_OBJECT

public:
    frmRegister(const ui::WindowContext &context, std::shared_ptr<RawAccessMemory> memory,
                QWidget *parent = nullptr);
    // Form_Unload: remembers the address, register, interpretation and group.
    ~frmRegister() override;

    void activated() override;
    void deactivated() override {}

    void cmdRead_Click();
    void cmdWrite_Click();

private:
    void buildControls();
    void Form_Load();
    RegisterRequest request() const;
    void showFailure(const comms::Outcome &outcome);

    const ui::WindowContext &m_context;
    std::shared_ptr<RawAccessMemory> m_memory;

    QComboBox *cbxAddress = nullptr;
    QLineEdit *txtRegisterNumber = nullptr;
    QLineEdit *txtValue = nullptr;
    QLineEdit *txtPassword = nullptr;
    QRadioButton *optUseNative[2] = {nullptr, nullptr};
    QPushButton *cmdRead = nullptr;
    QPushButton *cmdWrite = nullptr;
    QPushButton *cmdClose = nullptr;
    QLabel *lblErrorMessageText = nullptr;
    QLabel *lblDemoMode = nullptr;
};

} // namespace vanta::diagnostics
