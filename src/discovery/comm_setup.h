// Communications setup without its window: the limits of its fields, the captions built from
// the model catalogue, its questions, and applying the edited settings and instrument list.
#pragma once

#include "comms/comm_link.h"
#include "discovery/instrument_list.h"

#include <QString>
#include <optional>

namespace vanta::core {
class ModelCatalogue;
} // namespace vanta::core

namespace vanta::discovery {

// The window's settings as the configuration stores them.
struct CommSettings
{
    qint16 CommPort = 1;
    float BaudRate = 9600;
    QString Parity;
    qint16 DataBits = 8;
    qint16 StopBits = 1;
    qint16 PollTimeout = 500;
    qint16 ControllerGroup = 0;
    QString ProtocolCode;
    QString ViewerProgram;
    QString DefaultFolder;
};

// The port number field on leaving it: its whole-number value (nearest) limited to 1..16; text
// that is no number counts as 0, so "abc" -> 1, "25" -> 16.
qint16 limitedCommPort(const QString &text);
// The time-out field on leaving it: the whole-number part limited to 1..32767 ("0.5" -> 1,
// "99999" -> 32767).
qint16 limitedPollTimeout(const QString &text);
// The name field on leaving it: its first 21 characters.
QString limitedName(const QString &text);

// The names of the models of `group` in catalogue order, ", " between them, without the entries
// named "Ramp/Soak" (a program, not an instrument).
QString groupModelNames(const core::ModelCatalogue &catalogue, int group);

// "Cancel Changes?": true when the operator agrees to discard the changes ("No" the default).
bool confirmCancelChanges(core::Interaction &ui);
// While logging runs, "Change System Configuration?" (applying stops and resets every session):
// true to go on. Without running sessions true at once.
bool confirmConfigurationChange(const core::AppState &app, core::Interaction &ui);

// Applies what the window holds, in this order: the port settings and the controller group; the
// model file read again for that group; the protocol, viewer and log folder; the instrument list
// (working logging state reset); the configuration file saved; `portDevice`, when given, written
// to CommPorts.txt for the port number; the port reopened, with the "Communications Disabled"
// warning when it does not open. Then AppState says the list and the settings changed. A file
// that cannot be written is reported and the rest still runs: the settings apply in memory.
void ApplyCommSetup(comms::CommLink &link, const CommSettings &settings, const InstrumentList &list,
                    const std::optional<QString> &portDevice);

} // namespace vanta::discovery
