// Parsing fault descriptions and applying them to replies.
#include "faults.h"

#include "checksums.h"

#include <QStringList>

namespace vanta::sim {

namespace {

struct KindName
{
    const char *name;
    FaultKind kind;
    bool needsArgument;
};

constexpr KindName KindNames[] = {
    {"noreply", FaultKind::NoReply, false},
    {"late", FaultKind::Late, false},
    {"truncate", FaultKind::Truncate, false},
    {"badcheck", FaultKind::BadCheck, false},
    {"wrongaddr", FaultKind::WrongAddress, false},
    {"noise", FaultKind::Noise, false},
    {"noack", FaultKind::NoAck, false},
    {"exception", FaultKind::Exception, true},
    {"nak", FaultKind::NegativeAck, true},
};

bool parseKind(const QString &word, Fault &fault, QString &error)
{
    const QString name = word.section(':', 0, 0).toLower();
    const QString argument = word.section(':', 1);
    for (const KindName &k : KindNames) {
        if (name != QLatin1String(k.name))
            continue;
        fault.kind = k.kind;
        if (argument.isEmpty() && k.needsArgument) {
            error = QStringLiteral("%1 needs a code, as in %1:2").arg(name);
            return false;
        }
        bool ok = true;
        fault.argument = argument.isEmpty() ? 0 : argument.toInt(&ok);
        if (!ok || fault.argument < 0 || fault.argument > 600000) {
            error = QStringLiteral("bad number in %1").arg(word);
            return false;
        }
        return true;
    }
    error = QStringLiteral("unknown fault %1").arg(name);
    return false;
}

bool parseFrequency(const QStringList &words, Fault &fault, QString &error)
{
    if (words.isEmpty())
        return true;
    bool ok = false;
    if (words.size() == 2 && words[0] == QLatin1String("rate")) {
        fault.rate = words[1].toDouble(&ok);
        ok = ok && fault.rate >= 0 && fault.rate <= 1;
    } else if (words.size() == 2 && words[0] == QLatin1String("next")) {
        fault.remaining = words[1].toInt(&ok);
        ok = ok && fault.remaining >= 0;
    }
    if (!ok)
        error = QStringLiteral("expected \"rate R\" (0..1) or \"next N\" after the fault");
    return ok;
}

} // namespace

bool Fault::appliesTo(Protocol protocol) const
{
    switch (kind) {
    case FaultKind::Exception:
        return isModbus(protocol);
    case FaultKind::NegativeAck:
    case FaultKind::NoAck:
        return protocol == Protocol::VantaLink;
    default:
        return true;
    }
}

std::optional<Fault> parseFault(const QString &text, QString &error)
{
    QStringList words = text.simplified().split(' ', Qt::SkipEmptyParts);
    Fault fault;
    if (!words.isEmpty() && words.front().startsWith('@')) {
        fault.target = words.takeFirst().mid(1);
        if (fault.target.isEmpty()) {
            error = QStringLiteral("@ needs an instrument name");
            return std::nullopt;
        }
    }
    if (words.isEmpty()) {
        error = QStringLiteral("no fault given");
        return std::nullopt;
    }
    if (!parseKind(words.takeFirst(), fault, error) || !parseFrequency(words, fault, error))
        return std::nullopt;
    return fault;
}

namespace {

void changeReply(const Fault &fault, Reply &reply)
{
    switch (fault.kind) {
    case FaultKind::BadCheck:
        reply.corruptCheck = true;
        break;
    case FaultKind::WrongAddress:
        reply.address = reply.address % 255 + 1;
        break;
    case FaultKind::NoAck:
        reply.withAck = false;
        break;
    case FaultKind::Exception:
        reply.payload = QByteArray(1, static_cast<char>(reply.payload.at(0) | 0x80)) +
                        QByteArray(1, static_cast<char>(fault.argument));
        break;
    case FaultKind::NegativeAck:
        reply.payload = "N" + QByteArray::number(fault.argument % 100).rightJustified(2, '0');
        reply.checked = false;
        break;
    default:
        break;
    }
}

void changeEffect(const Fault &fault, FaultEffect &effect, std::mt19937 &random)
{
    switch (fault.kind) {
    case FaultKind::NoReply:
        effect.noReply = true;
        break;
    case FaultKind::Late:
        effect.extraDelaySeconds += (fault.argument > 0 ? fault.argument : 1000) / 1000.0;
        break;
    case FaultKind::Truncate:
        effect.truncateTo = fault.argument; // 0: half, decided once the reply is encoded
        break;
    case FaultKind::Noise: {
        // Bytes above 0x7F: never a start, end or acknowledge character of any protocol, so
        // the noise cannot end the application's collection of a reply early.
        std::uniform_int_distribution<int> byte(0x80, 0xFE);
        for (int i = 0; i < (fault.argument > 0 ? fault.argument : 4); ++i)
            effect.noise.append(static_cast<char>(byte(random)));
        break;
    }
    default:
        break;
    }
}

} // namespace

FaultEffect FaultSet::strike(const QString &instrument, Protocol protocol, Reply &reply,
                             std::mt19937 &random)
{
    FaultEffect effect;
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    for (Fault &fault : m_faults) {
        if (fault.remaining == 0 || !fault.appliesTo(protocol))
            continue;
        if (!fault.target.isEmpty() && fault.target != instrument)
            continue;
        if (fault.rate < 1.0 && chance(random) >= fault.rate)
            continue;
        if (fault.remaining > 0)
            --fault.remaining;
        changeReply(fault, reply);
        changeEffect(fault, effect, random);
    }
    return effect;
}

QByteArray applyEffect(const FaultEffect &effect, const QByteArray &encoded)
{
    if (effect.noReply)
        return {};
    QByteArray bytes = encoded;
    if (effect.truncateTo >= 0) {
        const int keep =
            effect.truncateTo > 0 ? effect.truncateTo : static_cast<int>(bytes.size() / 2);
        bytes.truncate(keep);
    }
    return effect.noise + bytes;
}

} // namespace vanta::sim
