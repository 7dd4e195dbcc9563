// Re-entry guards for timer ticks and loops that let events run (window ticks, and logic loops
// such as configuration read and send, the search and the monitor pass), and the deferral of
// closes and program end until such a loop has unwound. Qt Core only, so logic can hold them.
#pragma once

#include <QObject>
#include <functional>
#include <vector>

namespace vanta::core {

// Counts the guarded ticks and loops running at this moment (one per program, owned by the
// navigator) and holds actions that must wait until none runs.
class LoopTracker : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    bool loopRunning() const { return m_depth > 0; }
    // Runs `action` at once when no guarded tick or loop runs; otherwise queues it and runs it
    // from the event loop after the last one has unwound, so no window is closed or destroyed
    // under a handler that is still on the stack.
    void whenIdle(std::function<void()> action);

private:
    friend class ReentryGuard;
    void enter() { ++m_depth; }
    void leave();
    void runDeferred();

    int m_depth = 0;
    bool m_runQueued = false;
    std::vector<std::function<void()>> m_deferred;
};

// Guards one tick or loop. `busy` is the owner's flag for that tick (one flag per timer or
// loop). When the flag is already set, the guard does nothing and converts to false: the caller
// returns at once. So a timer whose tick shows a message box does not tick again while the box
// is open, and a loop that lets events run is not started a second time from inside itself.
//
//     void frmStatus::tmrPoll_Timer()
//     {
//         const ReentryGuard guard(m_inTick, m_navigator.loops());
//         if (!guard)
//             return;
//         ...
//     }
class ReentryGuard
{
public:
    ReentryGuard(bool &busy, LoopTracker &tracker);
    ~ReentryGuard();
    ReentryGuard(const ReentryGuard &) = delete;
    ReentryGuard &operator=(const ReentryGuard &) = delete;

    explicit operator bool() const { return m_entered; }

private:
    bool &m_busy;
    LoopTracker &m_tracker;
    bool m_entered;
};

} // namespace vanta::core
