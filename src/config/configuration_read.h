// Reading an instrument's whole configuration into the configuration model.
#pragma once

#include "config/config_transfer.h"

namespace vanta::config {

// Reads the instrument of model.AddressText: leaves demo mode when the user agrees, identifies
// the model (unless the ramp/soak-only edit is on), reads the decimal point and input type,
// probes ramp/soak access for the ramp/soak-only edit, then every parameter of the selected
// model in ascending order. A register the instrument lacks (status 2) asks whether to go on;
// any other failure ends the read with a warning. Values read before a stop stay; the field
// rules run at the end either way. An application error is reported, not thrown.
TransferResult ReadControllerParameters(ConfigModel &model, comms::CommLink &link,
                                        const TransferHooks &hooks = {});

} // namespace vanta::config
