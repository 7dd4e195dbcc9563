// Address texts, hexadecimal texts and protocol codes.
#include "core/address.h"

#include "core/number_format.h"

#include <algorithm>
#include <cmath>

namespace vanta::core {

namespace {
QString upperHex(qint64 value, int width)
{
    return QString::number(value, 16).toUpper().rightJustified(width, QLatin1Char('0'));
}
} // namespace

QStringList addressListEntries(bool hexMode)
{
    QStringList entries;
    entries.reserve(MaxAddress);
    for (int address = MinAddress; address <= MaxAddress; ++address)
        entries << FormatAddress(hexMode ? 0 : 1, address);
    return entries;
}

QString defaultAddressText(bool hexMode)
{
    return hexMode ? QStringLiteral("32") : QStringLiteral("001");
}

int ParseAddress(int Group, const QString &Text)
{
    const QString trimmed = Text.trimmed();
    bool ok = false;
    const int value = trimmed.toInt(&ok, Group == 0 ? 16 : 10);
    return ok ? value : 0;
}

QString FormatAddress(int Group, int Address)
{
    if (Group == 0)
        return Hex2(Address);
    return formatNumber(Address, QStringLiteral("000"));
}

QString Hex2(int Value)
{
    return upperHex(Value & 0xFF, 2);
}

QString Hex4(double Value)
{
    if (!std::isfinite(Value))
        return QStringLiteral("0000");
    const double clamped = std::clamp(Value, -2147483648.0, 2147483647.0);
    const qint64 whole = std::llround(clamped);
    return upperHex(whole & 0xFFFF, 4);
}

QString ProtocolCodeFromIndex(int Index)
{
    switch (Index) {
    case 0:
        return QStringLiteral("L");
    case 2:
        return QStringLiteral("A");
    default:
        return QStringLiteral("R");
    }
}

int ProtocolIndexFromCode(const QString &Code)
{
    if (Code == QLatin1String("L"))
        return 0;
    if (Code == QLatin1String("A"))
        return 2;
    return 1;
}

} // namespace vanta::core
