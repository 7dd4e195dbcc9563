// Sending the configuration of the configuration model to an instrument.
#pragma once

#include "config/config_transfer.h"

namespace vanta::config {

// The button's send asks every question; the command-line send skips the EEPROM warning.
enum class SendMode
{
    Interactive,
    Automatic
};

// Writes the configuration to the instrument of model.AddressText: leaves demo mode when the
// user agrees, checks the instrument's model and output hardware, opens the instrument for
// remote changes, writes the settings others depend on, then every visible parameter of the
// model, and restores the remote-change setting. SendFailed is True from entry until the whole
// send has completed. A refused or unroutable write (status 2 or 3) and an empty numeric field
// ask whether to go on; any other failure ends the send with a warning. A send that ends after
// it opened the instrument writes the instrument's previous remote-change value back once.
TransferResult SendControllerParameters(ConfigModel &model, comms::CommLink &link, bool &SendFailed,
                                        SendMode mode, const TransferHooks &hooks = {});

} // namespace vanta::config
