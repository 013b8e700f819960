// Deciding at the first look, and the two watches.
#include "watch/run_driver.h"
#include "shell/app_state.h"
#include "shell/event_hooks.h"
#include "shell/instance_control.h"
#include "shell/shell_window.h"
#include "shell/status.h"
#include "watch/command_list.h"
#include "watch/outcome.h"
#include "watch/repeat_watch.h"
#include "watch/target_window.h"
#include "watch/window_thread.h"

namespace {

void processWatch() {
    ProcessHandle process;
    HWND window = findTargetWindow();
    if (window)
        openOwnerProcess(process, window);
    if (process.get()) {
        noteWaitBegins(true);
        noteLook(window, nullptr, false);
        startWindowThread();
        const HANDLE handles[2] = {process.get(), app.workerThread};
        WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        stopWindowThread();
        process.reset();
    }
    runCommandList(findTargetWindow() ? ListKind::OnTimeout : ListKind::Exec);
}

// The window events follow the window the rule finds: its end is worth a
// look, and when it belongs to another process now (a second instance of the
// program, another window renamed to match), the events heard from one
// process come from that one.
// `followed`: the process the window thread was last told of.
void followTarget(HWND window, DWORD& followed) {
    noteWatchedWindow(window);
    if (!window || !app.eventPlan.oneProcess)
        return;
    const DWORD process = windowProcess(window);
    HWND shell = app.shellWindow;
    if (process != followed && shell && PostMessageW(shell, WM_FOLLOW_PROCESS, process, 0))
        followed = process;
}

// Looks at every polling interval, and at once when the window thread has
// seen a window change (only a hint: a missed one costs time, never a wrong
// list). A burst of changes wakes the loop once, as the event is auto-reset.
void pollingWatch() {
    app.lookNow = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HWND window = findTargetWindow();
    if (window)
        app.eventProcess = windowProcess(window);
    noteWatchedWindow(window);
    app.eventPlan = planWindowEvents(app.rule.trigger, !app.rule.title.empty(), window != nullptr,
                                     countsOnlyVisible(app.rule));
    DWORD followed = app.eventProcess; // the window thread's from here on
    noteWaitBegins(false);
    startWindowThread();
    const HANDLE wakers[2] = {app.workerThread, app.lookNow};
    const DWORD count = app.lookNow ? 2 : 1;
    for (;;) {
        window = findTargetWindow();
        const TriggerSeen seen = judgeTrigger(window);
        noteLook(window, seen.front, seen.inFront);
        if (seen.holds) {
            stopWindowThread();
            runCommandList(ListKind::Exec);
            return;
        }
        followTarget(window, followed);
        const DWORD woken =
            WaitForMultipleObjects(count, wakers, FALSE, static_cast<DWORD>(app.rule.polling));
        if (woken != WAIT_TIMEOUT && woken != WAIT_OBJECT_0 + 1)
            break;
    }
    stopWindowThread();
    if (app.timedOut)
        runCommandList(ListKind::OnTimeout);
}

} // namespace

bool runDriver() {
    if (repeats(app.rule)) {
        repeatingWatch();
        return true;
    }
    switch (decideAtFirstProbe(app.rule.check, triggerHolds(findTargetWindow()))) {
    case Outcome::RunExec:
        runCommandList(ListKind::Exec);
        break;
    case Outcome::RunOnUnmatch:
        runCommandList(ListKind::OnUnmatch);
        break;
    case Outcome::Watch:
        if (usesProcessWatch(app.rule.trigger))
            processWatch();
        else
            pollingWatch();
        break;
    }
    return true;
}
