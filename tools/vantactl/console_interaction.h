// The interaction port for command-line tools: message boxes become "title: text" lines on
// stderr and take their default answer; file dialogs are cancelled.
#pragma once

#include "core/interaction.h"

#include <QString>
#include <cstdio>

namespace vanta::tools {

class ConsoleInteraction : public core::Interaction
{
public:
    explicit ConsoleInteraction(std::FILE *out = stderr) : m_out(out) {}

    core::MsgResult MsgBox(const QString &text, core::MsgButtons buttons, core::MsgIcon icon,
                           const QString &title, core::MsgResult defaultButton) override;
    std::optional<QString> openFileDialog(const core::FileDialogRequest &request) override;
    std::optional<QString> saveFileDialog(const core::FileDialogRequest &request) override;
    void beep() override {}
    void setBusy(bool) override {}

    // Boxes shown so far; lets a caller tell whether a step reported anything.
    int boxCount() const { return m_boxCount; }

private:
    std::FILE *m_out;
    int m_boxCount = 0;
};

} // namespace vanta::tools
