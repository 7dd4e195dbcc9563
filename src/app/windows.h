// The program's windows by name: every window the navigator can show is registered here, with
// the logic objects several windows share (the logging engine the main window's timer runs).
#pragma once

#include "logging/logging_sessions.h"
#include "ui/navigator.h"

namespace vanta::app {

class ProgramWindows
{
public:
    // Registers every built window with `navigator` and hands it the logging tick.
    explicit ProgramWindows(ui::Navigator &navigator);
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    // Shows frmMain, the first main screen. With the environment variable VANTA_STARTUP_PROBE
    // set, prints "main window shown" on standard output once the window's first events have
    // been processed and ends the program: the start-up benchmark measures up to that line.
    void showMainWindow();

    logging::LoggingEngine &loggingEngine() { return m_logging; }

private:
    ui::Navigator &m_navigator;
    logging::LoggingEngine m_logging;
};

} // namespace vanta::app
