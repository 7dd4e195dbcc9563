// Serial port numbers to devices. Ports stay numbers (COM n) in settings and texts; only opening
// a port needs the device.
#pragma once

#include <QString>

namespace vanta::core {

// The device of port number `port` (COM1 = 1). On Windows "COMn". Elsewhere the optional file
// "CommPorts.txt" in the program folder maps numbers to devices (5 free header lines, then
// records "n,device", e.g. "3,/dev/ttyUSB0"); an unmapped n is "/dev/ttyS" + (n - 1). A port
// number below 1 gives an empty text (no such device). Records that are not a number and a
// device are skipped; the first record of a number wins. A "CommPorts.txt" that is no regular
// file, or larger than 1 MB, counts as missing.
QString devicePathForPort(const QString &programFolder, int port);

} // namespace vanta::core
