// One simulated instrument: its registers, as the program numbers them, and its live process
// (process value, alarms, ramp/soak program, status word).
#pragma once

#include "data_set.h"
#include "register_plan.h"
#include "scenario.h"

#include <QSet>
#include <map>
#include <random>

namespace vanta::sim {

enum class WriteStatus
{
    Done,
    Missing,    // the model does not have the register
    ReadOnly,   // the register exists but cannot be written
    OutOfRange, // the value lies outside the register's range
};

class Instrument
{
public:
    Instrument(const InstrumentSetup &setup, const ModelInfo &model, const RegisterPlan &plan);

    const QString &name() const { return m_setup.name; }
    int group() const { return m_setup.group; }
    Protocol protocol() const { return m_setup.protocol; }
    int address() const { return m_setup.address; }
    const LineSettings &settings() const { return m_setup.settings; }
    const ModelInfo &model() const { return m_model; }

    // Whether the model has the program register (group 1 and 2: its wire register).
    bool has(int reg) const;
    // The raw 16-bit value (signed) a read of the register gives; empty when the model lacks it.
    std::optional<int> read(int reg) const;
    WriteStatus write(int reg, int value);

    // The model code that group-1 instruments report for their model with function 103.
    int modelCode() const;
    // Decimal places of values in process units (group 0: register 795; else 1).
    int decimals() const;
    // Units bits of a Vanta Link value field in process units: 2 deg F, 4 deg C, 6 "Er", 0 none.
    int valueFieldUnits() const;
    // The ramp/soak status byte of Vanta Link code 08.
    int rampSoakStatus() const;
    // Output byte of Vanta Link code 05: outputs 1, 2 and alarm outputs 1, 2 in bits 0-3.
    int outputByte() const;

    // Moves the process on by `seconds`.
    void advance(double seconds, std::mt19937 &random);

    // Settings changed by a write that take effect once the reply is out (group-1
    // communication registers); empty when none.
    std::optional<InstrumentSetup> takePendingSetup();

private:
    int cellOf(int reg) const;
    int stored(int reg, int fallback = 0) const;
    void store(int reg, int value);
    bool isReadOnly(int reg) const;
    bool inRange(int reg, int value) const;
    bool writeSpecial(int reg, int value, WriteStatus &status);
    void runCommand(int reg);
    void setInitialValues();
    void storeCommunicationSettings();

    double divisor() const;
    double workingSetpoint() const;
    int statusWord() const;
    bool alarmActive(int alarm) const;
    bool alarmEnergised(int alarm) const;
    bool inputError() const;
    bool isManual() const;
    void advanceProgram(double seconds);
    double programSetpoint() const;
    void startProgram();

    InstrumentSetup m_setup;
    const ModelInfo &m_model;
    const RegisterPlan &m_plan;
    QSet<int> m_cells;           // cells the model has
    std::map<int, int> m_values; // by cell: group 0 program registers, groups 1/2 wire registers

    double m_pv = 0;    // engineering units, without noise
    double m_noise = 0; // noise on the value shown now
    bool m_manual = false;
    bool m_output1 = false;

    // Ramp/soak program
    int m_step = 0;           // 0-based
    double m_stepElapsed = 0; // seconds into the step
    double m_stepStart = 0;   // setpoint (engineering units) the step ramps from
    bool m_programDone = false;

    std::optional<InstrumentSetup> m_pendingSetup;
};

} // namespace vanta::sim
