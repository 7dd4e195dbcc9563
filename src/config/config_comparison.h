// Two configurations of one model compared parameter by parameter, with the values as the
// configuration window shows them: what a send would change, or what changed behind the
// program's back after a send.
#pragma once

#include "config/config_transfer.h"

#include <QString>
#include <optional>
#include <vector>

namespace vanta::core {
class Interaction;
}

namespace vanta::config {

class ConfigModel;

// One parameter (or one check box of a bit field) that the two configurations hold differently.
struct ParameterDifference
{
    int reg = 0;
    int bit = -1;         // the box's bit for a bit field, else -1
    QString registerText; // "258", "1000H", "797 bit 3"
    QString caption;      // the field's caption; for a box the field's and the box's
    QString first;        // each value as shown: the number, the list entry, "checked"
    QString second;
};

struct ConfigComparison
{
    QString refusal; // why the two cannot be compared; empty when they were
    std::vector<ParameterDifference> differences;
    // The read or the load that stopped has told the user why already.
    bool toldAlready = false;

    bool isRefused() const { return !refusal.isEmpty(); }
    bool isEqual() const { return !isRefused() && differences.empty(); }
};

// True for what no send writes, so that an instrument may hold it differently from the screen
// after a good send: the group-1 communication settings 4209-4214 (written only one by one),
// the output hardware 769 and 772, the write-only acknowledge and reset boxes 1028-1036.
bool isLeftOutOfComparison(int group, int reg);

// Compares the header (input type, decimal point where a send writes it) and every parameter
// of the selected model that a send of either configuration would write; a bit field box by
// box, over the boxes either shows. Numbers compare by value, so "1,234.0" equals "1234".
// Configurations of different controller groups or models are refused with a text naming both.
ConfigComparison compareConfigurations(const ConfigModel &first, const ConfigModel &second);

// Reads the instrument of model.AddressText into a copy of `model` (the model itself is left as
// it is) and compares `model` with what the instrument holds. A read that stops is refused with
// a text naming the address; the read has shown its own questions and warnings already.
ConfigComparison compareWithInstrument(const ConfigModel &model, comms::CommLink &link,
                                       const TransferHooks &hooks = {});

// Loads the parameter file `path` into a configuration of its own and compares `model` with
// it. A file that does not load is refused (the load has shown its message already).
ConfigComparison compareWithFile(const ConfigModel &model, core::Interaction &ui,
                                 const QString &path);

struct FileComparison
{
    QString path;
    ConfigComparison comparison;
};
// "Compare with File...": the open dialog, then compareWithFile; empty when cancelled.
std::optional<FileComparison> compareWithFileDialog(const ConfigModel &model,
                                                    core::Interaction &ui);

// The difference as one line: register, caption, first and second value, separated by tabs.
QString differenceLine(const ParameterDifference &difference);

} // namespace vanta::config
