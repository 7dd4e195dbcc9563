// Where the program's data and settings files live.
#pragma once

#include <QString>

namespace vanta::core {

class AppState;

// The folder named by the environment variable VANTA_HOME when it is set and not empty, else the
// folder of the running executable (QCoreApplication must exist), else the current folder.
QString programFolder();

// The folder log files go to and log dialogs open in: the configured DefaultFolder when it names
// an existing folder (a relative one counts from the program folder), else the folder "Logs" in
// the program folder, created when it is missing. A delivered setting such as "C:\Logs\" on a
// system without that folder therefore never sends a dialog to the file system's root.
QString LogFolder(const AppState &app);

} // namespace vanta::core
