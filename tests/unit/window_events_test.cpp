#include "shell/window_events.h"
#include "watch/outcome.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

// Every change of the target window that can make a waiting rule's trigger
// hold is one the plan listens for: it appears (or takes the rule's title),
// goes (or loses it), or the front moves to or from it.
TEST(EventPlan, ListensForEveryChangeThatCanEndTheWait) {
    enum Place { Absent, Behind, InFront };
    const TriggerState triggers[] = {TriggerState::running,    TriggerState::not_closed,
                                     TriggerState::active,     TriggerState::inactive,
                                     TriggerState::not_active, TriggerState::not_inactive};
    const auto holds = [](TriggerState trigger, Place place) { // the program's own test
        return triggerHoldsFor(trigger, place != Absent, place == InFront);
    };
    for (TriggerState trigger : triggers) {
        for (bool title : {false, true}) {
            for (Place from : {Absent, Behind, InFront}) {
                if (holds(trigger, from))
                    continue; // no wait
                const EventPlan plan = planWindowEvents(trigger, title, from != Absent);
                for (Place to : {Absent, Behind, InFront}) {
                    if (!holds(trigger, to))
                        continue;
                    SCOPED_TRACE(testing::Message() << static_cast<int>(trigger) << " title "
                                                    << title << " from " << from << " to " << to);
                    const bool heard =
                        (from == Absent && to == Behind &&
                         (plan.appear || (title && plan.renamed))) ||
                        (from == Absent && to == InFront && (plan.appear || plan.front)) ||
                        (from != Absent && to == Absent &&
                         (plan.vanish || (title && plan.renamed))) ||
                        (from != Absent && to != Absent && plan.front);
                    EXPECT_TRUE(heard);
                    // Only a window that is there has a process to listen to.
                    EXPECT_TRUE(!plan.oneProcess || (from != Absent && !plan.appear));
                }
                // A rule without a title never hears names change; a main
                // window also comes and goes by being shown or hidden.
                EXPECT_EQ(planWindowEvents(trigger, false, from != Absent).renamed, false);
                const EventPlan main = planWindowEvents(trigger, false, from != Absent, true);
                EXPECT_EQ(main.shown, main.appear || main.vanish);
            }
        }
    }
}

// Drives the storm with events `gapMs` apart from `start`; the times it stops.
std::vector<std::uint32_t> stops(EventStorm& storm, std::uint32_t start, std::uint32_t gapMs,
                                 int events) {
    std::vector<std::uint32_t> at;
    for (int i = 0; i < events; ++i) {
        const std::uint32_t now = start + static_cast<std::uint32_t>(i) * gapMs;
        if (storm.arrived(now)) {
            at.push_back(now);
            storm.listening(now + storm.quietSpell()); // back after the spell
            start += storm.quietSpell();
        }
    }
    return at;
}

TEST(EventStorm, LetsGoOfMoreThanABurstAndStaysAwayLongerEachTime) {
    EventStorm burst;
    burst.listening(0);
    EXPECT_TRUE(stops(burst, 0, 0, 30).empty()); // a dialog opening, all at once
    EXPECT_FALSE(stops(burst, 2000, 0, 31).empty());

    EventStorm steady; // 14 a second, for ten minutes: cheap enough
    steady.listening(0);
    EXPECT_TRUE(stops(steady, 0, 1000 / 14, 14 * 600).empty());

    EventStorm busy; // a neighbour churning 500 windows a second, on and on
    std::uint32_t now = 0;
    busy.listening(now);
    std::vector<std::uint32_t> spells;
    for (int storm = 0; storm < 7; ++storm) {
        int events = 1;
        while (!busy.arrived(now += 2))
            ++events;
        EXPECT_EQ(events, 31);
        spells.push_back(busy.quietSpell());
        busy.listening(now += busy.quietSpell());
    }
    EXPECT_EQ(spells, (std::vector<std::uint32_t>{5000, 10000, 20000, 40000, 60000, 60000, 60000}));

    // A calm minute of listening forgives; the clock may wrap meanwhile.
    const std::uint32_t nearWrap = 0xFFFFFFFFu - 30000;
    busy.listening(nearWrap);
    ASSERT_EQ(stops(busy, nearWrap + EventStorm::kLongestSpellMs, 2, 31).size(), 1u);
    EXPECT_EQ(busy.quietSpell(), EventStorm::kFirstSpellMs);
}

// Only an event about a whole top-level window, or the front, can change a
// rule's answer; a window that is gone counts when it was the rule's.
TEST(WindowEvent, OnlyWholeTopLevelWindowsAndTheFrontCanMatter) {
    struct Case {
        EventKind kind;
        bool whole, topLevel, watched, matters;
    } cases[] = {
        {EventKind::Created, true, true, false, true},
        {EventKind::Created, true, false, false, false}, // a control made inside a window
        {EventKind::Renamed, true, false, false, false}, // a clock's label
        {EventKind::Renamed, true, true, false, true},
        {EventKind::Renamed, false, true, false, false}, // a part of the window, not its title
        {EventKind::ShownOrHidden, false, true, false, false}, // the caret, the cursor
        {EventKind::ShownOrHidden, true, true, false, true},
        {EventKind::Destroyed, true, false, true, true},   // the rule's window went
        {EventKind::Destroyed, true, false, false, false}, // another, top-level or not
        {EventKind::Front, true, false, false, true},      // a control takes the focus
        {EventKind::Front, false, false, false, false},    // an item of a list control
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << static_cast<int>(c.kind) << c.whole << c.topLevel << c.watched);
        EXPECT_EQ(eventCanMatter(c.kind, c.whole, c.topLevel, c.watched), c.matters);
    }
}

// Events that cannot matter never make a storm at the rate a busy control
// sends them, but a flood of them does: listening costs per event.
TEST(EventStorm, ControlsThatChangeAllTheTimeDoNotDeafenTheWatch) {
    struct Case {
        unsigned perSecond;
        bool stops;
    } cases[] = {{20, false}, {60, false}, {100, false}, {101, true}, {500, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.perSecond);
        EventStorm storm;
        storm.listening(0);
        bool stopped = false;
        for (unsigned i = 0; i < c.perSecond * 600 && !stopped; ++i) // ten minutes
            stopped = storm.arrived(i * 1000 / c.perSecond, false);
        EXPECT_EQ(stopped, c.stops);
    }
    // Beside a label's flow, the window events that matter still count.
    EventStorm mixed;
    mixed.listening(0);
    unsigned stoppedAt = 0;
    for (unsigned i = 1; i <= 100 && stoppedAt == 0; ++i) {
        mixed.arrived(i * 10, false);
        if (mixed.arrived(i * 10 + 5, true))
            stoppedAt = i;
    }
    EXPECT_EQ(stoppedAt, EventStorm::kStormEvents + 1);
}

} // namespace
