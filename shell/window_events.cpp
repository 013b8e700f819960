#include "shell/window_events.h"

EventPlan planWindowEvents(TriggerState trigger, bool titleGiven, bool windowFound,
                           bool visibleOnly) {
    EventPlan plan;
    plan.renamed = titleGiven;
    switch (trigger) {
    case TriggerState::running:
    case TriggerState::not_closed:
        plan.appear = true; // the window is not there yet
        break;
    case TriggerState::active:
        plan.front = true; // a window appearing in front moves the foreground too
        break;
    case TriggerState::inactive:
        plan.appear = true; // it may come behind the window in front
        plan.front = true;
        break;
    case TriggerState::not_active:
    case TriggerState::not_inactive:
        // The window is there: its going, its renaming and the front decide,
        // and only its own process can make it go or rename it.
        plan.vanish = true;
        plan.front = true;
        plan.oneProcess = windowFound;
        break;
    case TriggerState::closed:
    case TriggerState::not_running:
        break; // watched through the target's process: no window event tells more
    }
    plan.shown = visibleOnly && (plan.appear || plan.vanish);
    return plan;
}

EventPlan planRepeatEvents(TriggerState trigger, bool titleGiven, bool visibleOnly) {
    EventPlan plan = planWindowEvents(trigger, titleGiven, false, visibleOnly);
    plan.appear = true;
    plan.vanish = true;
    plan.oneProcess = false;
    plan.shown = visibleOnly;
    return plan;
}

bool eventCanMatter(EventKind kind, bool whole, bool topLevel, bool watchedWindow) {
    switch (kind) {
    case EventKind::Front:
        return whole;
    case EventKind::Destroyed:
        return whole && watchedWindow;
    case EventKind::Created:
    case EventKind::ShownOrHidden:
    case EventKind::Renamed:
        return whole && topLevel;
    }
    return false;
}

void EventStorm::listening(std::uint32_t now) {
    listeningSince_ = now;
    count_ = 0;
    mattered_ = 0;
}

bool EventStorm::arrived(std::uint32_t now, bool canMatter) {
    if (count_ == 0 || now - windowStart_ >= kWindowMs) {
        windowStart_ = now;
        count_ = 0;
        mattered_ = 0;
    }
    ++count_;
    mattered_ += canMatter ? 1 : 0;
    if (mattered_ <= kStormEvents && count_ <= kFloodEvents)
        return false;
    if (now - listeningSince_ >= kLongestSpellMs) // a calm minute since the last spell
        next_ = kFirstSpellMs;
    spell_ = next_;
    next_ = spell_ * 2 < kLongestSpellMs ? spell_ * 2 : kLongestSpellMs;
    stormed_ = count_;
    count_ = 0;
    mattered_ = 0;
    return true;
}
