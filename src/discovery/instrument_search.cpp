// The instrument search: the plan probed in order, results and progress handed to the window.
#include "discovery/instrument_search.h"

#include "comms/comm_port.h"
#include "comms/port_loan.h"
#include "comms/register_access.h"
#include "core/address.h"
#include "core/model_file.h"
#include "core/registers.h"
#include "discovery/comm_setup.h"

#include <QDateTime>
#include <cmath>

namespace vanta::discovery {

namespace {

constexpr qint16 NoModelRegister = 2; // the instrument's error code: it has no such register
constexpr qint16 Unanswered = -1;

// The model a demo search finds at an address: letters packed as first x 256 + second.
float demoModelValue(int group, int address)
{
    const bool even = address % 2 == 0;
    const char *id = group == 0 ? (even ? "N8" : "HM") : group == 1 ? (even ? "QT" : "XK") : "XW";
    return float(id[0] * 256 + id[1]);
}

// A demo probe: the demo model at the first settings of each address, else no answer.
comms::ValueOutcome<float> demoRead(const Probe &probe, int group)
{
    comms::ValueOutcome<float> read;
    if (probe.firstSettings)
        read.value = demoModelValue(group, probe.address);
    else
        read.status = Unanswered;
    return read;
}

// The port reopened with the configured settings when the search ends, however it ends.
class PortRestore
{
public:
    explicit PortRestore(comms::CommLink &link) : m_link(link) {}
    ~PortRestore() { comms::InitComm(m_link, comms::portSettingsText(m_link.app.Config)); }
    PortRestore(const PortRestore &) = delete;
    PortRestore &operator=(const PortRestore &) = delete;

private:
    comms::CommLink &m_link;
};

QString endOfLine(const Probe &probe)
{
    return QStringLiteral("  ") + probe.settingsText() + QStringLiteral("  ") +
           protocolName(probe.protocol);
}

FoundInstrument modelFound(const core::ModelCatalogue &catalogue, const Probe &probe, int group,
                           float value)
{
    FoundInstrument found{group, probe, {}, {}, {}};
    QString type;
    int slot = 0;
    core::LookUpModel(catalogue, group, value, found.modelId, type, slot, found.modelName);
    found.line = QStringLiteral("Addr:") + core::FormatAddress(group, probe.address) +
                 QStringLiteral("  ID#:") + found.modelId + QStringLiteral("  Type:") +
                 found.modelName + QStringLiteral(", ") + type + endOfLine(probe);
    return found;
}

// Something answered without a model register: the models of its group that could be it.
FoundInstrument possibleFound(const core::ModelCatalogue &catalogue, const Probe &probe, int group)
{
    FoundInstrument found{group, probe, {}, {}, {}};
    found.line = QStringLiteral("Addr:") + core::FormatAddress(group, probe.address) +
                 QStringLiteral("  ID#:??  Type:Possible ") + groupModelNames(catalogue, group) +
                 QStringLiteral(" Controller     ") + endOfLine(probe);
    return found;
}

SearchProgress progressOf(const Probe &probe, int group, size_t done, size_t total,
                          double elapsedSeconds)
{
    SearchProgress progress;
    progress.text = QStringLiteral("Polling Address ") + core::FormatAddress(group, probe.address) +
                    QStringLiteral("   ") + probe.settingsText() + QLatin1Char(' ') +
                    protocolName(probe.protocol);
    progress.done = static_cast<int>(done);
    progress.total = static_cast<int>(total);
    if (done > 0)
        progress.secondsLeft = elapsedSeconds / double(done) * double(total - done);
    return progress;
}

void refuseRange(core::Interaction &ui, int group)
{
    ui.MsgBox(entryFaultText(EntryFault::Address, group), core::MsgButtons::Ok,
              core::MsgIcon::Exclamation, QStringLiteral("Invalid Address"), core::MsgResult::Ok);
}

} // namespace

QString searchEndText(SearchEnd end, int found)
{
    const QString prefix =
        end == SearchEnd::Completed ? QStringLiteral("Search completed.") : QString();
    if (found == 0)
        return prefix + (prefix.isEmpty() ? QString() : QStringLiteral("  ")) +
               QStringLiteral("Zero instruments found.");
    const QString count =
        QStringLiteral("Found ") + QString::number(found) +
        (found == 1 ? QStringLiteral(" instrument.") : QStringLiteral(" instruments."));
    return prefix.isEmpty() ? count : prefix + QLatin1Char(' ') + count;
}

QString timeLeftText(double seconds)
{
    const qint64 whole = qMax<qint64>(0, static_cast<qint64>(std::ceil(seconds)));
    const QString twoDigits = QStringLiteral("%1").arg(whole % 60, 2, 10, QLatin1Char('0'));
    if (whole >= 3600)
        return QStringLiteral("about %1 h %2 min left")
            .arg(whole / 3600)
            .arg((whole / 60) % 60, 2, 10, QLatin1Char('0'));
    if (whole >= 60)
        return QStringLiteral("about %1 min %2 s left").arg(whole / 60).arg(twoDigits);
    return QStringLiteral("about %1 s left").arg(whole);
}

InstrumentSearch::InstrumentSearch(comms::CommLink &link, core::LoopTracker &loops)
    : m_link(link), m_loops(loops)
{}

SearchResult InstrumentSearch::run(const SearchChoices &choices, const SearchHooks &hooks)
{
    const core::ReentryGuard guard(SearchRunning, m_loops);
    if (!guard)
        return {SearchEnd::AlreadyRunning, 0, {}};
    if (!isValidAddressRange(choices)) {
        refuseRange(m_link.ui, choices.group);
        return {SearchEnd::Refused, 0, {}};
    }
    CancelSearch = false;
    const std::vector<Probe> plan = searchPlan(choices);
    const comms::PortLoan loan(m_link.app);
    int found = 0;
    bool completed = false;
    if (m_link.app.DemoMode()) {
        completed = probeAll(plan, choices.group, hooks, found);
    } else {
        const PortRestore restore(m_link);
        completed = probeAll(plan, choices.group, hooks, found);
    }
    const SearchEnd end = completed ? SearchEnd::Completed : SearchEnd::Cancelled;
    return {end, found, searchEndText(end, found)};
}

bool InstrumentSearch::probeAll(const std::vector<Probe> &plan, int group, const SearchHooks &hooks,
                                int &found)
{
    const bool demo = m_link.app.DemoMode();
    const QDateTime started = m_link.clock.localNow();
    for (size_t done = 0; done < plan.size(); ++done) {
        const Probe &probe = plan[done];
        const double elapsed = double(started.msecsTo(m_link.clock.localNow())) / 1000.0;
        if (hooks.progress)
            hooks.progress(progressOf(probe, group, done, plan.size(), elapsed));
        if (!demo && comms::InitComm(m_link, probe.settingsText()) != 0)
            return false;
        const comms::ValueOutcome<float> read = probeRead(probe, group);
        if (hooks.probeError)
            hooks.probeError(read.succeeded() ? QString() : read.text);
        if (const std::optional<FoundInstrument> instrument = answer(probe, group, read)) {
            ++found;
            if (hooks.found)
                hooks.found(*instrument);
        }
        if (hooks.betweenProbes)
            hooks.betweenProbes();
        if (CancelSearch)
            return false;
    }
    return true;
}

comms::ValueOutcome<float> InstrumentSearch::probeRead(const Probe &probe, int group)
{
    const comms::Target target{group, probe.protocol, probe.address};
    if (const std::optional<comms::Outcome> refusal =
            comms::readRefusal(m_link, target, core::ModelIdRegister)) {
        // Nobody heard the request: never an instrument's error code 2.
        comms::ValueOutcome<float> unheard = comms::ValueOutcome<float>::of(*refusal);
        unheard.status = Unanswered;
        return m_link.app.DemoMode() ? demoRead(probe, group) : unheard;
    }
    const comms::ValueOutcome<float> read =
        comms::readRegister(m_link, target, core::ModelIdRegister);
    return m_link.app.DemoMode() ? demoRead(probe, group) : read;
}

std::optional<FoundInstrument>
InstrumentSearch::answer(const Probe &probe, int group,
                         const comms::ValueOutcome<float> &read) const
{
    if (read.status == 0)
        return modelFound(m_link.app.Catalogue, probe, group, read.value);
    if (read.status == NoModelRegister)
        return possibleFound(m_link.app.Catalogue, probe, group);
    return std::nullopt;
}

} // namespace vanta::discovery
