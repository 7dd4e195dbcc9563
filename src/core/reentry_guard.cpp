// Re-entry guards and the deferred actions that wait for guarded loops to unwind.
#include "core/reentry_guard.h"

#include <QMetaObject>

namespace vanta::core {

void LoopTracker::whenIdle(std::function<void()> action)
{
    if (!loopRunning()) {
        action();
        return;
    }
    m_deferred.push_back(std::move(action));
}

void LoopTracker::leave()
{
    --m_depth;
    if (m_depth > 0 || m_deferred.empty() || m_runQueued)
        return;
    // Queued: the guard's owner is still on the stack while its destructor runs.
    m_runQueued = true;
    QMetaObject::invokeMethod(this, &LoopTracker::runDeferred, Qt::QueuedConnection);
}

void LoopTracker::runDeferred()
{
    m_runQueued = false;
    while (!m_deferred.empty() && !loopRunning()) {
        const std::function<void()> action = std::move(m_deferred.front());
        m_deferred.erase(m_deferred.begin());
        action();
    }
}

ReentryGuard::ReentryGuard(bool &busy, LoopTracker &tracker)
    : m_busy(busy), m_tracker(tracker), m_entered(!busy)
{
    if (!m_entered)
        return;
    m_busy = true;
    m_tracker.enter();
}

ReentryGuard::~ReentryGuard()
{
    if (!m_entered)
        return;
    m_busy = false;
    m_tracker.leave();
}

} // namespace vanta::core
