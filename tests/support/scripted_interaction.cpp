// The scripted user.
#include "support/scripted_interaction.h"

namespace vanta::test {

core::MsgResult ScriptedInteraction::MsgBox(const QString &text, core::MsgButtons buttons,
                                            core::MsgIcon icon, const QString &title,
                                            core::MsgResult defaultButton)
{
    boxes.push_back({text, buttons, icon, title, defaultButton});
    if (answers.empty())
        return defaultButton;
    const core::MsgResult answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedInteraction::openFileDialog(const core::FileDialogRequest &request)
{
    openRequests.push_back(request);
    if (openResults.empty())
        return std::nullopt;
    auto result = openResults.front();
    openResults.pop_front();
    return result;
}

std::optional<QString> ScriptedInteraction::saveFileDialog(const core::FileDialogRequest &request)
{
    saveRequests.push_back(request);
    if (saveResults.empty())
        return std::nullopt;
    auto result = saveResults.front();
    saveResults.pop_front();
    return result;
}

void ScriptedInteraction::setBusy(bool busy)
{
    busyDepth += busy ? 1 : -1;
    ++busyCalls;
}

QStringList ScriptedInteraction::titles() const
{
    QStringList result;
    for (const RecordedBox &box : boxes)
        result << box.title;
    return result;
}

} // namespace vanta::test
