// A waiting instance's hidden window, its thread, icon and timeout.
#pragma once
#include <windows.h>

constexpr UINT WM_TRAY_NOTIFY = WM_USER + 999; // also the icon's identifier
constexpr UINT WM_RESET_TIMEOUT = WM_APP + 1;  // another invocation restarts the timeout
constexpr WORD IDM_CLOSE = 40000;
constexpr WORD kIconResource = 101;

DWORD WINAPI windowThreadProc(LPVOID);
// Closes the shell window now, or as soon as the window thread has created it,
// so that a watch ended early leaves no window thread and no icon behind.
void closeShellWindow();

// The one-shot timeout timer; start does nothing while armed.
void startTimeoutTimer();
void stopTimeoutTimer();
