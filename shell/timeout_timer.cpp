// The one-shot timeout: armed when the shell window exists, restarted by
// WM_RESET_TIMEOUT, and on expiry it ends the wait as a timeout.
//
// The multimedia timer refuses delays above its maximum (65535 ms under
// Wine, 1000000 ms on desktop Windows), so a longer timeout runs as a chain
// of one-shot steps towards its deadline instead of silently never expiring.
#include "app/app_state.h"
#include "shell/shell_window.h"
#include <mmsystem.h>

namespace {

constexpr UINT kResolutionMs = 1000;

std::atomic<DWORD> deadline{0}; // GetTickCount() when the timeout is due

UINT longestDelay() {
    TIMECAPS caps = {};
    if (timeGetDevCaps(&caps, sizeof caps) == TIMERR_NOERROR && caps.wPeriodMax > 0)
        return caps.wPeriodMax;
    return 65535;
}

void CALLBACK timeoutExpired(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR);

UINT armStep(DWORD remaining) {
    const UINT longest = longestDelay();
    const UINT step = remaining < longest ? static_cast<UINT>(remaining) : longest;
    return timeSetEvent(step, kResolutionMs, timeoutExpired, 0, TIME_ONESHOT);
}

void CALLBACK timeoutExpired(UINT id, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    const LONG remaining = static_cast<LONG>(deadline - GetTickCount());
    if (app.timerArmed && id == app.timerId && remaining > 0) {
        app.timerId = armStep(static_cast<DWORD>(remaining));
        return;
    }
    app.timedOut = true;
    timeKillEvent(app.timerId);
    if (HWND window = app.shellWindow)
        PostMessageW(window, WM_CLOSE, 0, 0);
}

} // namespace

void startTimeoutTimer() {
    if (app.timerArmed || app.rule.timeout == 0)
        return;
    if (app.rule.timeout < 0) {
        // -1 becomes the largest delay, which the timer refuses: it never expires.
        app.timerId = timeSetEvent(static_cast<UINT>(app.rule.timeout), kResolutionMs,
                                   timeoutExpired, 0, TIME_ONESHOT);
    } else {
        deadline = GetTickCount() + static_cast<DWORD>(app.rule.timeout);
        app.timerId = armStep(static_cast<DWORD>(app.rule.timeout));
    }
    app.timerArmed = true;
}

void stopTimeoutTimer() {
    if (!app.timerArmed)
        return;
    timeKillEvent(app.timerId);
    app.timerArmed = false;
}
