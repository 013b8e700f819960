// The timeout of a waiting instance: armed when the shell window exists,
// restarted by WM_RESET_TIMEOUT, and on expiry it ends the wait as a timeout.
// Everything here runs on the window thread except the timer's callback,
// which only posts which step fired.
#include "shell/timeout_timer.h"
#include "shell/app_state.h"
#include "shell/shell_messages.h"
#include "shell/timeout_chain.h"
#include <mmsystem.h>

namespace {

constexpr UINT kResolutionMs = 1000;
constexpr UINT_PTR kRetryTimer = 1;
constexpr UINT kRetryMs = 1000;

UINT longestStep() {
#ifdef PALIMOOR_TEST_LONGEST_STEP_MS
    return PALIMOOR_TEST_LONGEST_STEP_MS; // a test build, to see chains of steps in seconds
#else
    TIMECAPS caps = {};
    if (timeGetDevCaps(&caps, sizeof caps) == TIMERR_NOERROR && caps.wPeriodMax > 0)
        return caps.wPeriodMax;
    return 65535;
#endif
}

void CALLBACK stepFired(UINT id, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    if (HWND window = app.shellWindow)
        PostMessageW(window, WM_TIMEOUT_STEP, id, 0);
}

void CALLBACK retryStep(HWND, UINT, UINT_PTR, DWORD);

// A step the timer refuses is tried again every second, so that a long
// wait never silently loses its timeout.
void armNextStep() {
    const UINT delay = nextStepDelay(app.timeout, GetTickCount(), longestStep());
    const UINT id = timeSetEvent(delay, kResolutionMs, stepFired, 0, TIME_ONESHOT);
    stepArmed(app.timeout, id);
    if (id == 0)
        SetTimer(app.shellWindow, kRetryTimer, kRetryMs, retryStep);
}

void CALLBACK retryStep(HWND window, UINT, UINT_PTR, DWORD) {
    KillTimer(window, kRetryTimer);
    if (app.timeout.armed && !app.timeout.infinite && app.timeout.stepId == 0)
        armNextStep();
}

} // namespace

void startTimeoutTimer() {
    const bool needsStep = startChain(app.timeout, app.rule.timeout, GetTickCount());
    if (needsStep)
        armNextStep();
}

void stopTimeoutTimer() {
    if (const UINT pending = stopChain(app.timeout))
        timeKillEvent(pending);
    KillTimer(app.shellWindow, kRetryTimer);
}

void onTimeoutStep(UINT firedId) {
    switch (judgeStep(app.timeout, firedId, GetTickCount())) {
    case StepVerdict::Stale:
        break;
    case StepVerdict::Continue:
        armNextStep();
        break;
    case StepVerdict::Expired:
        app.timedOut = true;
        PostMessageW(app.shellWindow, WM_CLOSE, 0, 0);
        break;
    }
}
