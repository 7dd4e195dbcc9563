// The interaction port on the desktop: QMessageBox, QFileDialog, QPrintDialog, the system beep
// and the override cursor as the busy pointer.
#pragma once

#include "core/interaction.h"

#include <QWidget>

namespace vanta::ui {

class QtInteraction final : public core::Interaction
{
public:
    // Boxes and dialogs open over dialogParent(). The buttons read "OK",
    // "Cancel", "Yes", "No", "Retry", "Abort" and "Ignore"; closing a box without a button
    // answers with its escape button (No, Cancel or OK).
    core::MsgResult MsgBox(const QString &text, core::MsgButtons buttons, core::MsgIcon icon,
                           const QString &title, core::MsgResult defaultButton) override;
    std::optional<QString> openFileDialog(const core::FileDialogRequest &request) override;
    std::optional<QString> saveFileDialog(const core::FileDialogRequest &request) override;
    // Existing folders only.
    std::optional<QString> chooseFolder(const core::FolderDialogRequest &request) override;
    // The system's print dialog, which also offers printing into a PDF file.
    std::optional<core::PrintTarget> choosePrintTarget(const core::PrintRequest &request) override;
    void beep() override;
    // Nested; a surplus setBusy(false) is ignored.
    void setBusy(bool busy) override;

private:
    int m_busyDepth = 0;
};

// The window boxes and dialogs open over: the application's active window, else the active modal
// window, else none.
QWidget *dialogParent();

// "CSV Files|*.csv|All Files|*.*" in Qt's form: "CSV Files (*.csv);;All Files (*.*)". A
// description without a pattern is kept as a description of "*".
QString qtFileFilter(const QString &filter);

} // namespace vanta::ui
