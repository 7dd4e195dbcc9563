// "Edit Setpoint Values": the setpoint and alarm setpoints of one configured instrument, chosen
// from a list, read when chosen and written back with "&Update". Opened modally from the
// "Edit Setpoints" buttons. The reading and writing is SetpointEditor's.
#pragma once

#include "monitor/setpoint_editor.h"
#include "ui/navigator.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vanta::monitor {

class frmSetpoints : public QDialog
{
    Q_OBJECT

public:
    explicit frmSetpoints(const ui::WindowContext &context, QWidget *parent = nullptr);

    void lstControls_Click();
    void cmdUpdate_Click();
    // Closing asks before dropping changes (not while the program ends).
    void done(int result) override;

protected:
    // Focus into a field selects its text; leaving it checks and reformats it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    QWidget *buildFields();
    void Form_Load();
    void txtSV_LostFocus(int field);
    // Copies the editor's fields into the controls, without counting as edits.
    void showFields();
    int fieldOf(const QObject *watched) const;

    ui::WindowContext m_context;
    SetpointEditor m_editor;

    QListWidget *lstControls = nullptr;
    QLabel *lblAddressText = nullptr;
    QLabel *lblNameText = nullptr;
    std::array<QLineEdit *, SetpointFieldCount> txtSV{};
    std::array<QLabel *, SetpointFieldCount> lblUnits{};
    std::array<QLabel *, SetpointFieldCount> lblSV{};
    QPushButton *cmdUpdate = nullptr;
    QPushButton *cmdClose = nullptr;
};

} // namespace vanta::monitor
