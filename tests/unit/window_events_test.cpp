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

} // namespace
