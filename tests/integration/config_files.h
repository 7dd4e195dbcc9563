// What the configuration integration tests share: vantactl run against the simulator's line,
// the lines of a parameter file that a send writes, and a program folder for VantaLnk3 itself.
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace vanta::test {

struct VantactlRun
{
    int exitCode = -1; // -1 when it did not end within a minute
    QString out;       // what it printed on stdout
};

// vantactl COMMAND... on `link` at 9600,N,8,1 in the given group and protocol.
inline VantactlRun runVantactlFor(const QString &link, int group, const char *protocol,
                                  const QStringList &command)
{
    QProcess process;
    process.setProgram(QStringLiteral(VANTA_BIN_DIR "/vantactl"));
    process.setArguments(QStringList{"--folder", VANTA_BIN_DIR, "--device", link, "--settings",
                                     "9600,N,8,1", "--timeout", "300", "--group",
                                     QString::number(group), "--protocol",
                                     QLatin1String(protocol)} +
                         command);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

// The same, its exit status only.
inline int runVantactl(const QString &link, int group, const char *protocol,
                       const QStringList &command)
{
    return runVantactlFor(link, group, protocol, command).exitCode;
}

// The parameter lines of a file, without those a send never writes: the output hardware, the
// communication settings, the command boxes and the live status word.
inline QStringList sentLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("cannot open ") + path};
    static const QRegularExpression neverSent(
        QStringLiteral("^(3|769|772|102[89]|103[1256]|106[7-9]|107[0-4]|107[1-6]H),"));
    QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    lines.removeFirst(); // the address
    QStringList kept;
    for (const QString &line : lines) {
        if (!neverSent.match(line).hasMatch())
            kept << line;
    }
    return kept;
}

// The delivered data files in `folder`, with port 1 mapped to `device`.
inline bool prepareProgramFolder(const QString &folder, const QString &device)
{
    const QDir data(QStringLiteral(VANTA_DATA_DIR));
    for (const QString &name :
         data.entryList({"*.txt", "*.TXT", "*.bmp", "*.cfg", "*.val"}, QDir::Files)) {
        if (name != QLatin1String("CMakeLists.txt") &&
            !QFile::copy(data.filePath(name), QDir(folder).filePath(name)))
            return false;
    }
    QFile ports(QDir(folder).filePath(QStringLiteral("CommPorts.txt")));
    if (!ports.open(QIODevice::WriteOnly))
        return false;
    ports.write("Port map of the test\r\n\r\n\r\n\r\n\r\n1," + device.toLocal8Bit() + "\r\n");
    return true;
}

} // namespace vanta::test
