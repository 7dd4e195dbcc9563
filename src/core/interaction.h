// The user-interaction port: message boxes, file and folder dialogs, the print dialog, the beep
// and the busy pointer.
// Logic talks to the user only through this, so tests can answer every box.
#pragma once

#include <QString>
#include <optional>

namespace vanta::core {

enum class MsgButtons
{
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel,
    RetryCancel,
    AbortRetryIgnore
};
enum class MsgIcon
{
    None,
    Critical,
    Question,
    Exclamation,
    Information
};
enum class MsgResult
{
    Ok,
    Cancel,
    Yes,
    No,
    Retry,
    Abort,
    Ignore
};

// What an open or save dialog shows. `filter` uses the "Description|*.ext|..." form.
struct FileDialogRequest
{
    QString title;
    QString filter;
    QString initialFolder;
    QString fileName; // proposed name (save) or initial selection
    bool confirmOverwrite = false;
    bool fileMustExist = false;
};

// What a folder chooser shows.
struct FolderDialogRequest
{
    QString title;
    QString initialFolder;
};

enum class PageOrientation
{
    Portrait,
    Landscape
};

// Where a print goes, as the user chose it: into the PDF file `pdfFile` when that is set, else to
// the printer `printerName` (empty: the system's default printer). ui/printing.h makes a
// QPrinter of it.
struct PrintTarget
{
    QString printerName;
    QString pdfFile;
    PageOrientation orientation = PageOrientation::Portrait;
};

// What a print dialog shows and proposes.
struct PrintRequest
{
    QString title;
    PageOrientation orientation = PageOrientation::Portrait;
};

class Interaction
{
public:
    virtual ~Interaction() = default;

    virtual MsgResult MsgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                             const QString &title, MsgResult defaultButton) = 0;
    // Empty when the user cancels.
    virtual std::optional<QString> openFileDialog(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> saveFileDialog(const FileDialogRequest &request) = 0;
    // The chosen folder; empty when the user cancels.
    virtual std::optional<QString> chooseFolder(const FolderDialogRequest &request) = 0;
    // The chosen printer or PDF file; empty when the user cancels or nothing can print.
    virtual std::optional<PrintTarget> choosePrintTarget(const PrintRequest &request) = 0;
    virtual void beep() = 0;
    // Nested: the pointer shows busy until every setBusy(true) has been matched.
    virtual void setBusy(bool busy) = 0;
};

// An interaction with nobody at a screen (command-line tools, benchmarks, loaders run for
// another program): every file, folder and print dialog is cancelled, the beep and the busy
// pointer do nothing. What a message box answers is the subclass's choice.
class HeadlessInteraction : public Interaction
{
public:
    std::optional<QString> openFileDialog(const FileDialogRequest &) override { return {}; }
    std::optional<QString> saveFileDialog(const FileDialogRequest &) override { return {}; }
    std::optional<QString> chooseFolder(const FolderDialogRequest &) override { return {}; }
    std::optional<PrintTarget> choosePrintTarget(const PrintRequest &) override { return {}; }
    void beep() override {}
    void setBusy(bool) override {}
};

// Shows the busy pointer for the lifetime of the object.
class BusyPointer
{
public:
    explicit BusyPointer(Interaction &ui) : m_ui(ui) { m_ui.setBusy(true); }
    ~BusyPointer() { m_ui.setBusy(false); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;

private:
    Interaction &m_ui;
};

} // namespace vanta::core
