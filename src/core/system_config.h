// The stored settings and the list of configured instruments, with the per-instrument logging
// state that lives beside them while the program runs.
#pragma once

#include <QString>
#include <vector>

namespace vanta::core {

// Values of InstrumentRecord::LogState.
namespace LogStates {
constexpr qint16 Never = 0; // no session in this run
constexpr qint16 Started = 1;
constexpr qint16 Stopped = 2;
constexpr qint16 Finished = 3;
} // namespace LogStates

// One configured instrument: the eight stored values, then the logging session's working state
// (not stored; reset whenever the list is loaded or changed).
struct InstrumentRecord
{
    QString InstAddress;  // address text as listed: "0A" (group 0) or "010"
    QString InstName;     // up to 21 characters
    QString InstProtocol; // "L", "R" or "A"
    qint16 InstGroup = 0;
    qint16 LogDurationUnit = 1; // 0 hours, 1 minutes
    qint16 LogDuration = 1;     // whole minutes
    qint16 LogRateUnit = 1;     // 0 minutes per log, 1 seconds per log
    float LogRate = 1;          // seconds between samples

    qint16 LogState = LogStates::Never;
    double LogStartSeconds = 0;
    double LogStartDate = 0;
    double LogNextOffset = 0;
    QString LogFile;
};

struct SystemConfig
{
    qint16 CommPort = 0;
    float BaudRate = 0;
    QString Parity;
    qint16 DataBits = 0;
    qint16 StopBits = 0;
    qint16 PollTimeout = 0;
    qint16 ControllerGroup = 0;
    QString ProtocolCode;
    float TempPollRate = 0;
    float SPPollRate = 0;
    QString ViewerProgram;
    QString DefaultFolder;
    std::vector<InstrumentRecord> Instruments;

    int InstCount() const { return static_cast<int>(Instruments.size()); }
};

} // namespace vanta::core
