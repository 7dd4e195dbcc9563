// The one way the program rewrites a file: write a temporary file beside it and rename it over
// the old one, so a crash or a full disk never leaves a half-written file behind.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vanta::core {

// Replaces the file at `path` with `content`. Throws AppError (61 "Disk full" when the disk
// fills, 75 "Path/File access error" for anything else: missing folder, no permission, a
// folder of that name); the old file then stays as it was.
void writeFileReplacing(const QString &path, const QByteArray &content);

// Lines as file text: Latin-1 (characters beyond it become "?"), each line ended by CR LF.
QByteArray latin1Lines(const QStringList &lines);

} // namespace vanta::core
