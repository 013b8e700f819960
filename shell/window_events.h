// Window events as a hint for the polling watch: which events can change the
// rule's answer, and when to stop listening because they come faster than
// they help. Polling stays the judge: no decision depends on an event.
#pragma once
#include "rules/rule.h"
#include <cstdint>

// The events worth listening to for one watch.
struct EventPlan {
    bool appear = false;     // a window is created
    bool vanish = false;     // a window is destroyed
    bool renamed = false;    // a window's title changes
    bool shown = false;      // shown or hidden: for a target that counts only while visible
    bool front = false;      // the foreground or the focus moves, a window is minimized
    bool oneProcess = false; // appear, vanish and renamed only from the target's process
};

// From the trigger, whether the rule names a title, whether the target
// window was there at the first look, and whether the target counts only
// while it is visible (a program's main window, a title compared in part).
EventPlan planWindowEvents(TriggerState trigger, bool titleGiven, bool windowFound,
                           bool visibleOnly = false);
// A repeating rule's: any window may come to meet the trigger, and any that
// met it may go, from any process.
EventPlan planRepeatEvents(TriggerState trigger, bool titleGiven, bool visibleOnly);

// What a window event is about, as far as a rule can care.
enum class EventKind { Created, Destroyed, ShownOrHidden, Renamed, Front };

// Whether an event can change a rule's answer: one about a whole top-level
// window, or about the front (the foreground, minimizing, a control taking
// the focus). A control inside a window never can. A destroyed window can no
// longer be asked whether it was top-level, so its end counts only when it
// was the window the rule found. `whole`: the event concerns the window
// itself, not a part of it (its caret, a list item).
bool eventCanMatter(EventKind kind, bool whole, bool topLevel, bool watchedWindow);

// Each delivered event costs the waiting instance about 0.1 ms (measured
// under Wine: 50 top-level windows a second, each one also looked at, cost
// 0.6 % of a core), whoever sends it, and a watch can use one now and then.
// More than 30 that can matter within 2 s is a storm: below that, even a
// neighbour that stays just under it costs at most about 0.2 % of a core
// more than plain polling, while the bursts of a dozen or two that a program
// starting or a dialog opening brings pass. Events that cannot matter (a
// clock's label, a progress text, a menu's items) do not make a storm, so a
// program that updates a control all the time never deafens a watch; only a
// flood of them, more than 200 within 2 s (1 % of a core), does. In a storm
// or a flood the listening stops for a quiet spell, 5 s at first and twice as
// long after each one up to a minute; a minute of listening without one
// brings the spell back to 5 s.
class EventStorm {
  public:
    static constexpr unsigned kStormEvents = 30;
    static constexpr unsigned kFloodEvents = 200;
    static constexpr std::uint32_t kWindowMs = 2000;
    static constexpr std::uint32_t kFirstSpellMs = 5000;
    static constexpr std::uint32_t kLongestSpellMs = 60000;

    // Listening (again) from `now` (milliseconds, any origin, wrapping).
    void listening(std::uint32_t now);
    // An event arrived at `now`; true when the listening should stop now.
    bool arrived(std::uint32_t now, bool canMatter = true);
    // How long to stay away after the last stop.
    std::uint32_t quietSpell() const { return spell_; }
    // How many events came in the window that made the last stop.
    unsigned stormEvents() const { return stormed_; }

  private:
    std::uint32_t listeningSince_ = 0;
    std::uint32_t windowStart_ = 0;
    unsigned count_ = 0;    // every event in the window
    unsigned mattered_ = 0; // those that can matter
    std::uint32_t spell_ = kFirstSpellMs;
    std::uint32_t next_ = kFirstSpellMs;
    unsigned stormed_ = 0;
};
