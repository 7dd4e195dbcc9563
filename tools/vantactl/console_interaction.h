// The interaction port for command-line tools: message boxes become "title: text" lines on
// stderr and take their default answer; file, folder and print dialogs are cancelled.
#pragma once

#include "core/interaction.h"

#include <QString>
#include <cstdio>

namespace vanta::tools {

class ConsoleInteraction : public core::HeadlessInteraction
{
public:
    explicit ConsoleInteraction(std::FILE *out = stderr) : m_out(out) {}

    core::MsgResult MsgBox(const QString &text, core::MsgButtons buttons, core::MsgIcon icon,
                           const QString &title, core::MsgResult defaultButton) override;

    // Boxes shown so far; lets a caller tell whether a step reported anything.
    int boxCount() const { return m_boxCount; }
    // The text of the last box shown; empty before the first.
    const QString &lastText() const { return m_lastText; }

private:
    std::FILE *m_out;
    int m_boxCount = 0;
    QString m_lastText;
};

} // namespace vanta::tools
