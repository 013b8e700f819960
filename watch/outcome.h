// What the first look at the target window decides.
#pragma once
#include "rules/rule.h"

enum class Outcome { RunExec, RunOnUnmatch, Watch };

// Whether the trigger's test needs to know the foreground window at all.
bool triggerNeedsForeground(TriggerState trigger);
bool triggerHoldsFor(TriggerState trigger, bool windowFound, bool windowIsForeground);
Outcome decideAtFirstProbe(CheckMode check, bool triggerHolds);
// closed and not_running wait on the target's process rather than polling.
bool usesProcessWatch(TriggerState trigger);
