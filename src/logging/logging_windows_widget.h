// Plugs the logging windows into the navigator.
#pragma once

#include "logging/log_viewing.h"

namespace vanta::ui {
class Navigator;
}

namespace vanta::logging {

// Registers the modal windows frmLogging (built afresh at each opening) and its snapshot window
// frmViewLog. `launch` starts the external log viewer; tests pass a fake.
void registerLoggingWindows(ui::Navigator &navigator,
                            ProgramLauncher launch = startDetachedProgram);

} // namespace vanta::logging
