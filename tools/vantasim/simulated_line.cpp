// Routing requests to instruments and applying the faults of the line.
#include "simulated_line.h"

#include "slaves.h"

namespace vanta::sim {

SimulatedLine::SimulatedLine(const DataSet &data, FaultSet faults, unsigned seed)
    : m_plan(data.tables()), m_faults(std::move(faults)), m_random(seed)
{}

std::unique_ptr<SimulatedLine> SimulatedLine::create(const Scenario &scenario, const DataSet &data,
                                                     QString &error)
{
    FaultSet faults;
    for (const Fault &fault : scenario.faults)
        faults.add(fault);
    std::unique_ptr<SimulatedLine> line(
        new SimulatedLine(data, std::move(faults), scenario.seed.value_or(std::random_device{}())));
    for (const InstrumentSetup &setup : scenario.instruments) {
        const ModelInfo *model = data.model(setup.group, setup.model);
        if (!model) {
            error = QStringLiteral("instrument %1: group %2 has no model %3 in the catalogue")
                        .arg(setup.name)
                        .arg(setup.group)
                        .arg(setup.model);
            return nullptr;
        }
        line->m_instruments.push_back(std::make_unique<Instrument>(setup, *model, line->m_plan));
    }
    for (const Fault &fault : scenario.faults) {
        if (!fault.target.isEmpty() && !line->find(fault.target)) {
            error = QStringLiteral("a fault names %1, which is not on the line").arg(fault.target);
            return nullptr;
        }
    }
    return line;
}

Instrument *SimulatedLine::find(const QString &name) const
{
    for (const auto &instrument : m_instruments) {
        if (instrument->name() == name)
            return instrument.get();
    }
    return nullptr;
}

Instrument *SimulatedLine::listener(Protocol protocol, int address, const ObservedLine &line) const
{
    for (const auto &instrument : m_instruments) {
        if (instrument->protocol() == protocol && instrument->address() == address &&
            settingsMatch(instrument->settings(), line))
            return instrument.get();
    }
    return nullptr;
}

std::optional<Answer> SimulatedLine::answer(const RawFrame &frame, const ObservedLine &line)
{
    Instrument *instrument = nullptr;
    Reply reply;
    if (frame.protocol == Protocol::VantaLink) {
        const std::optional<VantaLinkRequest> request = decodeVantaLink(frame.bytes);
        if (!request || !(instrument = listener(frame.protocol, request->address, line)))
            return std::nullopt;
        reply = answerVantaLink(*instrument, *request, m_plan);
    } else {
        const std::optional<ModbusPdu> request = frame.protocol == Protocol::ModbusRtu
                                                     ? decodeRtu(frame.bytes)
                                                     : decodeAscii(frame.bytes);
        if (!request || !(instrument = listener(frame.protocol, request->address, line)))
            return std::nullopt;
        reply = answerModbus(*instrument, *request, frame.protocol, m_plan);
    }
    const FaultEffect effect = m_faults.strike(instrument->name(), frame.protocol, reply, m_random);
    Answer answer;
    answer.bytes = applyEffect(effect, encodeReply(reply));
    answer.extraDelaySeconds = effect.extraDelaySeconds;
    answer.framing = instrument->settings();
    // New communication settings take effect once this reply has been sent.
    instrument->takePendingSetup();
    return answer;
}

void SimulatedLine::advance(double seconds)
{
    for (const auto &instrument : m_instruments)
        instrument->advance(seconds, m_random);
}

} // namespace vanta::sim
