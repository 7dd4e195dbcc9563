// Adding found instruments to the instrument list.
#include "discovery/found_instruments.h"

#include "core/address.h"
#include "core/system_config_file.h"
#include "discovery/instrument_list.h"

namespace vanta::discovery {

namespace {

// A name the list can store: the model's, unless the catalogue had none for the id.
QString nameOf(const FoundInstrument &found)
{
    if (found.modelId.isEmpty() || found.modelName == QLatin1String("Unavailable"))
        return {};
    return found.modelName;
}

} // namespace

int AddFoundInstruments(core::AppState &app, core::Interaction &ui,
                        const std::vector<FoundInstrument> &found)
{
    int added = 0;
    for (const FoundInstrument &instrument : found) {
        const InstrumentList listed(app.Config.Instruments);
        const QString address = core::FormatAddress(instrument.group, instrument.probe.address);
        const InstrumentEntry entry{instrument.group, address,
                                    comms::protocolCode(instrument.probe.protocol),
                                    nameOf(instrument)};
        if (listed.indexOfAddress(instrument.group, address) >= 0 ||
            checkEntry(entry) != EntryFault::None)
            continue;
        InstrumentList one;
        (void)one.update(entry);
        app.Config.Instruments.push_back(one.records().front());
        ++added;
    }
    if (added == 0)
        return 0;
    core::SaveSystemConfig(app, ui);
    app.notifyInstrumentListChanged();
    return added;
}

} // namespace vanta::discovery
