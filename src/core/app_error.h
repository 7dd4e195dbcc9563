// Unexpected run-time failures inside the program, and the "Application Error" report users see.
#pragma once

#include <QString>

namespace vanta::core {

class Interaction;

// Thrown by internal routines; window handlers and file routines catch it and report it.
// Numbers follow the classic run-time error numbers (6 overflow, 53 file not found, 62 input past
// end of file, 13 type mismatch, 9 subscript out of range, 75 path/file access error,
// 8002/8010/8006/68 for serial port failures, 70 a device the user may not open).
struct AppError
{
    int number = 0;
    QString description;
};

namespace ErrorNumber {
constexpr int Overflow = 6;
constexpr int SubscriptOutOfRange = 9;
constexpr int TypeMismatch = 13;
constexpr int InternalError = 51; // no better number for a failure the program did not expect
constexpr int FileNotFound = 53;
constexpr int InputPastEndOfFile = 62;
constexpr int DeviceUnavailable = 68;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccessError = 75;
constexpr int InvalidPortNumber = 8002;
constexpr int DeviceIdentifierInvalid = 8006;
constexpr int PortAlreadyOpen = 8010;
} // namespace ErrorNumber

// "An application error has occurred:" report. `routine` is "module.routine" plus any context,
// e.g. "modVanta.InitComm".
void reportAppError(Interaction &ui, const AppError &error, const QString &routine);

// The file variants: "An application error has occurred reading <file> file:" and
// "An application error has occurred writing file <file> file:".
void reportFileReadError(Interaction &ui, const AppError &error, const QString &fileName,
                         const QString &routine);
void reportFileWriteError(Interaction &ui, const AppError &error, const QString &fileName,
                          const QString &routine);

// The report's text, for callers that need it without a box (console tools, tests).
QString appErrorText(const QString &firstLine, const AppError &error, const QString &routine);

} // namespace vanta::core
