#include "ctl/new/rule_replay.h"
#include "ctl/io/shown_text.h"
#include "ctl/observed/near_miss.h"
#include "watch/outcome.h"
#include "watch/window_match.h"
#include <vector>

namespace {

std::vector<std::uint64_t> matching(const WindowQuery& query, const DesktopLook& desktop) {
    std::vector<std::uint64_t> found;
    for (const auto& window : desktop.windows) {
        if (windowFits(query, window.second))
            found.push_back(window.first);
    }
    return found;
}

std::wstring describe(const WindowLook& look) {
    return L"class " + quoted(look.className) + L", title " + quoted(look.title) + L", " +
           (look.program.empty() ? std::wstring(L"program unreadable") : visible(look.program)) +
           (look.visible ? L"" : L", hidden");
}

struct Moment {
    const DesktopLook& desktop;
    std::vector<std::uint64_t> found;
    bool inFront;
    bool holds;
};

Moment judge(const Rule& rule, const WindowQuery& query, const DesktopLook& desktop) {
    Moment moment{desktop, matching(query, desktop), false, false};
    if (!moment.found.empty()) {
        const std::uint64_t window = moment.found.front();
        const auto front = desktop.windows.find(desktop.front);
        moment.inFront =
            countsAsInFront(query, window == desktop.front,
                            front != desktop.windows.end() &&
                                front->second.process == desktop.windows.at(window).process);
    }
    moment.holds = triggerHoldsFor(rule.trigger, !moment.found.empty(), moment.inFront);
    return moment;
}

} // namespace

std::wstring replayProblem(const Rule& rule, const Demonstration& shown) {
    const WindowQuery query = queryOf(rule);
    const Moment before = judge(rule, query, shown.before);
    const Moment after = judge(rule, query, shown.shown);
    for (const Moment* moment : {&before, &after}) {
        for (std::uint64_t window : moment->found) {
            if (window != shown.window)
                return L"it finds another window too: " +
                       describe(moment->desktop.windows.at(window));
        }
    }
    if (rule.check != CheckMode::current && before.holds)
        return L"it holds already before what was shown, so it would not wait";
    const auto target = shown.shown.windows.find(shown.window);
    const bool stillThere = target != shown.shown.windows.end();
    if (!after.holds) {
        if (stillThere && !target->second.visible && usesProcessWatch(rule.trigger))
            return L"it finds the window still there, hidden: hiding a window (to the "
                   L"notification area) is not closing it";
        if (after.found.empty())
            return L"it finds no window on the desktop shown";
        return std::wstring(L"it does not hold on the desktop shown, where it finds the window ") +
               (after.inFront ? L"in front" : L"not in front");
    }
    if (before.found.empty() && after.found.empty())
        return L"it never finds the window shown";
    if (usesProcessWatch(rule.trigger)) {
        const auto was = shown.before.windows.find(shown.window);
        const std::uint32_t process = was != shown.before.windows.end() ? was->second.process : 0;
        for (const auto& window : shown.latest.windows) {
            if (process != 0 && window.second.process == process)
                return L"its program still runs (" + describe(window.second) +
                       L" is one of its windows): a rule for a closed window waits for its "
                       L"program to end";
        }
    }
    return std::wstring();
}
