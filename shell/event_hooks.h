// The system's window events, heard on the window thread as a hint for the
// polling watch (shell/window_events.h says which and when to stop). A hint
// only: what the window is doing is always looked up anew.
#pragma once
#include <windows.h>
#include "shell/window_events.h"

// On the calling thread, which must pump messages: signal `lookNow` whenever
// one of the plan's events can matter (from `process` alone where the plan
// says so). While events come in a storm it stops listening for a quiet
// spell. False where the system cannot (Windows CE has no such events), and
// then nothing is signalled.
bool watchWindowEvents(HANDLE lookNow, const EventPlan& plan, DWORD process);
// The plan's one process is now `process` (the rule's window belongs to
// another program now); on the thread that watches.
void followProcess(DWORD process);
// The window the last look found, from any thread: its end is worth a look.
void noteWatchedWindow(HWND window);
// From any thread: whether windows appearing are heard now, and a count that
// changes each time one may have appeared unheard or a top-level window
// appeared. The same count at two moments, both heard, means no window
// appeared in between, so a look may skip the windows it already judged.
bool appearingHeard(std::uint32_t& appeared);
// Ends the above on the thread that began it; harmless when nothing runs.
void stopWatchingWindowEvents();

// What the events are doing, for `palimoorctl status`; on the watching thread.
struct EventStatus {
    unsigned planned = 0;     // 1 appear, 2 vanish, 4 renamed, 8 shown, 16 front
    bool listening = false;   // heard now
    DWORD shedUntil = 0;      // tick count a quiet spell ends
    unsigned stormEvents = 0; // events in the 2 s before the last spell
    unsigned lastEvent = 0;   // 1 + EventKind of the last that woke the watch; 0 none
    DWORD lastEventAt = 0;
};
EventStatus eventStatus();
