// The model catalogue's files (the model file and one register file per model) and the lookup
// of an instrument's model from the value of its model id register.
#pragma once

#include <QString>

namespace vanta::core {

class AppState;
class Interaction;
class ModelCatalogue;

// Reads "ModelID.txt" ("ModelID-1.txt" in product mode) from the program folder into the
// catalogue and sets ModelFileName. The register flags of every slot are cleared first, then
// the register files of the models of Config.ControllerGroup are read, so a change of group
// leaves no stale flags. A 16th model of one group ends the reading with the "Too Many Model
// ID's" message; a missing or malformed file shows the file error report. Either way what was
// read before stays.
void ReadModelFile(AppState &app, Interaction &ui);

// Reads the register file ModelId + ".TXT" into the flags of model slot `Slot` (decimal numbers
// for group 0, hexadecimal for groups 1 and 2). The slot is cleared first; a number outside
// 1..20480 ends the reading with the "Invalid Modbus Register" message, keeping the flags set
// before it. An id that is no plain file name (a path separator or a control character) is
// refused with the file error report instead of being opened.
void ReadModelRegisters(AppState &app, Interaction &ui, int Group, const QString &ModelId,
                        int Slot);

// The model id text of a model id register value: two characters, first = value / 256.
// 14592 (a "9" and a zero byte) counts as "Z9"; 0, and anything that is not a 16-bit value,
// gives "XX", which names no model.
QString modelIdFromValue(double ModelValue);

// Looks up the model whose id the register value holds: ModelIdText from modelIdFromValue, the
// rest as FindModel gives them.
void LookUpModel(const ModelCatalogue &catalogue, int Group, double ModelValue,
                 QString &ModelIdText, QString &ModelType, int &Slot, QString &ModelName);

// The type text of the model of `Group` whose id equals ModelIdText regardless of case, with
// its slot (1..15) and name; "Unknown Model Type", slot 0 and "Unavailable" when none matches.
QString FindModel(const ModelCatalogue &catalogue, int Group, const QString &ModelIdText, int &Slot,
                  QString &ModelName);

} // namespace vanta::core
