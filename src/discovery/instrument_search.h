// The instrument search without its window: every probe of the plan in turn, the port reopened
// with the probe's settings under a port loan, the model id read, answers turned into result
// lines, and the port always back at the configured settings at the end.
#pragma once

#include "comms/comm_link.h"
#include "comms/outcome.h"
#include "core/reentry_guard.h"
#include "discovery/search_plan.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace vanta::discovery {

// Where the search is, for the progress line and the progress bar.
struct SearchProgress
{
    QString text; // "Polling Address 01   9600,N,8,1 Vanta Link"
    int done = 0; // probes finished before this one
    int total = 0;
    std::optional<double> secondsLeft; // estimated from the probes so far; none before the first
};

// One instrument that answered.
struct FoundInstrument
{
    int group = 0;
    Probe probe;
    QString modelId;   // empty for an instrument that has no model register
    QString modelName; // "Unavailable" for an id the catalogue does not list
    QString line;      // the line of the results list
};

// What the window does while the search runs. Unset hooks do nothing.
struct SearchHooks
{
    std::function<void(const SearchProgress &)> progress; // before each probe
    std::function<void(const QString &)> probeError;      // after each probe; empty on success
    std::function<void(const FoundInstrument &)> found;
    // After each probe: repaint and let pending window events run (a cancel click among them).
    std::function<void()> betweenProbes;
};

enum class SearchEnd
{
    Completed,
    Cancelled,      // by cancel(), or a port that would not open at a probe's settings
    Refused,        // an address range outside 1..255: nothing was probed
    AlreadyRunning, // a second start while a search runs: ignored
};

struct SearchResult
{
    SearchEnd end = SearchEnd::Completed;
    int found = 0;
    QString text; // the final progress text; empty when refused or already running
};

// The final progress text: "Search completed. Found 2 instruments.", "Zero instruments found."
QString searchEndText(SearchEnd end, int found);
// "about 1 h 05 min left", "about 3 min 20 s left", "about 12 s left".
QString timeLeftText(double seconds);

class InstrumentSearch
{
public:
    // `loops` is the program's loop tracker: a window close or program end asked for during the
    // search waits until it has unwound and the port is restored.
    InstrumentSearch(comms::CommLink &link, core::LoopTracker &loops);

    // cmdStartSearch_Click without the window. An address range outside 1..255 is refused with
    // a message before anything is sent. In demo mode nothing goes on the line and the port is
    // left alone; the results are the fixed demo models at each address's first settings.
    SearchResult run(const SearchChoices &choices, const SearchHooks &hooks);
    // Stops the search after the current probe.
    void cancel() { CancelSearch = true; }
    bool running() const { return SearchRunning; }

private:
    // The model id read of a probe: status 0 with the id's value, 2 for an instrument without
    // a model register, anything else unanswered (a request that could not be sent included).
    comms::ValueOutcome<float> probeRead(const Probe &probe, int group);
    std::optional<FoundInstrument> answer(const Probe &probe, int group,
                                          const comms::ValueOutcome<float> &read) const;
    // Runs the plan; false when it was cancelled or a reopen failed.
    bool probeAll(const std::vector<Probe> &plan, int group, const SearchHooks &hooks, int &found);

    comms::CommLink &m_link;
    core::LoopTracker &m_loops;
    bool SearchRunning = false;
    bool CancelSearch = false;
};

} // namespace vanta::discovery
