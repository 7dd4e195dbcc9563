// The access commands of vantactl.
#include "commands.h"

#include "comms/modbus_ascii.h"
#include "comms/modbus_rtu.h"
#include "comms/register_access.h"
#include "comms/vanta_link.h"
#include "core/number_format.h"

#include <QStringList>
#include <QVector>
#include <functional>

namespace vanta::tools {

namespace {

using core::numberText;

QString flagText(bool flag)
{
    return flag ? QStringLiteral("-1") : QStringLiteral("0");
}

QString tabbed(const QStringList &fields)
{
    return fields.join(QLatin1Char('\t'));
}

// One run's status and text, and how to word its result when it is to be printed.
struct Access
{
    comms::Outcome outcome;
    std::function<QString()> words = [] { return QString(); };
};

using comms::Target;

Access readRegister(comms::CommLink &link, const Arguments &args, const Target &target)
{
    const comms::ValueOutcome<float> read = comms::readRegister(link, target, args.Register);
    return {read, [value = read.value] { return numberText(value); }};
}

Access readScaled(comms::CommLink &link, const Arguments &args, const Target &target)
{
    const comms::ValueOutcome<comms::ScaledValue> read =
        comms::readScaledValue(link, target, args.Register);
    return {read, [scaled = read.value] {
                return tabbed({scaled.ValueText, scaled.UnitText.trimmed(),
                               numberText(scaled.Divisor), flagText(scaled.AlarmFlag1),
                               flagText(scaled.AlarmFlag2)});
            }};
}

Access writeRegister(comms::CommLink &link, const Arguments &args, const Target &target)
{
    Access access;
    access.outcome =
        comms::writeRegister(link, target, args.Register, static_cast<float>(args.values.value(0)));
    return access;
}

bool isAscii(const Target &target)
{
    return target.protocol == comms::Protocol::ModbusAscii;
}

Access modbusRead(comms::CommLink &link, const Arguments &args, const Target &target)
{
    Access access;
    QVector<float> values(args.count, 0);
    const auto read = isAscii(target) ? comms::ModbusRead_A : comms::ModbusRead_R;
    read(link, target.group, 0, access.outcome.text, access.outcome.status, target.address,
         args.wire, args.type, args.count, values);
    access.words = [values, count = args.count] {
        QStringList texts;
        for (int i = 0; i < count; ++i)
            texts << numberText(values.value(i));
        return texts.join(QLatin1Char(' '));
    };
    return access;
}

Access modbusWrite(comms::CommLink &link, const Arguments &args, const Target &target)
{
    Access access;
    QVector<float> values;
    for (const double value : args.values)
        values.append(static_cast<float>(value));
    const auto write = isAscii(target) ? comms::ModbusWrite_A : comms::ModbusWrite_R;
    write(link, target.group, 0, access.outcome.text, access.outcome.status, target.address,
          args.wire, args.type, args.count, values);
    return access;
}

Access linkRead(comms::CommLink &link, const Arguments &args, const Target &target)
{
    Access access;
    comms::VantaLinkValue reply;
    comms::VantaLinkRead(link, access.outcome.text, access.outcome.status, target.address,
                         args.command, reply, 0);
    access.words = [reply] {
        return tabbed({numberText(reply.Value), reply.ValueText, reply.UnitText,
                       numberText(reply.Divisor), numberText(reply.RawValue),
                       flagText(reply.AlarmFlag1), flagText(reply.AlarmFlag2)});
    };
    return access;
}

Access linkWrite(comms::CommLink &link, const Arguments &args, const Target &target, bool rawHex)
{
    Access access;
    QString replyText;
    comms::VantaLinkWrite(link, access.outcome.text, access.outcome.status, target.address,
                          args.command, static_cast<float>(args.values.value(0)), 0, replyText,
                          rawHex);
    return access;
}

Access runAccess(comms::CommLink &link, Command command, const Arguments &args,
                 const Target &target, bool rawHex)
{
    switch (command) {
    case Command::Read:
        return readRegister(link, args, target);
    case Command::ReadScaled:
        return readScaled(link, args, target);
    case Command::Write:
        return writeRegister(link, args, target);
    case Command::ModbusRead:
        return modbusRead(link, args, target);
    case Command::ModbusWrite:
        return modbusWrite(link, args, target);
    case Command::LinkRead:
        return linkRead(link, args, target);
    case Command::LinkWrite:
        return linkWrite(link, args, target, rawHex);
    case Command::ConfigRead: // run by config_commands.h
    case Command::ConfigSend:
    case Command::ConfigDiff:
    case Command::Info:
        break;
    }
    return {};
}

} // namespace

Outcome runCommand(comms::CommLink &link, Command command, const Arguments &args,
                   const Target &target, bool rawHex, Wording wording)
{
    const Access access = runAccess(link, command, args, target, rawHex);
    Outcome outcome = Outcome::of(access.outcome);
    if (outcome.succeeded() && wording == Wording::Print)
        outcome.value = access.words();
    return outcome;
}

QString hexPairs(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

} // namespace vanta::tools
