// The user-interaction port: message boxes, file dialogs, the beep and the busy pointer.
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

class Interaction
{
public:
    virtual ~Interaction() = default;

    virtual MsgResult MsgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                             const QString &title, MsgResult defaultButton) = 0;
    // Empty when the user cancels.
    virtual std::optional<QString> openFileDialog(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> saveFileDialog(const FileDialogRequest &request) = 0;
    virtual void beep() = 0;
    // Nested: the pointer shows busy until every setBusy(true) has been matched.
    virtual void setBusy(bool busy) = 0;
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
