// The access commands of vantactl.
#include "commands.h"

#include "comms/modbus_ascii.h"
#include "comms/modbus_rtu.h"
#include "comms/register_access.h"
#include "comms/vanta_link.h"
#include "core/number_format.h"

#include <QStringList>
#include <QVector>

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

Outcome readRegister(comms::CommLink &link, const Arguments &args, const Target &target)
{
    Outcome outcome;
    float value = 0;
    comms::ReadRegister(link, target.group, target.protocol, outcome.text, outcome.status,
                        target.address, args.Register, value);
    outcome.output = numberText(value);
    return outcome;
}

Outcome readScaled(comms::CommLink &link, const Arguments &args, const Target &target)
{
    Outcome outcome;
    comms::ScaledValue scaled;
    comms::ReadScaledValue(link, target.group, target.protocol, outcome.text, outcome.status,
                           target.address, args.Register, scaled);
    outcome.output =
        tabbed({scaled.ValueText, scaled.UnitText.trimmed(), numberText(scaled.Divisor),
                flagText(scaled.AlarmFlag1), flagText(scaled.AlarmFlag2)});
    return outcome;
}

Outcome writeRegister(comms::CommLink &link, const Arguments &args, const Target &target)
{
    Outcome outcome;
    comms::WriteRegister(link, target.group, target.protocol, outcome.text, outcome.status,
                         target.address, args.Register, static_cast<float>(args.values.value(0)));
    return outcome;
}

bool isAscii(const Target &target)
{
    return target.protocol == QLatin1String("A");
}

Outcome modbusRead(comms::CommLink &link, const Arguments &args, const Target &target)
{
    Outcome outcome;
    QVector<float> values(args.count, 0);
    const auto read = isAscii(target) ? comms::ModbusRead_A : comms::ModbusRead_R;
    read(link, target.group, 0, outcome.text, outcome.status, target.address, args.wire, args.type,
         args.count, values);
    QStringList texts;
    for (int i = 0; i < args.count; ++i)
        texts << numberText(values.value(i));
    outcome.output = texts.join(QLatin1Char(' '));
    return outcome;
}

Outcome modbusWrite(comms::CommLink &link, const Arguments &args, const Target &target)
{
    Outcome outcome;
    QVector<float> values;
    for (const double value : args.values)
        values.append(static_cast<float>(value));
    const auto write = isAscii(target) ? comms::ModbusWrite_A : comms::ModbusWrite_R;
    write(link, target.group, 0, outcome.text, outcome.status, target.address, args.wire, args.type,
          args.count, values);
    return outcome;
}

Outcome linkRead(comms::CommLink &link, const Arguments &args, const Target &target)
{
    Outcome outcome;
    comms::VantaLinkValue reply;
    comms::VantaLinkRead(link, outcome.text, outcome.status, target.address, args.command, reply,
                         0);
    outcome.output = tabbed({numberText(reply.Value), reply.DisplayText, reply.UnitText,
                             numberText(reply.Divisor), numberText(reply.RawValue),
                             flagText(reply.AlarmFlag1), flagText(reply.AlarmFlag2)});
    return outcome;
}

Outcome linkWrite(comms::CommLink &link, const Arguments &args, const Target &target, bool rawHex)
{
    Outcome outcome;
    QString replyText;
    comms::VantaLinkWrite(link, outcome.text, outcome.status, target.address, args.command,
                          static_cast<float>(args.values.value(0)), 0, replyText, rawHex);
    return outcome;
}

} // namespace

Outcome runCommand(comms::CommLink &link, Command command, const Arguments &args,
                   const Target &target, bool rawHex)
{
    Outcome outcome;
    switch (command) {
    case Command::Read:
        outcome = readRegister(link, args, target);
        break;
    case Command::ReadScaled:
        outcome = readScaled(link, args, target);
        break;
    case Command::Write:
        outcome = writeRegister(link, args, target);
        break;
    case Command::ModbusRead:
        outcome = modbusRead(link, args, target);
        break;
    case Command::ModbusWrite:
        outcome = modbusWrite(link, args, target);
        break;
    case Command::LinkRead:
        outcome = linkRead(link, args, target);
        break;
    case Command::LinkWrite:
        outcome = linkWrite(link, args, target, rawHex);
        break;
    case Command::Info:
        break;
    }
    if (outcome.status != 0)
        outcome.output.clear();
    return outcome;
}

QString hexPairs(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

} // namespace vanta::tools
