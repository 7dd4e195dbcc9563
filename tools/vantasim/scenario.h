// Scenario files: the instruments on the simulated line and the faults it shows. A plain-text
// format of sections and "key = value" lines; see the Simulator section of README.md.
#pragma once

#include "faults.h"
#include "frames.h"
#include "line_settings.h"

#include <QString>
#include <map>
#include <optional>
#include <vector>

namespace vanta::sim {

enum class Unit
{
    None,
    Fahrenheit,
    Celsius
};

struct InstrumentSetup
{
    QString name;
    int group = 0;
    Protocol protocol = Protocol::VantaLink;
    int address = 1;
    QString model;
    LineSettings settings;
    // Unset values keep the instrument's factory settings.
    std::optional<Unit> unit;
    std::optional<int> decimals;        // decimal places (group 0: register 795, 0..3)
    std::optional<double> processValue; // starting process value, engineering units
    std::optional<double> setpoint;     // setpoint 1, engineering units
    double lagSeconds = 20;             // time constant of the process
    double noise = 0.1;                 // peak noise, engineering units
    int errorWord = 0; // group 0 error bits, group 1/2 error code as the instrument sends it
    bool manual = false;
    std::optional<bool> remote;
    std::map<int, int> registers; // initial values by the program's register numbers
};

struct Scenario
{
    std::vector<InstrumentSetup> instruments;
    std::vector<Fault> faults; // instrument faults carry the instrument's name as target
    std::optional<int> turnaroundMs;
    std::optional<unsigned> seed;
};

// Empty with `error` naming the line when the text is not a valid scenario. Instruments that
// would answer the same requests (same protocol family, address, baud rate and stop bits)
// are refused.
std::optional<Scenario> parseScenario(const QByteArray &text, QString &error);
// The file must be a regular one of at most 16 MB; otherwise `error` names the path and why.
std::optional<Scenario> readScenario(const QString &path, QString &error);

} // namespace vanta::sim
