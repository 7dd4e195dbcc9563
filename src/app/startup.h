// The program's start-up: second-copy question, product variant, settings and data files, the
// serial port, the logging state texts, the main window and the automatic-send hand-off.
#pragma once

#include "comms/comm_link.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace vanta::app {

// What start-up works with. main passes the real things; tests pass a scripted user, a scripted
// line and a temporary program folder.
struct StartupEnvironment
{
    comms::CommLink &link; // shared state, serial line, clock and user
    // The program file's name without extension; "Orvel" runs the product variant.
    QString executableName;
    // The whole argument text (see commandLineText); empty when the program got no arguments.
    QString commandLine;
    // True when another copy of the program already runs for this user.
    std::function<bool()> anotherCopyRunning;
    std::function<void()> showMainWindow;
    // Receives a non-empty command line once the main window is shown; may be empty.
    std::function<void(const QString &commandLine)> autoSend;
};

enum class StartupResult
{
    Running,  // the main window is shown: run the event loop
    Declined, // the user chose not to run a second copy; nothing was read or opened
    Failed    // an unexpected error was reported before the main window appeared
};

// Runs start-up once, in this order: the second-copy question (title "Program Already
// Running"; "No" ends at once), ProductMode, ReadSystemConfig, PacingEnabled from
// "USBQ4M.TXT", the model file, the field and cross-reference tables, the password, InitComm
// with the configured settings, LogStateText, the main window, then the automatic send when the
// command line is not empty. Each loader reports its own failure and start-up goes on with what
// was loaded; an unexpected error is reported with "Routine - modVanta.main" and ends start-up.
[[nodiscard]] StartupResult runStartup(StartupEnvironment &env);

// True for the product variant's program name (exactly "Orvel", case-sensitive).
bool isProductName(const QString &executableName);
// The program file's name without directory and extension, from argv[0]: a copy or a link
// named Orvel reports "Orvel" even when the link points at VantaLnk3.
QString executableBaseName(const QString &argv0);
// The command-line arguments as one text, as the user typed them: arguments joined by blanks,
// an argument containing blanks (or empty) in double quotes ("C:\My Files\a.csv" 1F 20).
QString commandLineText(const QStringList &arguments);

} // namespace vanta::app
