// Adding what the instrument search found to the list of configured instruments in one step.
#pragma once

#include "discovery/instrument_search.h"

#include <vector>

namespace vanta::discovery {

// Appends each found address that the list does not hold yet (the first answer of an address
// counts), with the protocol it answered in and the model name as its name, then saves the
// configuration and says the list changed. Listed instruments, their logging state included,
// stay as they are. Returns the number added; nothing is saved when none is new.
int AddFoundInstruments(core::AppState &app, core::Interaction &ui,
                        const std::vector<FoundInstrument> &found);

} // namespace vanta::discovery
