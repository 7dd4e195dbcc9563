// Message boxes, file, folder and print dialogs, the beep and the busy pointer with Qt widgets.
#include "ui/qt_interaction.h"

#include "ui/accessible_ids.h"
#include "ui/printing.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace vanta::ui {

namespace {

struct ButtonText
{
    QMessageBox::StandardButton button;
    core::MsgResult result;
    const char *text;
};

constexpr ButtonText ButtonTexts[] = {
    {QMessageBox::Ok, core::MsgResult::Ok, "OK"},
    {QMessageBox::Cancel, core::MsgResult::Cancel, "Cancel"},
    {QMessageBox::Yes, core::MsgResult::Yes, "Yes"},
    {QMessageBox::No, core::MsgResult::No, "No"},
    {QMessageBox::Retry, core::MsgResult::Retry, "Retry"},
    {QMessageBox::Abort, core::MsgResult::Abort, "Abort"},
    {QMessageBox::Ignore, core::MsgResult::Ignore, "Ignore"},
};

QMessageBox::StandardButtons standardButtons(core::MsgButtons buttons)
{
    switch (buttons) {
    case core::MsgButtons::Ok:
        return QMessageBox::Ok;
    case core::MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case core::MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case core::MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case core::MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case core::MsgButtons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon messageIcon(core::MsgIcon icon)
{
    switch (icon) {
    case core::MsgIcon::None:
        return QMessageBox::NoIcon;
    case core::MsgIcon::Critical:
        return QMessageBox::Critical;
    case core::MsgIcon::Question:
        return QMessageBox::Question;
    case core::MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case core::MsgIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton standardButton(core::MsgResult result)
{
    for (const ButtonText &entry : ButtonTexts) {
        if (entry.result == result)
            return entry.button;
    }
    return QMessageBox::NoButton;
}

core::MsgResult resultOf(QMessageBox::StandardButton button, core::MsgResult fallback)
{
    for (const ButtonText &entry : ButtonTexts) {
        if (entry.button == button)
            return entry.result;
    }
    return fallback;
}

// The answer when the box closes without a button: the Windows-style escape answer.
core::MsgResult escapeResult(core::MsgButtons buttons)
{
    switch (buttons) {
    case core::MsgButtons::Ok:
        return core::MsgResult::Ok;
    case core::MsgButtons::YesNo:
        return core::MsgResult::No;
    case core::MsgButtons::AbortRetryIgnore:
        return core::MsgResult::Abort;
    default:
        return core::MsgResult::Cancel;
    }
}

// The first selected path of a dialog set up by the caller; empty when it is cancelled.
std::optional<QString> runFileDialog(QFileDialog &dialog, const QString &name)
{
    dialog.setObjectName(name);
    // Only Qt's own dialog has widgets that outside tools can find by name.
    dialog.setOption(QFileDialog::DontUseNativeDialog, accessibleIdsWanted());
    applyAccessibleIds(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> runFileDialog(const core::FileDialogRequest &request,
                                     QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(dialogParent(), request.title, request.initialFolder,
                       qtFileFilter(request.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    return runFileDialog(dialog, mode == QFileDialog::AcceptSave ? QStringLiteral("dlgSave")
                                                                 : QStringLiteral("dlgOpen"));
}

} // namespace

QWidget *dialogParent()
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return QApplication::activeModalWidget();
}

QString qtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i < parts.size(); i += 2) {
        // "*.csv;*.txt" lists patterns with ";", Qt with blanks.
        QString pattern = i + 1 < parts.size() ? parts.at(i + 1) : QStringLiteral("*");
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts.at(i) + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

core::MsgResult QtInteraction::MsgBox(const QString &text, core::MsgButtons buttons,
                                      core::MsgIcon icon, const QString &title,
                                      core::MsgResult defaultButton)
{
    QMessageBox box(messageIcon(icon), title, text, standardButtons(buttons), dialogParent());
    box.setObjectName(QStringLiteral("msgBox"));
    for (const ButtonText &entry : ButtonTexts) {
        if (QAbstractButton *button = box.button(entry.button))
            button->setText(QString::fromLatin1(entry.text));
    }
    const QMessageBox::StandardButton preferred = standardButton(defaultButton);
    if (box.button(preferred) != nullptr)
        box.setDefaultButton(preferred);
    applyAccessibleIds(&box);
    box.exec();
    QAbstractButton *clicked = box.clickedButton();
    if (clicked == nullptr)
        return escapeResult(buttons);
    return resultOf(box.standardButton(clicked), escapeResult(buttons));
}

std::optional<QString> QtInteraction::openFileDialog(const core::FileDialogRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtInteraction::saveFileDialog(const core::FileDialogRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}

std::optional<QString> QtInteraction::chooseFolder(const core::FolderDialogRequest &request)
{
    QFileDialog dialog(dialogParent(), request.title, request.initialFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    return runFileDialog(dialog, QStringLiteral("dlgFolder"));
}

std::optional<core::PrintTarget> QtInteraction::choosePrintTarget(const core::PrintRequest &request)
{
    core::PrintTarget proposed;
    proposed.orientation = request.orientation;
    const std::unique_ptr<QPrinter> printer = printerFor(proposed);
    QPrintDialog dialog(printer.get(), dialogParent());
    dialog.setObjectName(QStringLiteral("dlgPrint"));
    dialog.setWindowTitle(request.title);
    applyAccessibleIds(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return printTargetOf(*printer);
}

void QtInteraction::beep()
{
    QApplication::beep();
}

void QtInteraction::setBusy(bool busy)
{
    if (busy) {
        ++m_busyDepth;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return;
    }
    if (m_busyDepth == 0)
        return;
    --m_busyDepth;
    QApplication::restoreOverrideCursor();
}

} // namespace vanta::ui
