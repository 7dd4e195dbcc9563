// The ramp/soak-only edit the System Monitor asks for: only the ramp/soak program of one
// instrument, with the "RS" model, at the address of the monitor's row.
#pragma once

namespace vanta::core {
class AppState;
class Interaction;
} // namespace vanta::core

namespace vanta::config {

class ConfigModel;

// The page the edit is held on (the ramp/soak page of group 0, the only group with an "RS"
// model).
constexpr int RampSoakPage = 1;

// Whether the request of app.RS* can be honoured with the current communication settings and
// model catalogue. The first mismatch is warned about, in this order: the protocol, the
// controller group, a group without an "RS" model.
bool RampSoakRequestFits(const ConfigModel &model, const core::AppState &app,
                         core::Interaction &ui);

// Selects the "RS" model with its fields and puts the requested instrument's address on screen.
void SelectRampSoakModel(ConfigModel &model, const core::AppState &app);

} // namespace vanta::config
