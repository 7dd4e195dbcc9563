// The logging windows' factories. The two windows share the snapshot that "View Current" reads
// and frmViewLog shows, so neither needs the other.
#include "logging/logging_windows_widget.h"

#include "logging/frmLogging.h"
#include "logging/frmViewLog.h"
#include "ui/navigator.h"

namespace vanta::logging {

void registerLoggingWindows(ui::Navigator &navigator, ProgramLauncher launch)
{
    auto snapshot = std::make_shared<LogSnapshot>();
    navigator.registerModal(QStringLiteral("frmLogging"),
                            [snapshot, launch](const ui::WindowContext &context) {
                                return std::make_unique<frmLogging>(context, snapshot, launch);
                            });
    navigator.registerModal(QStringLiteral("frmViewLog"), [snapshot](const ui::WindowContext &) {
        return std::make_unique<frmViewLog>(*snapshot);
    });
}

} // namespace vanta::logging
