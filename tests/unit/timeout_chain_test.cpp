// The timeout's chain of steps, driven as the window thread drives it, on a
// fake clock with one-second steps.
#include "shell/timeout_chain.h"
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

constexpr std::uint32_t kStep = 1000;

// The timer service and the window thread's message queue, simulated.
struct Simulation {
    std::uint32_t now = 0;
    std::uint32_t nextId = 1;
    std::map<std::uint32_t, std::uint32_t> timers; // id -> when it fires
    std::vector<std::uint32_t> queue;              // posted step ids, in order
    TimeoutChain chain;
    int failuresLeft = 0;
    std::uint32_t retryAt = 0; // the one-second retry after a refused step
    std::int64_t expiredAt = -1;

    void arm() {
        const std::uint32_t id = failuresLeft-- > 0 ? 0 : nextId++;
        if (id)
            timers[id] = now + nextStepDelay(chain, now, kStep);
        else
            retryAt = now + 1000;
        stepArmed(chain, id);
    }
    void start(std::int32_t timeout) {
        if (startChain(chain, timeout, now))
            arm();
    }
    void reset(std::int32_t timeout) {
        timers.erase(stopChain(chain));
        retryAt = 0;
        start(timeout);
    }
    void handle(std::uint32_t id) {
        switch (judgeStep(chain, id, now)) {
        case StepVerdict::Stale:
            break;
        case StepVerdict::Continue:
            arm();
            break;
        case StepVerdict::Expired:
            expiredAt = now;
            break;
        }
    }
    // Runs the clock to `until`: timers post, the window thread handles.
    void runTo(std::uint32_t until) {
        for (; now < until; ++now) {
            for (auto it = timers.begin(); it != timers.end();) {
                if (it->second == now) {
                    queue.push_back(it->first);
                    it = timers.erase(it);
                } else {
                    ++it;
                }
            }
            if (retryAt == now && retryAt != 0) {
                retryAt = 0;
                if (chain.armed && chain.stepId == 0)
                    arm();
            }
            std::vector<std::uint32_t> posted;
            posted.swap(queue);
            for (std::uint32_t id : posted)
                handle(id);
        }
    }
};

TEST(TimeoutChain, ResetsRestartTheWholeTimeout) {
    Simulation s;
    s.start(5000);
    s.runTo(1460);
    s.reset(5000);
    s.runTo(2610);
    s.reset(5000);
    s.runTo(20000);
    EXPECT_EQ(s.expiredAt, 7610);
}

TEST(TimeoutChain, AStepOfTheOldChainIsStaleNeverTheExpiry) {
    Simulation s;
    s.start(5000);
    s.runTo(1000); // the first step fires at 1000 and its successor is armed
    const std::uint32_t pending = s.chain.stepId;
    s.reset(5000);              // at 1000
    s.queue.push_back(pending); // a callback already running posts the old id late
    s.queue.push_back(pending);
    s.runTo(20000);
    EXPECT_EQ(s.expiredAt, 6000);
}

TEST(TimeoutChain, ResetRightAtAStepBoundaryEitherOrder) {
    for (bool stepFirst : {true, false}) {
        SCOPED_TRACE(stepFirst ? "step, then reset" : "reset, then step");
        Simulation s;
        s.start(3000);
        s.runTo(2000);
        const std::uint32_t firing = s.chain.stepId; // due exactly now
        s.timers.erase(firing);
        if (stepFirst)
            s.handle(firing);
        s.reset(3000);
        if (!stepFirst)
            s.handle(firing);
        s.runTo(20000);
        EXPECT_EQ(s.expiredAt, 5000);
    }
}

TEST(TimeoutChain, ARefusedStepIsRetriedNotLost) {
    Simulation s;
    s.start(4000);
    s.runTo(999);
    s.failuresLeft = 3; // the step at 1000 cannot arm its successor three times
    s.runTo(20000);
    EXPECT_GE(s.expiredAt, 4000);
    EXPECT_LE(s.expiredAt, 4000 + 1000);
}

TEST(TimeoutChain, InfiniteZeroAndShortTimeouts) {
    Simulation s;
    s.start(-1);
    EXPECT_TRUE(s.chain.armed);
    s.runTo(100000);
    EXPECT_EQ(s.expiredAt, -1);
    EXPECT_EQ(s.nextId, 1u); // no timer for a timeout that never expires

    Simulation zero;
    zero.start(0);
    EXPECT_FALSE(zero.chain.armed);

    Simulation shortOne;
    shortOne.start(1);
    shortOne.start(50); // already armed: a second start changes nothing
    shortOne.runTo(100);
    EXPECT_EQ(shortOne.expiredAt, 1);

    // The tick count wraps after 49.7 days; the deadline still comes on time.
    Simulation wrapping;
    wrapping.now = 0xFFFFFF00u;
    wrapping.start(2000);
    wrapping.runTo(0xFFFFFFFFu);
    EXPECT_EQ(wrapping.expiredAt, -1);
    EXPECT_EQ(wrapping.chain.deadline, 0xFFFFFF00u + 2000u);
}

} // namespace
