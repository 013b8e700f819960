#include "shell/event_hooks.h"
#include "shell/platform.h"
#include <atomic>

#ifdef _WIN32_WCE

bool watchWindowEvents(HANDLE, const EventPlan&, DWORD) {
    return false;
}
bool appearingHeard(std::uint32_t&) {
    return false;
}
EventStatus eventStatus() {
    return EventStatus();
}
void followProcess(DWORD) {}
void noteWatchedWindow(HWND) {}
void stopWatchingWindowEvents() {}

#else

namespace {

// One hook: a range of consecutive events, from every process or the target's.
struct HookRange {
    DWORD first;
    DWORD last;
    bool oneProcess;
};

constexpr size_t kMostHooks = 7;

// All of it belongs to the window thread, which holds the hooks; their
// callbacks and the rehook timer run on it too.
struct EventWatch {
    bool watching = false;
    HANDLE lookNow = nullptr;
    EventPlan plan;
    DWORD process = 0;
    HWINEVENTHOOK hooks[kMostHooks] = {};
    EventStorm storm;
    UINT_PTR rehookTimer = 0;
    EventStatus status; // what status tells of the above
} events;

std::atomic<HWND> watchedWindow{nullptr}; // written by the main thread
// Read by the main thread's looks: whether creation is heard, and the count
// of top-level windows created, and of times the hearing began.
std::atomic<bool> hearsAppearing{false};
std::atomic<std::uint32_t> appearedCount{0};

size_t hookRanges(const EventPlan& plan, HookRange (&ranges)[kMostHooks]) {
    size_t count = 0;
    if (plan.appear)
        ranges[count++] = {EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, false};
    if (plan.vanish)
        ranges[count++] = {EVENT_OBJECT_DESTROY, EVENT_OBJECT_DESTROY, plan.oneProcess};
    if (plan.shown)
        ranges[count++] = {EVENT_OBJECT_SHOW, EVENT_OBJECT_HIDE, plan.oneProcess};
    if (plan.renamed)
        ranges[count++] = {EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, plan.oneProcess};
    if (plan.front) {
        ranges[count++] = {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, false};
        ranges[count++] = {EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND, false};
        // Wine tells a program's coming to the front only by its control's focus.
        ranges[count++] = {EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, false};
    }
    return count;
}

void unhookAll() {
    hearsAppearing = false;
    for (HWINEVENTHOOK& hook : events.hooks) {
        if (hook)
            UnhookWinEvent(hook);
        hook = nullptr;
    }
}

void CALLBACK onWindowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                            DWORD);

bool hookAll() {
    HookRange ranges[kMostHooks];
    const size_t count = hookRanges(events.plan, ranges);
    for (size_t i = 0; i < count; ++i) {
        events.hooks[i] = SetWinEventHook(ranges[i].first, ranges[i].last, nullptr, onWindowEvent,
                                          ranges[i].oneProcess ? events.process : 0, 0,
                                          WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
        if (!events.hooks[i]) {
            unhookAll();
            return false;
        }
    }
    events.storm.listening(GetTickCount());
    ++appearedCount; // what came while not hearing is unknown
    hearsAppearing = events.plan.appear;
    return true;
}

void CALLBACK rehook(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    events.rehookTimer = 0;
    if (events.watching && hookAll())
        SetEvent(events.lookNow); // what happened meanwhile is looked at now
}

EventKind kindOf(DWORD event) {
    switch (event) {
    case EVENT_OBJECT_CREATE:
        return EventKind::Created;
    case EVENT_OBJECT_DESTROY:
        return EventKind::Destroyed;
    case EVENT_OBJECT_SHOW:
    case EVENT_OBJECT_HIDE:
        return EventKind::ShownOrHidden;
    case EVENT_OBJECT_NAMECHANGE:
        return EventKind::Renamed;
    default:
        return EventKind::Front;
    }
}

// Only what can matter counts toward a storm, and wakes the loop; judging
// the window is the loop's. Focus is reported for a window's client area.
void CALLBACK onWindowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                            DWORD) {
    const EventKind kind = kindOf(event);
    const bool whole =
        child == CHILDID_SELF && (object == OBJID_WINDOW || kind == EventKind::Front);
    // Asked only where it decides: it is a round trip to another program's window.
    const bool asksTopLevel = whole && kind != EventKind::Front && kind != EventKind::Destroyed;
    const bool topLevel = asksTopLevel && isDesktopTopLevel(window);
    const bool matters = eventCanMatter(kind, whole, topLevel, window == watchedWindow.load());
    const DWORD now = GetTickCount();
    if (events.storm.arrived(now, matters) && events.rehookTimer == 0) {
        unhookAll(); // plain polling for a quiet spell
        events.rehookTimer = SetTimer(nullptr, 0, events.storm.quietSpell(), rehook);
        events.status.shedUntil = now + events.storm.quietSpell();
        events.status.stormEvents = events.storm.stormEvents();
    }
    if (matters) {
        if (kind == EventKind::Created)
            ++appearedCount;
        SetEvent(events.lookNow);
        events.status.lastEvent = 1 + static_cast<unsigned>(kind);
        events.status.lastEventAt = now;
    }
}

} // namespace

#ifdef PALIMOOR_TEST_NO_EVENT_HOOK
constexpr bool kWindowEvents = false; // a test build, to compare with plain polling
#else
constexpr bool kWindowEvents = true;
#endif

bool watchWindowEvents(HANDLE lookNow, const EventPlan& plan, DWORD process) {
    if (!kWindowEvents)
        return false;
    events.lookNow = lookNow;
    events.plan = plan;
    events.process = process;
    events.watching = hookAll();
    return events.watching;
}

void followProcess(DWORD process) {
    if (process == events.process || !events.plan.oneProcess)
        return;
    events.process = process;
    if (!events.watching || events.rehookTimer != 0)
        return; // the rehook after the quiet spell takes the new process
    unhookAll();
    events.watching = hookAll();
    SetEvent(events.lookNow); // what it did meanwhile is looked at now
}

EventStatus eventStatus() {
    EventStatus status = events.status;
    const EventPlan& plan = events.plan;
    status.planned = (plan.appear ? 1 : 0) | (plan.vanish ? 2 : 0) | (plan.renamed ? 4 : 0) |
                     (plan.shown ? 8 : 0) | (plan.front ? 16 : 0);
    status.listening = events.watching && events.rehookTimer == 0;
    return status;
}

bool appearingHeard(std::uint32_t& appeared) {
    // The flag first: a hearing begun again since has already changed the count.
    const bool heard = hearsAppearing;
    appeared = appearedCount;
    return heard;
}

void noteWatchedWindow(HWND window) {
    watchedWindow = window;
}

void stopWatchingWindowEvents() {
    events.watching = false;
    unhookAll();
    if (events.rehookTimer)
        KillTimer(nullptr, events.rehookTimer);
    events.rehookTimer = 0;
}

#endif
