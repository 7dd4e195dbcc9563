// Parameter files: the configuration of the configuration window saved as comma-separated text
// and loaded back, and the question about unsaved changes.
//
// Layout (Latin-1, CR LF): line 1 address, description, protocol name + "-" + group
// ("Modbus RTU-1"); line 2 model id and model text; line 3 "DPT", DecimalPointIndex; line 4
// "INP", InputTypeIndex; line 5 "Register", "Parameter" ("1Parameter" for a ramp/soak-only
// edit with ramp/soak access); then one line per parameter of the selected model: register
// (decimal in group 0, four hexadecimal digits and "H" in groups 1 and 2), value as shown.
#pragma once

#include "core/interaction.h"

#include <QString>

namespace vanta::config {

class ConfigModel;

// Writes the model's configuration to `path`; the old file is replaced only by a complete new
// one. Fields that are empty or hold no number are left out. True when the file was written,
// and only then is ChangesPending cleared; a failure shows the application error report.
[[nodiscard]] bool SaveParameterFile(ConfigModel &model, core::Interaction &ui,
                                     const QString &path);

// Loads `path` into the model. A file of another controller group or protocol, an unknown
// model, or a decimal point or input type outside its range is refused with its message; an
// unreadable file or a malformed line (a register outside 1..20480, a list position the list
// lacks, a value that is no number) ends the load with the application error report. Fields
// filled before a refusal keep their values. True after a complete load, which alone clears
// ChangesPending.
[[nodiscard]] bool ReadParameterFile(ConfigModel &model, core::Interaction &ui,
                                     const QString &path);

enum class FileCommand
{
    Done,
    Cancelled, // the dialog was cancelled: nothing happened
    Failed     // the file routine refused or reported a failure
};

// "Save Configuration To a File": the save dialog, then SaveParameterFile.
FileCommand saveWithDialog(ConfigModel &model, core::Interaction &ui);
// The open dialog of a parameter file: the filter, and the folder of the file last chosen
// (the program folder at first).
core::FileDialogRequest openFileRequest(const ConfigModel &model, const QString &title);
// "Read Configuration From a File": the open dialog, then ReadParameterFile.
FileCommand readWithDialog(ConfigModel &model, core::Interaction &ui);

enum class Leaving
{
    Proceed,
    Stay
};

// Asks before unsaved changes are discarded (Yes, No, Cancel; Cancel the default). Yes saves
// through the save dialog and proceeds only once the file is written; No forgets the changes;
// Cancel stays.
[[nodiscard]] Leaving AskIfDiscardChanges(ConfigModel &model, core::Interaction &ui);

} // namespace vanta::config
