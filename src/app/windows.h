// The program's windows by name: every window the navigator can show is registered here, with
// the logic objects several windows share (the logging engine the main window's timer runs).
#pragma once

#include "comms/trace_ring.h"
#include "logging/logging_sessions.h"
#include "ui/navigator.h"

namespace vanta::app {

class ProgramWindows
{
public:
    // Registers every built window with `navigator` and hands it the logging tick.
    // Every frame of the program's transactions goes into the trace ring from now on, whether
    // the trace window is open or not.
    explicit ProgramWindows(ui::Navigator &navigator);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    // Shows frmMain, the first main screen. With the environment variable VANTA_STARTUP_PROBE
    // set, prints "main window shown" on standard output once the window's first events have
    // been processed and ends the program: the start-up benchmark measures up to that line.
    void showMainWindow();
    // The command line's unattended send: the configuration window in front, the file sent to
    // every address, then the program's end. Returns the exit status (0 when every address was
    // sent completely).
    int autoSend(const QString &commandLine);

    logging::LoggingEngine &loggingEngine() { return m_logging; }
    comms::TraceRing &traceRing() { return m_trace; }

private:
    ui::Navigator &m_navigator;
    logging::LoggingEngine m_logging;
    comms::TraceRing m_trace;
};

} // namespace vanta::app
