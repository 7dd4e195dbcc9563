// The vantactl command line: options, the command and its arguments, checked for form before
// anything is loaded or opened.
#pragma once

#include "comms/target.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace vanta::tools {

// A malformed command line; the tool prints `message` and the usage text and exits 64.
struct UsageError
{
    QString message;
};

enum class Command
{
    Read,
    ReadScaled,
    Write,
    ModbusRead,
    ModbusWrite,
    LinkRead,
    LinkWrite,
    ConfigRead, // ADDRESS FILE
    ConfigSend, // FILE ADDRESS...
    ConfigDiff, // FILE ADDRESS, or FILE FILE
    Info
};

// Each set option overrides the system configuration file of the program folder.
struct Options
{
    std::optional<QString> folder;
    std::optional<int> port;
    std::optional<QString> device;
    std::optional<QString> settings;
    std::optional<int> timeout;
    std::optional<int> group;
    std::optional<comms::Protocol> protocol;
    bool pacing = false;
    bool demo = false;
    bool trace = false;
    bool decode = false; // with trace: decoded lines instead of bytes
    std::optional<int> repeat;
    bool hex = false;             // link-write only
    std::optional<QString> model; // config-read, config-send: the model id to select
};

// The command's arguments, checked for form. The address stays text: its base depends on the
// controller group, which may come from the configuration file.
struct Arguments
{
    QString address;
    int Register = 0;
    int wire = 0;
    int type = 0;
    int count = 0;
    int command = 0;
    QVector<double> values; // write: one value; modbus-write: one or more
    QString file;           // config-read, config-send, config-diff: the parameter file
    QString other;          // config-diff: the second file or the address, as given
    QStringList addresses;  // config-send: every address, in order
};

struct Invocation
{
    Options options;
    Command command = Command::Info;
    Arguments args;
    bool help = false;
};

// Parses the arguments after the program name. Options may come before or after the command.
// Throws UsageError.
Invocation parseCommandLine(const QStringList &arguments);

QString usageText();

// An instrument address as the group shows it: hexadecimal digits in group 0, decimal
// digits otherwise. Throws UsageError; the range (1..255) is the engines' to refuse.
int parseAddressArgument(const QString &text, int group);

} // namespace vanta::tools
