// The navigation buttons and the "&File" and "Communications" menus that the working windows
// carry, wired to the navigator.
#pragma once

#include <QString>

class QMenuBar;
class QWidget;

namespace vanta::ui {

class Navigator;

// The eight navigation buttons, in this order, with these object names and captions:
// cmdConfigureController, cmdFind, cmdStatus, cmdGraph, cmdMainMenu (main screens, in place),
// cmdMonitor (the monitor frame), cmdLogging, cmdSetpoints (modal). `window` is the main screen
// the buttons sit on. They are laid out in rows of `columns`. Returns a new widget parented to
// `window`.
QWidget *createNavigationButtons(QWidget *window, Navigator &navigator, int columns = 4);

// "&File" with "E&xit" (mnuFileExit): closes `window`, which ends the program.
void addFileMenu(QMenuBar *bar, QWidget *window);

// "Communications" with "Setup" (mnuCommSetup), "Terminal" (mnuCommTerm, the Terminal command),
// "Register Access" (mnuCommRegister) and "Vanta Link Access" (mnuVantaLink), opened over
// `window`, and "Protocol Trace" (mnuCommTrace), the modeless trace window.
void addCommunicationsMenu(QMenuBar *bar, QWidget *window, Navigator &navigator);

} // namespace vanta::ui
