// Nobody to ask: every box takes its default answer and every dialog is cancelled. For
// benchmarks and other runs that show no boxes and need no record of them.
#pragma once

#include "core/interaction.h"

namespace vanta::test {

class SilentInteraction final : public core::HeadlessInteraction
{
public:
    core::MsgResult MsgBox(const QString &, core::MsgButtons, core::MsgIcon, const QString &,
                           core::MsgResult defaultButton) override
    {
        return defaultButton;
    }
};

} // namespace vanta::test
