// The messages a waiting instance's hidden window answers, other than the
// system's: from other invocations, and from its own threads and timers.
#pragma once
#include <windows.h>

constexpr UINT WM_TRAY_NOTIFY = WM_USER + 999; // also the icon's identifier
constexpr UINT WM_RESET_TIMEOUT = WM_APP + 1;  // another invocation restarts the timeout
constexpr UINT WM_TIMEOUT_STEP = WM_APP + 2;   // private: a timeout step fired (wParam: its id)
constexpr UINT WM_FOLLOW_PROCESS = WM_APP + 3; // private: the rule's window is of process wParam
constexpr UINT WM_TIMEOUT_PAUSE = WM_APP + 4; // private: a list runs; the timeout counts waits only
constexpr UINT WM_FIRED = WM_APP + 5;         // private: a repeating rule has fired wParam times
constexpr WORD IDM_CLOSE = 40000;
