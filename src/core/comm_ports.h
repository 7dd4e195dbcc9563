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

// True where port numbers reach their devices through CommPorts.txt (everywhere but Windows,
// whose ports are named by their numbers).
bool portsMappedByFile();

// Maps port number `port` (1 or more) to `device` in CommPorts.txt: the record of that number
// takes the place of the first old one (later ones of the number go), every other line stays,
// the header lines included; a missing file is made with a header of its own. The file is
// replaced only once the new one is complete. Throws AppError 5 for a port below 1 or a device
// that cannot be stored (empty, a double quote or a line break in it, which reading would lose)
// and the safe writer's errors when the file cannot be written.
void writeDeviceForPort(const QString &programFolder, int port, const QString &device);

} // namespace vanta::core
