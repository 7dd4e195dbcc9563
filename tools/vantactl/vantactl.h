// vantactl: command-line access to instruments through the application's own state, tables and
// engines, for scripts and field diagnostics.
#pragma once

#include <QStringList>

namespace vanta::tools {

// Exit status of a malformed command line.
constexpr int UsageExitStatus = 64;

// Runs the tool with the arguments after the program name and returns its exit status: 0 on
// success, the failed access's status & 255, 1 when info found a data file that failed to
// load or a config command failed (config-diff: 1 different, 2 not compared), or
// UsageExitStatus.
int runVantactl(const QStringList &arguments);

} // namespace vanta::tools
