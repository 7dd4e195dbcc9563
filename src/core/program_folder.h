// Where the program's data and settings files live.
#pragma once

#include <QString>

namespace vanta::core {

// The folder named by the environment variable VANTA_HOME when it is set and not empty, else the
// folder of the running executable (QCoreApplication must exist), else the current folder.
QString programFolder();

} // namespace vanta::core
