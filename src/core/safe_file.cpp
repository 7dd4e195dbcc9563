// Write-and-rename through QSaveFile.
#include "core/safe_file.h"

#include "core/app_error.h"

#include <QSaveFile>

namespace vanta::core {

namespace {
constexpr int DiskFull = 61;

[[noreturn]] void throwWriteError(const QSaveFile &file)
{
    if (file.error() == QFileDevice::ResourceError)
        throw AppError{DiskFull, QStringLiteral("Disk full")};
    throw AppError{ErrorNumber::PathFileAccessError, QStringLiteral("Path/File access error")};
}
} // namespace

void writeFileReplacing(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throwWriteError(file);
    if (file.write(content) != content.size())
        throwWriteError(file); // the destructor discards the temporary file
    if (!file.commit())
        throwWriteError(file);
}

QByteArray latin1Lines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace vanta::core
