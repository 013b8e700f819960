// The rule's target window, its state and its process.
#pragma once
#include "watch/process_handle.h"
#include <windows.h>
#include <cstdint>
#include <vector>

HWND findTargetWindow();
// Every window the rule finds, in the order the system lists them (the first
// is findTargetWindow's), as keys: a repeating rule counts each.
std::vector<std::uintptr_t> findTargetWindows();
// Whether the target window is in front as the rule means it: itself, or for
// a process-only rule any window of its program (a dialog counts).
bool isInFront(HWND window);
// The same, with the foreground window already read.
bool isInFrontOf(HWND window, HWND front);
bool triggerHolds(HWND window);
// The trigger's test with what it saw: the foreground window, where the
// trigger asked for it (else null), and whether the window is in front as the
// rule means it.
struct TriggerSeen {
    bool holds;
    HWND front;
    bool inFront;
};
TriggerSeen judgeTrigger(HWND window);
// Holds the window's owner process afterwards, or nothing.
void openOwnerProcess(ProcessHandle& holder, HWND window);
// The identifier of the process that owns the window.
DWORD windowProcess(HWND window);
