// The instruments on the line and the faults the line shows: turns each request frame into
// the reply (if any) that goes back, with its delay.
#pragma once

#include "faults.h"
#include "frames.h"
#include "instrument.h"
#include "line_settings.h"

#include <memory>
#include <random>
#include <vector>

namespace vanta::sim {

struct Answer
{
    QByteArray bytes; // empty: the instrument stays silent (fault injection)
    double extraDelaySeconds = 0;
    LineSettings framing; // the answering instrument's own settings, for wire-speed pacing
};

class SimulatedLine
{
public:
    // Builds the scenario's instruments; empty with `error` set when a model is not in the
    // catalogue of its group.
    static std::unique_ptr<SimulatedLine> create(const Scenario &scenario, const DataSet &data,
                                                 QString &error);

    // The answer to a request, or empty when no instrument on the line takes it (another
    // protocol, address or serial setting, or a frame that fails its check).
    std::optional<Answer> answer(const RawFrame &frame, const ObservedLine &line);
    // Moves every instrument's process on.
    void advance(double seconds);

    const std::vector<std::unique_ptr<Instrument>> &instruments() const { return m_instruments; }
    Instrument *find(const QString &name) const;

private:
    SimulatedLine(const DataSet &data, FaultSet faults, unsigned seed);
    Instrument *listener(Protocol protocol, int address, const ObservedLine &line) const;

    RegisterPlan m_plan;
    std::vector<std::unique_ptr<Instrument>> m_instruments;
    FaultSet m_faults;
    std::mt19937 m_random;
};

} // namespace vanta::sim
