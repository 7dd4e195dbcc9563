// The one way the program reads a data or settings file: only a regular file (symbolic links
// followed) of bounded size is read, so a fifo, a device, a socket or a folder in place of a
// file is refused at once instead of blocking the program or filling its memory.
#pragma once

#include <QByteArray>
#include <QString>

namespace vanta::core {

// Far above any real table or settings file.
constexpr qint64 MaxDataFileBytes = 16 * 1024 * 1024;

// The whole content of the file at `path`. Throws AppError 53 "File not found" when nothing is
// there (a dangling link included) and 75 "Path/File access error" for anything that is not a
// regular file, a file larger than `maxBytes`, or one that cannot be read. Never opens a
// device, and never blocks on a fifo put in place of the file after the check.
QByteArray readRegularFile(const QString &path, qint64 maxBytes = MaxDataFileBytes);

} // namespace vanta::core
