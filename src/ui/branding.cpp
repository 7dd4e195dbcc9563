// Title file, version label and picture file names.
#include "ui/branding.h"

#include "core/app_error.h"
#include "core/number_format.h"
#include "core/regular_file.h"

namespace vanta::ui {

namespace {
// The title is one line; a larger file is no title file.
constexpr qint64 MaxTitleFileBytes = 64 * 1024;
} // namespace

ProgramVersion programVersion()
{
    return {VANTA_VERSION_MAJOR, VANTA_VERSION_MINOR, VANTA_VERSION_PATCH};
}

QString versionLabelText(const ProgramVersion &version)
{
    return QStringLiteral("VERSION ") + core::signOrBlank(version.major) + QLatin1Char('.') +
           core::formatNumber(version.minor, QStringLiteral("00")) + QLatin1Char('.') +
           core::formatNumber(version.revision, QStringLiteral("00"));
}

bool isBetaVersion(const ProgramVersion &version)
{
    return version.major <= 0;
}

QString titleFileName(bool productMode)
{
    return productMode ? QStringLiteral("Apptitle-1.txt") : QStringLiteral("Apptitle.txt");
}

QString pictureFileName(bool productMode)
{
    return productMode ? QStringLiteral("Company-1.bmp") : QStringLiteral("Company.bmp");
}

QString readTitleLine(const QString &path)
{
    try {
        const QByteArray content = core::readRegularFile(path, MaxTitleFileBytes);
        const qsizetype end = content.indexOf('\n');
        QByteArray line = end < 0 ? content : content.left(end);
        while (line.endsWith('\r'))
            line.chop(1);
        return QString::fromLatin1(line);
    } catch (const core::AppError &) {
        return {};
    }
}

} // namespace vanta::ui
