// The delivered data files as a whole: the order they load in and the pacing marker file.
#pragma once

#include <QString>

namespace vanta::core {

class AppState;
class Interaction;

// Loads the model file (and the current group's register files), the field table, the three
// cross-reference tables and the password, in that order. Each loader reports its own failure
// and loading goes on with the next file.
void loadDataFiles(AppState &app, Interaction &ui);

// "USBQ4M.TXT": when a file of this name is in the program folder (whatever it holds), Vanta
// Link reads of one address are paced.
constexpr QLatin1String PacingMarkerFile("USBQ4M.TXT");
bool hasPacingMarker(const AppState &app);

} // namespace vanta::core
