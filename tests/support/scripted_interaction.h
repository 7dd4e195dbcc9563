// A scripted user: answers message boxes, file, folder and print dialogs from queues and records
// every box and request.
#pragma once

#include "core/interaction.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace vanta::test {

struct RecordedBox
{
    QString text;
    core::MsgButtons buttons;
    core::MsgIcon icon;
    QString title;
    core::MsgResult defaultButton;
};

class ScriptedInteraction : public core::Interaction
{
public:
    // Queued answers; an empty queue answers with the box's default button.
    std::deque<core::MsgResult> answers;
    // Queued dialog results; an empty queue cancels.
    std::deque<std::optional<QString>> openResults;
    std::deque<std::optional<QString>> saveResults;
    std::deque<std::optional<QString>> folderResults;
    std::deque<std::optional<core::PrintTarget>> printResults;

    // Called as each box is shown, before it is answered: what the screen shows meanwhile.
    std::function<void(const RecordedBox &)> onBox;

    std::vector<RecordedBox> boxes;
    std::vector<core::FileDialogRequest> openRequests;
    std::vector<core::FileDialogRequest> saveRequests;
    std::vector<core::FolderDialogRequest> folderRequests;
    std::vector<core::PrintRequest> printRequests;
    int beeps = 0;
    int busyDepth = 0;
    int busyCalls = 0;

    core::MsgResult MsgBox(const QString &text, core::MsgButtons buttons, core::MsgIcon icon,
                           const QString &title, core::MsgResult defaultButton) override;
    std::optional<QString> openFileDialog(const core::FileDialogRequest &request) override;
    std::optional<QString> saveFileDialog(const core::FileDialogRequest &request) override;
    std::optional<QString> chooseFolder(const core::FolderDialogRequest &request) override;
    std::optional<core::PrintTarget> choosePrintTarget(const core::PrintRequest &request) override;
    void beep() override { ++beeps; }
    void setBusy(bool busy) override;

    // Titles of every box shown, in order.
    QStringList titles() const;
};

} // namespace vanta::test
