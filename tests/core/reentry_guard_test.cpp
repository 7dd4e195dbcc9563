// Re-entry guards: a second entry is refused, and deferred actions wait for the last loop.
#include "core/reentry_guard.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace vanta;

TEST(ReentryGuard, RefusesASecondEntryOfTheSameTick)
{
    core::LoopTracker tracker;
    bool busy = false;
    {
        const core::ReentryGuard outer(busy, tracker);
        ASSERT_TRUE(outer);
        const core::ReentryGuard inner(busy, tracker);
        EXPECT_FALSE(inner);
        EXPECT_TRUE(tracker.loopRunning());
    }
    EXPECT_FALSE(busy);
    EXPECT_FALSE(tracker.loopRunning());
    const core::ReentryGuard again(busy, tracker);
    EXPECT_TRUE(again);
}

TEST(ReentryGuard, DeferredActionsWaitUntilTheLastLoopHasUnwound)
{
    core::LoopTracker tracker;
    bool outerBusy = false;
    bool innerBusy = false;
    int runs = 0;
    {
        const core::ReentryGuard outer(outerBusy, tracker);
        {
            const core::ReentryGuard inner(innerBusy, tracker);
            tracker.whenIdle([&runs] { ++runs; });
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(runs, 0); // the outer loop still runs
    }
    EXPECT_EQ(runs, 0); // not from inside the guard's destructor
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);

    tracker.whenIdle([&runs] { ++runs; }); // nothing runs: at once
    EXPECT_EQ(runs, 2);
}
