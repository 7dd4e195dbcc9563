// Nobody to ask: every box takes its default answer and every dialog is cancelled. For
// benchmarks and other runs that show no boxes and need no record of them.
#pragma once

#include "core/interaction.h"

namespace vanta::test {

class SilentInteraction final : public core::Interaction
{
public:
    core::MsgResult MsgBox(const QString &, core::MsgButtons, core::MsgIcon, const QString &,
                           core::MsgResult defaultButton) override
    {
        return defaultButton;
    }
    std::optional<QString> openFileDialog(const core::FileDialogRequest &) override { return {}; }
    std::optional<QString> saveFileDialog(const core::FileDialogRequest &) override { return {}; }
    void beep() override {}
    void setBusy(bool) override {}
};

} // namespace vanta::test
