// Parsing and checking the vantactl command line.
#include "command_line.h"

#include "core/address.h"

#include <QRegularExpression>
#include <cmath>
#include <functional>

namespace vanta::tools {

namespace {

// Modbus limits of one request: 123 registers in a write, 2000 bits in a read.
constexpr int MaxWriteValues = 123;
constexpr int MaxReadCount = 2000;
constexpr int MaxRepeat = 1000000000;

[[noreturn]] void fail(const QString &message)
{
    throw UsageError{message};
}

bool matches(const QString &text, const char *pattern)
{
    const QRegularExpression expression(
        QRegularExpression::anchoredPattern(QLatin1String(pattern)));
    return expression.match(text).hasMatch();
}

int parseDecimal(const QString &text, const QString &what, int low, int high)
{
    bool ok = false;
    // Ten digits reach every bound below; toInt refuses what does not fit an int.
    const int value = matches(text, "[+-]?[0-9]{1,10}") ? text.toInt(&ok) : 0;
    if (!ok || value < low || value > high)
        fail(QStringLiteral("%1 must be a whole number from %2 to %3: \"%4\"")
                 .arg(what)
                 .arg(low)
                 .arg(high)
                 .arg(text));
    return value;
}

int parseHex(const QString &text, const QString &what)
{
    if (!matches(text, "[0-9A-Fa-f]{1,4}"))
        fail(QStringLiteral("%1 must be one to four hexadecimal digits: \"%2\"").arg(what, text));
    return text.toInt(nullptr, 16);
}

double parseValue(const QString &text, const QString &what)
{
    bool ok = false;
    // QString::toDouble is locale-independent ("." decimal point) and takes exponents.
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        fail(QStringLiteral("%1 must be a number: \"%2\"").arg(what, text));
    return value;
}

int parseRegister(const QString &text)
{
    return parseDecimal(text, QStringLiteral("REGISTER"), -32768, 32767);
}

QString pathValue(const QString &name, const QString &path);

struct CommandForm
{
    const char *name;
    Command command;
    int argumentCount; // modbus-write: the least count
    bool moreValues;   // takes further values
    void (*parse)(const QStringList &args, Arguments &parsed);
};

void parseRegisterArgs(const QStringList &args, Arguments &parsed)
{
    parsed.Register = parseRegister(args[1]);
    if (args.size() > 2)
        parsed.values = {parseValue(args[2], QStringLiteral("VALUE"))};
}

void parseModbusArgs(const QStringList &args, Arguments &parsed)
{
    parsed.wire = parseHex(args[1], QStringLiteral("WIRE"));
    parsed.type = parseDecimal(args[2], QStringLiteral("TYPE"), 1, 5);
}

void parseModbusReadArgs(const QStringList &args, Arguments &parsed)
{
    parseModbusArgs(args, parsed);
    parsed.count = parseDecimal(args[3], QStringLiteral("COUNT"), 1, MaxReadCount);
}

void parseModbusWriteArgs(const QStringList &args, Arguments &parsed)
{
    parseModbusArgs(args, parsed);
    if (args.size() - 3 > MaxWriteValues)
        fail(QStringLiteral("at most %1 values in one write").arg(MaxWriteValues));
    for (int i = 3; i < args.size(); ++i)
        parsed.values.append(parseValue(args[i], QStringLiteral("VALUE")));
    parsed.count = static_cast<int>(parsed.values.size());
}

void parseLinkArgs(const QStringList &args, Arguments &parsed)
{
    parsed.command = parseHex(args[1], QStringLiteral("COMMAND"));
    if (args.size() > 2)
        parsed.values = {parseValue(args[2], QStringLiteral("VALUE"))};
}

void parseConfigReadArgs(const QStringList &args, Arguments &parsed)
{
    parsed.file = pathValue(QStringLiteral("FILE"), args[1]);
}

void parseConfigSendArgs(const QStringList &args, Arguments &parsed)
{
    parsed.file = pathValue(QStringLiteral("FILE"), args[0]);
    parsed.addresses = args.mid(1);
    parsed.address = args[1];
}

void parseConfigDiffArgs(const QStringList &args, Arguments &parsed)
{
    parsed.file = pathValue(QStringLiteral("FILE"), args[0]);
    parsed.other = pathValue(QStringLiteral("the second FILE or ADDRESS"), args[1]);
}

void parseNothing(const QStringList &, Arguments &)
{}

const CommandForm Commands[] = {
    {"read", Command::Read, 2, false, parseRegisterArgs},
    {"read-scaled", Command::ReadScaled, 2, false, parseRegisterArgs},
    {"write", Command::Write, 3, false, parseRegisterArgs},
    {"modbus-read", Command::ModbusRead, 4, false, parseModbusReadArgs},
    {"modbus-write", Command::ModbusWrite, 4, true, parseModbusWriteArgs},
    {"link-read", Command::LinkRead, 2, false, parseLinkArgs},
    {"link-write", Command::LinkWrite, 3, false, parseLinkArgs},
    {"config-read", Command::ConfigRead, 2, false, parseConfigReadArgs},
    {"config-send", Command::ConfigSend, 2, true, parseConfigSendArgs},
    {"config-diff", Command::ConfigDiff, 2, false, parseConfigDiffArgs},
    {"info", Command::Info, 0, false, parseNothing},
};

const CommandForm *findCommand(const QString &name)
{
    for (const CommandForm &form : Commands) {
        if (name == QLatin1String(form.name))
            return &form;
    }
    return nullptr;
}

// An empty path would silently mean the stored port or the current folder instead.
QString pathValue(const QString &name, const QString &path)
{
    if (path.isEmpty())
        fail(QStringLiteral("%1 needs a path, not an empty text").arg(name));
    return path;
}

bool isOption(const QString &argument)
{
    return argument.startsWith(QLatin1String("--")) || argument == QLatin1String("-h");
}

// Applies one option; `value` yields the option's value (the rest after "=" or the next
// argument).
void applyOption(const QString &name, const std::function<QString()> &value, Invocation &parsed)
{
    Options &options = parsed.options;
    if (name == QLatin1String("--folder"))
        options.folder = pathValue(name, value());
    else if (name == QLatin1String("--port"))
        options.port = parseDecimal(value(), QStringLiteral("--port"), 1, 32767);
    else if (name == QLatin1String("--device"))
        options.device = pathValue(name, value());
    else if (name == QLatin1String("--settings"))
        options.settings = value();
    else if (name == QLatin1String("--timeout"))
        options.timeout = parseDecimal(value(), QStringLiteral("--timeout"), 0, 32767);
    else if (name == QLatin1String("--group"))
        options.group = parseDecimal(value(), QStringLiteral("--group"), 0, 2);
    else if (name == QLatin1String("--protocol")) {
        const QString code = value();
        options.protocol = comms::protocolFromCode(code);
        if (!options.protocol)
            fail(QStringLiteral("--protocol must be L, R or A: \"%1\"").arg(code));
    } else if (name == QLatin1String("--repeat"))
        options.repeat = parseDecimal(value(), QStringLiteral("--repeat"), 1, MaxRepeat);
    else if (name == QLatin1String("--pacing"))
        options.pacing = true;
    else if (name == QLatin1String("--demo"))
        options.demo = true;
    else if (name == QLatin1String("--trace"))
        options.trace = true;
    else if (name == QLatin1String("--decode"))
        options.decode = true;
    else if (name == QLatin1String("--model"))
        options.model = value().trimmed().toUpper();
    else if (name == QLatin1String("--hex"))
        options.hex = true;
    else if (name == QLatin1String("--help") || name == QLatin1String("-h"))
        parsed.help = true;
    else
        fail(QStringLiteral("unknown option %1").arg(name));
}

bool takesValue(const QString &name)
{
    static const char *const Valued[] = {"--folder",   "--port",    "--device",
                                         "--settings", "--timeout", "--group",
                                         "--protocol", "--repeat",  "--model"};
    for (const char *valued : Valued) {
        if (name == QLatin1String(valued))
            return true;
    }
    return false;
}

} // namespace

Invocation parseCommandLine(const QStringList &arguments)
{
    Invocation parsed;
    QStringList positional;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (!isOption(argument)) {
            positional << argument;
            continue;
        }
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? argument : argument.left(equals);
        if (equals >= 0 && !takesValue(name))
            fail(QStringLiteral("option %1 takes no value").arg(name));
        auto value = [&]() -> QString {
            if (equals >= 0)
                return argument.mid(equals + 1);
            if (i + 1 >= arguments.size())
                fail(QStringLiteral("option %1 needs a value").arg(name));
            return arguments[++i];
        };
        applyOption(name, value, parsed);
    }
    if (parsed.help)
        return parsed;
    if (positional.isEmpty())
        fail(QStringLiteral("no command given"));

    const QString name = positional.takeFirst();
    const CommandForm *form = findCommand(name);
    if (!form)
        fail(QStringLiteral("unknown command %1").arg(name));
    parsed.command = form->command;
    const int given = static_cast<int>(positional.size());
    if (given < form->argumentCount || (given > form->argumentCount && !form->moreValues))
        fail(QStringLiteral("%1 takes %2 arguments")
                 .arg(QLatin1String(form->name))
                 .arg(form->argumentCount));
    if (parsed.options.decode && !parsed.options.trace)
        fail(QStringLiteral("--decode belongs to --trace"));
    if (parsed.options.hex && form->command != Command::LinkWrite)
        fail(QStringLiteral("--hex belongs to link-write"));
    if (form->argumentCount > 0)
        parsed.args.address = positional[0];
    form->parse(positional, parsed.args);
    return parsed;
}

int parseAddressArgument(const QString &text, int group)
{
    const bool hex = group == 0;
    if (!matches(text.trimmed(), hex ? "[0-9A-Fa-f]{1,4}" : "[0-9]{1,5}"))
        fail(QStringLiteral("ADDRESS must be %1 digits: \"%2\"")
                 .arg(hex ? QStringLiteral("hexadecimal") : QStringLiteral("decimal"), text));
    return core::ParseAddress(group, text);
}

QString usageText()
{
    return QStringLiteral(
        "usage: vantactl [options] COMMAND ARGS\n"
        "options (each overrides the system configuration file of the program folder):\n"
        "  --folder DIR        program folder with configuration and data files\n"
        "  --port N            COM port number\n"
        "  --device PATH       serial device path (wins over --port); a path without \"/\"\n"
        "                      is taken in the current folder\n"
        "  --settings TEXT     port settings such as 9600,N,8,1\n"
        "  --timeout MS        reply time-out\n"
        "  --group G           controller group 0..2\n"
        "  --protocol L|R|A    protocol code\n"
        "  --pacing            0.1 s gap between Vanta Link reads of one address\n"
        "  --demo              demo mode (nothing is sent)\n"
        "  --trace             print every request (\"> \") and reply (\"< \") on stderr\n"
        "  --decode            with --trace: print each frame as a decoded trace line (number,\n"
        "                      time, gap, direction, address, bytes, meaning, check, outcome)\n"
        "  --model ID          config-read, config-send: the model on screen, for an\n"
        "                      instrument whose identification the catalogue lacks\n"
        "  --repeat N          run the command N times (1..1000000000) and print the last\n"
        "                      result\n"
        "commands:\n"
        "  read ADDRESS REGISTER\n"
        "  read-scaled ADDRESS REGISTER\n"
        "  write ADDRESS REGISTER VALUE\n"
        "  modbus-read ADDRESS WIRE TYPE COUNT       (WIRE in hexadecimal)\n"
        "  modbus-write ADDRESS WIRE TYPE VALUE...\n"
        "  link-read ADDRESS COMMAND                 (COMMAND in hexadecimal)\n"
        "  link-write ADDRESS COMMAND VALUE [--hex]\n"
        "  config-read ADDRESS FILE                  (the whole configuration into FILE)\n"
        "  config-send FILE ADDRESS...               (one line per address: ok or failed)\n"
        "  config-diff FILE ADDRESS|FILE             (the differences, one line each: register,\n"
        "                                            caption, FILE's value, the other's value;\n"
        "                                            exit 0 equal, 1 different, 2 not compared)\n"
        "  info\n"
        "ADDRESS is hexadecimal in controller group 0, decimal otherwise. The second argument\n"
        "of config-diff is a FILE when a file of that name exists, else an ADDRESS.\n");
}

} // namespace vanta::tools
