// A throw-away program folder holding data files written by a test.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace vanta::test {

// The lines of a file as written, CR LF removed; empty when it is missing.
inline QStringList fileLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

class TempProgramFolder
{
public:
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

    // Writes `content` as it stands (bytes are the file's Latin-1 text).
    void writeRaw(const QString &name, const QByteArray &content) const
    {
        QFile file(filePath(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(content);
    }
    // Writes five free header lines, then `body`.
    void writeDataFile(const QString &name, const QByteArray &body) const
    {
        writeRaw(name, QByteArrayLiteral("Header 1\r\nHeader 2\r\nHeader 3\r\nHeader 4\r\n"
                                         "Header 5\r\n") +
                           body);
    }
    void remove(const QString &name) const { QFile::remove(filePath(name)); }
    // The lines of a file as written, CR LF removed; empty when it is missing.
    QStringList lines(const QString &name) const { return fileLines(filePath(name)); }

private:
    QTemporaryDir m_dir;
};

} // namespace vanta::test
