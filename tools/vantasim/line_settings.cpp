// Parsing, formatting and matching of serial settings.
#include "line_settings.h"

#include <QStringList>

namespace vanta::sim {

std::optional<LineSettings> LineSettings::parse(const QString &text)
{
    const QStringList parts = text.split(',');
    if (parts.size() != 4)
        return std::nullopt;
    bool baudOk = false;
    bool dataOk = false;
    bool stopOk = false;
    LineSettings s;
    s.baud = parts[0].trimmed().toInt(&baudOk);
    const QString parity = parts[1].trimmed().toUpper();
    s.dataBits = parts[2].trimmed().toInt(&dataOk);
    s.stopBits = parts[3].trimmed().toInt(&stopOk);
    if (!baudOk || !dataOk || !stopOk || parity.isEmpty() || s.baud < 50 || s.baud > 4000000)
        return std::nullopt;
    s.parity = parity.at(0).toLatin1();
    if (!QByteArrayLiteral("NEOMS").contains(s.parity))
        return std::nullopt;
    if (s.dataBits < 5 || s.dataBits > 8 || (s.stopBits != 1 && s.stopBits != 2))
        return std::nullopt;
    return s;
}

QString LineSettings::toText() const
{
    return QStringLiteral("%1,%2,%3,%4").arg(baud).arg(QChar(parity)).arg(dataBits).arg(stopBits);
}

int LineSettings::bitsPerCharacter() const
{
    return 1 + dataBits + (parity == 'N' ? 0 : 1) + stopBits;
}

double LineSettings::characterSeconds() const
{
    return static_cast<double>(bitsPerCharacter()) / baud;
}

bool settingsMatch(const LineSettings &own, const ObservedLine &line)
{
    if (own.baud != line.settings.baud || own.stopBits != line.settings.stopBits)
        return false;
    if (!line.framingKnown)
        return true;
    return own.parity == line.settings.parity && own.dataBits == line.settings.dataBits;
}

} // namespace vanta::sim
