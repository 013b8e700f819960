// What a repeating rule (repeat=) fires on: the change into its trigger
// state, never the state itself. For running, not_closed and active each
// window that newly meets the trigger fires once, and the list acts on that
// window; for the other triggers the rule's own state changing into holding
// fires. Decided here from what each look found; the looking is the watch's.
#pragma once
#include "rules/rule.h"
#include <cstdint>
#include <vector>

using WindowKey = std::uintptr_t;

// Whether each window counts on its own (running, not_closed, active).
bool firesPerWindow(TriggerState trigger);

struct RepeatEdges {
    std::vector<WindowKey> meeting; // per window: those that met the trigger at the last look
    bool held = false;              // else: whether the state held at the last look

    // Per window: the windows of `now` (in the order found) that did not
    // meet the trigger at the last look; `now` becomes the last look.
    std::vector<WindowKey> newlyMeeting(const std::vector<WindowKey>& now);
    // Otherwise: true once when the state comes to hold.
    bool newlyHolds(bool holds);
};

// What a repeating rule does at its first look, by its check: onunmatch once
// when the state holds and a change is asked for (then it watches on), exec
// when either counts; the last look becomes the start's either way.
enum class RepeatStart { Watch, OnUnmatchThenWatch, FireThenWatch };
RepeatStart repeatStart(CheckMode check, bool holds);
// Whether the rule has fired as often as it may.
bool firedEnough(const Rule& rule, std::int32_t fired);
