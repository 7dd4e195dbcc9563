// Sending one parameter file to a list of instruments, unattended, from the command line:
// "FILE ADDRESS ADDRESS ...".
#pragma once

#include "comms/comm_link.h"
#include "config/config_transfer.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace vanta::config {

class ConfigModel;

// The command line taken apart. The file name runs up to the first blank outside double
// quotes (the quotes themselves are dropped); a bare name (no "\", "/" or ":") lies in the
// program folder. The rest gives the addresses: runs of 0-9 and A-F (any case) ended by a
// blank; every other character is ignored, so "5,6" is the one address 56.
struct AutoSendLine
{
    QString fileName;
    QString rest;          // everything after the file name
    QStringList addresses; // upper-case address texts, in order
};
AutoSendLine parseAutoSendLine(const QString &commandLine, const QString &programFolder);

// An address text read in the group's form (hexadecimal in group 0), into a wide integer so
// that a long text cannot wrap into range; 0 when it is no number or outside 1..255.
int autoSendAddress(int group, const QString &text);

struct AutoSendHooks
{
    // lblAutoSendFileName, after the model's AddressText changed; an empty text clears it.
    std::function<void(const QString &status)> showStatus;
    TransferHooks transfer;
};

// Loads the file into the model and sends it to each address in turn with the checks of the
// interactive send (the EEPROM warning aside), then leaves the rest to the caller, which ends
// the program on every path. Returns the exit status: 0 when every listed address was sent
// completely, 1 otherwise. An unexpected error is reported as the application error of
// "modVanta.AutoSendParameterFile" and gives 1.
int AutoSendParameterFile(ConfigModel &model, comms::CommLink &link, const QString &commandLine,
                          const AutoSendHooks &hooks = {});

} // namespace vanta::config
