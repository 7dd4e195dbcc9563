// Running a window's event handler: an unexpected failure inside it is reported to the user and
// the handler ends, so the window keeps working.
#pragma once

#include <functional>

namespace vanta::core {
class Interaction;
} // namespace vanta::core

namespace vanta::ui {

// Runs `body`. A core::AppError thrown by it is shown as the "Application Error" report with
// "Routine - " followed by `routine` ("frmLogging.cmdStart_Click") and runHandler returns
// normally. State the body set for its own duration (busy flags, the busy pointer) belongs in
// scoped objects inside it (QScopedValueRollback, core::BusyPointer), so it is undone on the way
// out either way.
void runHandler(core::Interaction &ui, const char *routine, const std::function<void()> &body);

} // namespace vanta::ui
