#include "watch/outcome.h"
#include <gtest/gtest.h>

namespace {

TEST(Trigger, EveryStateAgainstWindowAndForeground) {
    struct Case {
        TriggerState trigger;
        bool absent, background, foreground;
    };
    const Case cases[] = {
        {TriggerState::closed, true, false, false},
        {TriggerState::not_running, true, false, false},
        {TriggerState::running, false, true, true},
        {TriggerState::not_closed, false, true, true},
        {TriggerState::active, false, false, true},
        {TriggerState::inactive, false, true, false},
        {TriggerState::not_active, true, true, false},
        {TriggerState::not_inactive, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.trigger));
        EXPECT_EQ(triggerHoldsFor(c.trigger, false, false), c.absent);
        EXPECT_EQ(triggerHoldsFor(c.trigger, true, false), c.background);
        EXPECT_EQ(triggerHoldsFor(c.trigger, true, true), c.foreground);
    }
    EXPECT_FALSE(triggerHoldsFor(static_cast<TriggerState>(99), false, false));
    EXPECT_FALSE(triggerNeedsForeground(TriggerState::closed));
    EXPECT_TRUE(triggerNeedsForeground(TriggerState::not_inactive));
}

TEST(FirstProbe, OutcomeTable) {
    EXPECT_EQ(decideAtFirstProbe(CheckMode::current, true), Outcome::RunExec);
    EXPECT_EQ(decideAtFirstProbe(CheckMode::current, false), Outcome::RunOnUnmatch);
    EXPECT_EQ(decideAtFirstProbe(CheckMode::change, true), Outcome::RunOnUnmatch);
    EXPECT_EQ(decideAtFirstProbe(CheckMode::change, false), Outcome::Watch);
    EXPECT_EQ(decideAtFirstProbe(CheckMode::both, true), Outcome::RunExec);
    EXPECT_EQ(decideAtFirstProbe(CheckMode::both, false), Outcome::Watch);
}

TEST(FirstProbe, OnlyClosedAndNotRunningWatchTheProcess) {
    EXPECT_TRUE(usesProcessWatch(TriggerState::closed));
    EXPECT_TRUE(usesProcessWatch(TriggerState::not_running));
    EXPECT_FALSE(usesProcessWatch(TriggerState::running));
    EXPECT_FALSE(usesProcessWatch(TriggerState::not_active));
}

} // namespace
