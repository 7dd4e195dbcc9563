// The port settings text taken apart.
#include "comms/port_settings.h"

#include "core/app_error.h"

#include <QStringList>

namespace vanta::comms {

namespace {

constexpr int InvalidPropertyValue = 380;

std::optional<Parity> parityFromLetter(const QString &text)
{
    if (text.size() != 1)
        return std::nullopt;
    switch (text.at(0).toUpper().toLatin1()) {
    case 'N':
        return Parity::None;
    case 'E':
        return Parity::Even;
    case 'O':
        return Parity::Odd;
    case 'M':
        return Parity::Mark;
    case 'S':
        return Parity::Space;
    default:
        return std::nullopt;
    }
}

std::optional<int> wholeNumber(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<PortSettings> parsePortSettings(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    const std::optional<int> baud = wholeNumber(parts[0].trimmed());
    const std::optional<Parity> parity = parityFromLetter(parts[1].trimmed());
    const std::optional<int> dataBits = wholeNumber(parts[2].trimmed());
    const std::optional<int> stopBits = wholeNumber(parts[3].trimmed());
    if (!baud || *baud <= 0 || !parity || !dataBits || !stopBits)
        return std::nullopt;
    if ((*dataBits != 7 && *dataBits != 8) || (*stopBits != 1 && *stopBits != 2))
        return std::nullopt;
    return PortSettings{*baud, *parity, *dataBits, *stopBits};
}

PortSettings requirePortSettings(const QString &text)
{
    const std::optional<PortSettings> settings = parsePortSettings(text);
    if (!settings)
        throw core::AppError{InvalidPropertyValue, QStringLiteral("Invalid property value")};
    return *settings;
}

} // namespace vanta::comms
