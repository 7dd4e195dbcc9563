// Opening the serial port.
#pragma once

#include "comms/comm_link.h"

#include <QString>

namespace vanta::comms {

// Opens the port numbered CommPort of the system configuration with `Settings`
// ("9600,N,8,1"), RTS on, closing it first when it is open. Returns 0, sets CommEnabled and
// on success; on failure reports it through the interaction port ("InitComm" box for a missing or
// busy port, the application error report otherwise), clears CommEnabled and returns -1. The main
// window's logging timer and indicator follow AppState::commEnabledChanged.
int InitComm(CommLink &link, const QString &Settings);

// The settings text built from the system configuration: "9600,N,8,1".
QString portSettingsText(const core::SystemConfig &config);

} // namespace vanta::comms
