#include "watch/outcome.h"

bool triggerNeedsForeground(TriggerState trigger) {
    switch (trigger) {
    case TriggerState::active:
    case TriggerState::inactive:
    case TriggerState::not_active:
    case TriggerState::not_inactive:
        return true;
    default:
        return false;
    }
}

bool triggerHoldsFor(TriggerState trigger, bool found, bool foreground) {
    switch (trigger) {
    case TriggerState::closed:
    case TriggerState::not_running:
        return !found;
    case TriggerState::running:
    case TriggerState::not_closed:
        return found;
    case TriggerState::active:
        return found && foreground;
    case TriggerState::inactive:
        return found && !foreground;
    case TriggerState::not_active:
        return !found || !foreground;
    case TriggerState::not_inactive:
        return !found || foreground;
    }
    return false;
}

Outcome decideAtFirstProbe(CheckMode check, bool holds) {
    if (holds)
        return check == CheckMode::change ? Outcome::RunOnUnmatch : Outcome::RunExec;
    return check == CheckMode::current ? Outcome::RunOnUnmatch : Outcome::Watch;
}

bool usesProcessWatch(TriggerState trigger) {
    return trigger == TriggerState::closed || trigger == TriggerState::not_running;
}
