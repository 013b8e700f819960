// The one-shot timeout: armed when the shell window exists, restarted by
// WM_RESET_TIMEOUT, and on expiry it ends the wait as a timeout.
#include "app/app_state.h"
#include "shell/shell_window.h"
#include <mmsystem.h>

namespace {

constexpr UINT kResolutionMs = 1000;

void CALLBACK timeoutExpired(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    app.timedOut = true;
    timeKillEvent(app.timerId);
    if (HWND window = app.shellWindow)
        PostMessageW(window, WM_CLOSE, 0, 0);
}

} // namespace

void startTimeoutTimer() {
    if (app.timerArmed || app.rule.timeout == 0)
        return;
    // -1 becomes the largest delay, which never comes.
    app.timerId = timeSetEvent(static_cast<UINT>(app.rule.timeout), kResolutionMs, timeoutExpired,
                               0, TIME_ONESHOT);
    app.timerArmed = true;
}

void stopTimeoutTimer() {
    if (!app.timerArmed)
        return;
    timeKillEvent(app.timerId);
    app.timerArmed = false;
}
