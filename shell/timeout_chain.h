// The timeout as a chain of one-shot timer steps towards a deadline: the
// timer refuses delays above its maximum, so a long timeout takes several.
//
// Only the shell window's thread touches a chain. The timer's callback just
// posts the id of the step that fired; the window thread judges it here, so a
// restart and a step can never interleave, and a step left over from before
// a restart is recognised as stale rather than taken for the expiry.
#pragma once
#include <cstdint>

struct TimeoutChain {
    bool armed = false;         // a timeout is running (an infinite one never expires)
    bool infinite = false;      // armed for ever: no step, no expiry
    std::uint32_t deadline = 0; // tick count when it is due
    std::uint32_t stepId = 0;   // the pending step; 0 while none is (not armed yet, or it failed)
};

enum class StepVerdict { Stale, Continue, Expired };

// Arms the chain for `timeoutMs` from `now`; false when no step is needed
// (already armed, no timeout, or an infinite one). -1 means infinite.
bool startChain(TimeoutChain& chain, std::int32_t timeoutMs, std::uint32_t now);
// The delay of the next step: what is left, at most `longest`, at least 1.
std::uint32_t nextStepDelay(const TimeoutChain& chain, std::uint32_t now, std::uint32_t longest);
// The step id the timer returned; 0 records a failed step, to be tried again.
void stepArmed(TimeoutChain& chain, std::uint32_t id);
// A step has fired. Stale: not the pending step of a running chain, ignore it.
// Continue: arm the next step. Expired: the deadline has come; the chain stops.
StepVerdict judgeStep(TimeoutChain& chain, std::uint32_t firedId, std::uint32_t now);
// Stops the chain; returns the pending step to kill, or 0.
std::uint32_t stopChain(TimeoutChain& chain);
