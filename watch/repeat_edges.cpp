#include "watch/repeat_edges.h"

bool firesPerWindow(TriggerState trigger) {
    return trigger == TriggerState::running || trigger == TriggerState::not_closed ||
           trigger == TriggerState::active;
}

std::vector<WindowKey> RepeatEdges::newlyMeeting(const std::vector<WindowKey>& now) {
    std::vector<WindowKey> fresh;
    for (WindowKey window : now) {
        bool known = false;
        for (WindowKey before : meeting)
            known = known || before == window;
        if (!known)
            fresh.push_back(window);
    }
    meeting = now;
    return fresh;
}

bool RepeatEdges::newlyHolds(bool holds) {
    const bool edge = holds && !held;
    held = holds;
    return edge;
}

RepeatStart repeatStart(CheckMode check, bool holds) {
    if (!holds)
        return RepeatStart::Watch;
    return check == CheckMode::both ? RepeatStart::FireThenWatch : RepeatStart::OnUnmatchThenWatch;
}

bool firedEnough(const Rule& rule, std::int32_t fired) {
    return rule.repeat != kRepeatForever && fired >= rule.repeat;
}
