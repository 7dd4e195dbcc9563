// Bounded reads of regular files: checked before opening, opened without blocking, checked again
// on the open descriptor and read no further than the limit.
#include "core/regular_file.h"

#include "core/app_error.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFileInfo>
#endif

namespace vanta::core {

namespace {

[[noreturn]] void throwNotFound()
{
    throw AppError{ErrorNumber::FileNotFound, QStringLiteral("File not found")};
}

[[noreturn]] void throwAccessError()
{
    throw AppError{ErrorNumber::PathFileAccessError, QStringLiteral("Path/File access error")};
}

bool isReadableSize(qint64 size, qint64 maxBytes)
{
    return size >= 0 && size <= maxBytes;
}

#ifdef Q_OS_UNIX
// Closes the descriptor however the read ends.
struct Descriptor
{
    explicit Descriptor(int descriptor) : fd(descriptor) {}
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    const int fd;
};

bool isRegularOfReadableSize(const struct stat &status, qint64 maxBytes)
{
    return S_ISREG(status.st_mode) && isReadableSize(status.st_size, maxBytes);
}

// Reads until the end or one byte past the limit, whichever comes first.
QByteArray readBounded(int fd, qint64 maxBytes)
{
    QByteArray content;
    char buffer[65536];
    while (content.size() <= maxBytes) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            return content;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throwAccessError();
        content.append(buffer, static_cast<qsizetype>(n));
    }
    throwAccessError(); // the file grew past the limit while it was read
}

QByteArray readFile(const QString &path, qint64 maxBytes)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (::stat(name.constData(), &status) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throwNotFound();
        throwAccessError();
    }
    if (!isRegularOfReadableSize(status, maxBytes))
        throwAccessError();
    // Something else may have taken the name since: O_NONBLOCK keeps a fifo from blocking the
    // open, and the descriptor itself is checked again.
    const Descriptor file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0 || !isRegularOfReadableSize(status, maxBytes))
        throwAccessError();
    // A regular file: ordinary blocking reads from here on.
    ::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK);
    return readBounded(file.fd, maxBytes);
}
#else
QByteArray readFile(const QString &path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (!info.exists())
        throwNotFound();
    if (!info.isFile() || !isReadableSize(info.size(), maxBytes))
        throwAccessError();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throwAccessError();
    QByteArray content = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError || content.size() > maxBytes)
        throwAccessError();
    return content;
}
#endif

} // namespace

QByteArray readRegularFile(const QString &path, qint64 maxBytes)
{
    if (path.isEmpty())
        throwNotFound();
    return readFile(path, maxBytes);
}

} // namespace vanta::core
