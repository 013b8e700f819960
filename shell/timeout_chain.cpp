#include "shell/timeout_chain.h"

namespace {
// Tick counts wrap after 49.7 days; the difference of two stays meaningful.
std::int32_t msUntil(std::uint32_t deadline, std::uint32_t now) {
    return static_cast<std::int32_t>(deadline - now);
}
} // namespace

bool startChain(TimeoutChain& chain, std::int32_t timeoutMs, std::uint32_t now) {
    if (chain.armed || timeoutMs == 0)
        return false;
    chain = TimeoutChain{};
    chain.armed = true;
    chain.infinite = timeoutMs < 0;
    chain.deadline = now + static_cast<std::uint32_t>(timeoutMs);
    return !chain.infinite;
}

std::uint32_t nextStepDelay(const TimeoutChain& chain, std::uint32_t now, std::uint32_t longest) {
    const std::int32_t left = msUntil(chain.deadline, now);
    if (left <= 0)
        return 1;
    return static_cast<std::uint32_t>(left) < longest ? static_cast<std::uint32_t>(left) : longest;
}

void stepArmed(TimeoutChain& chain, std::uint32_t id) {
    chain.stepId = id;
}

StepVerdict judgeStep(TimeoutChain& chain, std::uint32_t firedId, std::uint32_t now) {
    if (!chain.armed || chain.infinite || firedId == 0 || firedId != chain.stepId)
        return StepVerdict::Stale;
    chain.stepId = 0;
    if (msUntil(chain.deadline, now) > 0)
        return StepVerdict::Continue;
    chain.armed = false;
    return StepVerdict::Expired;
}

std::uint32_t stopChain(TimeoutChain& chain) {
    const std::uint32_t pending = chain.armed ? chain.stepId : 0;
    chain = TimeoutChain{};
    return pending;
}
