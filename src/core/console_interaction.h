// The interaction port with nobody at the screen (command-line tools, unattended runs of the
// program): message boxes become "title: text" lines on stderr and take their default answer;
// file, folder and print dialogs are cancelled.
#pragma once

#include "core/interaction.h"

#include <QString>
#include <cstdio>

namespace vanta::core {

class ConsoleInteraction : public HeadlessInteraction
{
public:
    explicit ConsoleInteraction(std::FILE *out = stderr) : m_out(out) {}

    MsgResult MsgBox(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title,
                     MsgResult defaultButton) override;

    // Boxes shown so far; lets a caller tell whether a step reported anything.
    int boxCount() const { return m_boxCount; }
    // The text of the last box shown; empty before the first.
    const QString &lastText() const { return m_lastText; }

private:
    std::FILE *m_out;
    int m_boxCount = 0;
    QString m_lastText;
};

} // namespace vanta::core
