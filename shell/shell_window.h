// A waiting instance's hidden window, its thread, icon and timeout.
#pragma once
#include <windows.h>

constexpr UINT WM_TRAY_NOTIFY = WM_USER + 999; // also the icon's identifier
constexpr UINT WM_RESET_TIMEOUT = WM_APP + 1;  // another invocation restarts the timeout
constexpr UINT WM_TIMEOUT_STEP = WM_APP + 2;   // private: a timeout step fired (wParam: its id)
constexpr UINT WM_FOLLOW_PROCESS = WM_APP + 3; // private: the rule's window is of process wParam
constexpr WORD IDM_CLOSE = 40000;
constexpr WORD kIconResource = 101;

// Stores the instance and registers the shell window's class.
bool initInstance(HINSTANCE instance, int showCommand);
// The window thread; sets `ready` once its window exists or could not be made.
DWORD WINAPI windowThreadProc(LPVOID ready);
// Closes the shell window now, or as soon as the window thread has created it,
// so that a watch ended early leaves no window thread and no icon behind.
void closeShellWindow();
