// The rule's target window, its state and its process.
#pragma once
#include "watch/process_handle.h"
#include <windows.h>

HWND findTargetWindow();
bool triggerHolds(HWND window);
// Holds the window's owner process afterwards, or nothing.
void openOwnerProcess(ProcessHandle& holder, HWND window);
