// Protocol letters and the address prefix of result texts.
#include "comms/target.h"

#include "core/address.h"

namespace vanta::comms {

namespace {

struct ProtocolLetter
{
    Protocol protocol;
    char letter;
};

constexpr ProtocolLetter ProtocolLetters[] = {
    {Protocol::VantaLink, 'L'},
    {Protocol::ModbusRtu, 'R'},
    {Protocol::ModbusAscii, 'A'},
};

} // namespace

std::optional<Protocol> protocolFromCode(const QString &code)
{
    for (const ProtocolLetter &entry : ProtocolLetters) {
        if (code == QLatin1Char(entry.letter))
            return entry.protocol;
    }
    return std::nullopt;
}

QString protocolCode(Protocol protocol)
{
    for (const ProtocolLetter &entry : ProtocolLetters) {
        if (entry.protocol == protocol)
            return QString(QLatin1Char(entry.letter));
    }
    return QString();
}

QString addressPrefix(int Group, int Address)
{
    if (Group == 0 && !core::isValidAddress(Address))
        return QStringLiteral("Address ") +
               QString::number(Address, 16).toUpper().rightJustified(2, QLatin1Char('0'));
    return QStringLiteral("Address ") + core::FormatAddress(Group, Address);
}

} // namespace vanta::comms
