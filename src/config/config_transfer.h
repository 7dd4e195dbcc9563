// What reading and sending a whole configuration share: the instrument the window names, the
// progress the window shows while the transfer runs, the order of the model's parameters and
// the label a failure message gives a parameter.
#pragma once

#include "comms/comm_link.h"
#include "comms/outcome.h"

#include <QString>
#include <functional>
#include <vector>

namespace vanta::config {

class ConfigModel;

// How a read or send ended: run to the end, or stopped by the user or a failure.
enum class TransferResult
{
    Completed,
    Stopped
};

// What a transfer tells its window while it runs. Every hook may be empty.
struct TransferHooks
{
    // lblProgress: "Reading Parameter 258"; an empty text clears it.
    std::function<void(const QString &text)> showProgress;
    // Parameters handled so far out of the model's total, for the progress bar.
    std::function<void(int done, int total)> showCount;
    // Called between parameters: repaint and let pending events run. The caller holds its
    // re-entry guard for the whole transfer, so a close asked for meanwhile waits for the end.
    std::function<void()> letEventsRun;
};

// Shows "<action> Parameter" + registerText (an empty text clears the line), then lets pending
// events run, as every step of a transfer does.
void showTransferProgress(const TransferHooks &hooks, const QString &action,
                          const QString &registerText);

// Reads and writes of one configuration go to the address of cbxAddress in the current
// controller group and protocol.
class InstrumentAccess
{
public:
    InstrumentAccess(comms::CommLink &link, const ConfigModel &model);

    [[nodiscard]] comms::ValueOutcome<float> read(int reg);
    [[nodiscard]] comms::Outcome write(int reg, double value);

private:
    comms::CommLink &m_link;
    int m_group;
    QString m_protocol;
    int m_address;
};

// The registers of the selected model that have a field, in ascending order: the order of the
// main pass of a read and a send.
std::vector<int> modelParameters(const ConfigModel &model);

// The label a failure message adds after the result text: "(caption)" for numeric and list
// fields, "(Ramp/Soak)" for the unlabelled ramp/soak pattern fields, empty for the rest.
QString failureLabel(const ConfigModel &model, int reg);

// The "Invalid Model ID" question for an instrument whose model id `id` (register value
// `value`) the catalogue lacks; `verb` is "read" or "write".
QString unknownModelText(const ConfigModel &model, const QString &modelFileName, double value,
                         const QString &id, const QString &verb);

// Demo mode asks before a transfer may talk to the instrument: `question` is the transfer's
// "exit DEMO MODE" question. True when the program is (now) out of demo mode.
bool leaveDemoMode(comms::CommLink &link, const QString &question);

// The progress texts: " 795" style for fixed registers, GStr in the main pass.
QString fixedRegisterText(int reg);

} // namespace vanta::config
