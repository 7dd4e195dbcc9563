// The scripted user.
#include "support/scripted_interaction.h"

namespace vanta::test {

core::MsgResult ScriptedInteraction::MsgBox(const QString &text, core::MsgButtons buttons,
                                            core::MsgIcon icon, const QString &title,
                                            core::MsgResult defaultButton)
{
    boxes.push_back({text, buttons, icon, title, defaultButton});
    if (onBox)
        onBox(boxes.back());
    if (answers.empty())
        return defaultButton;
    const core::MsgResult answer = answers.front();
    answers.pop_front();
    return answer;
}

namespace {

// Records the request and takes the next queued result; an empty queue cancels.
template <typename Request, typename Result>
std::optional<Result> answer(const Request &request, std::vector<Request> &requests,
                             std::deque<std::optional<Result>> &results)
{
    requests.push_back(request);
    if (results.empty())
        return std::nullopt;
    std::optional<Result> result = results.front();
    results.pop_front();
    return result;
}

} // namespace

std::optional<QString> ScriptedInteraction::openFileDialog(const core::FileDialogRequest &request)
{
    return answer(request, openRequests, openResults);
}

std::optional<QString> ScriptedInteraction::saveFileDialog(const core::FileDialogRequest &request)
{
    return answer(request, saveRequests, saveResults);
}

std::optional<QString> ScriptedInteraction::chooseFolder(const core::FolderDialogRequest &request)
{
    return answer(request, folderRequests, folderResults);
}

std::optional<core::PrintTarget>
ScriptedInteraction::choosePrintTarget(const core::PrintRequest &request)
{
    return answer(request, printRequests, printResults);
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
