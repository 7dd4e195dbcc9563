// Folder and file-name parts of a path.
#include "core/file_path.h"

namespace vanta::core {

namespace {
// "/" separates on Windows too, which accepts it in paths.
bool isSeparator(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char(':') || c == QLatin1Char('/');
}

// Index of the last separator, -1 when there is none.
int lastSeparator(const QString &path)
{
    for (int i = path.size() - 1; i >= 0; --i) {
        if (isSeparator(path[i]))
            return i;
    }
    return -1;
}

QString withoutFinalSeparator(const QString &folder)
{
    QString result = folder;
    while (result.size() > 1 &&
           (result.endsWith(QLatin1Char('/')) || result.endsWith(QLatin1Char('\\'))))
        result.chop(1);
    return result;
}
} // namespace

QString FilePath(const QString &programFolder, const QString &Path)
{
    const int found = lastSeparator(Path);
    if (found >= 1)
        return Path.left(found + 1);
#ifndef Q_OS_WIN
    if (found == 0 && Path[0] == QLatin1Char('/'))
        return QStringLiteral("/");
#endif
    return withoutFinalSeparator(programFolder);
}

QString NameOfFile(const QString &Path)
{
    return Path.mid(lastSeparator(Path) + 1);
}

} // namespace vanta::core
