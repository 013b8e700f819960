// A repeating rule's watch: after each list it waits again for the change
// into its trigger state (watch/repeat_edges.h says which), each wait bound
// by the timeout anew, until the count is reached, the timeout runs out, or
// the watch is ended from outside.
#include "shell/app_state.h"
#include "shell/shell_window.h"
#include "shell/status.h"
#include "watch/command_list.h"
#include "watch/outcome.h"
#include "watch/repeat_edges.h"
#include "watch/repeat_watch.h"
#include "watch/target_window.h"
#include "watch/window_thread.h"

namespace {

// What one look found: the windows that meet the trigger (those that count
// each), whether the rule's state holds, and the window it looked at.
struct Looked {
    std::vector<WindowKey> meeting;
    bool holds = false;
    HWND window = nullptr;
};

// The process a closed rule waits for, as the single watch does: the rule
// holds once no window is found and the last one's program has ended.
struct Awaited {
    ProcessHandle process;
    DWORD id = 0;
};

Looked lookOnce(Awaited& awaited) {
    Looked looked;
    const TriggerState trigger = app.rule.trigger;
    if (firesPerWindow(trigger)) {
        // A process-only rule counts its main window alone, as it always finds it.
        std::vector<WindowKey> found;
        if (!watchesMainWindow(app.rule))
            found = findTargetWindows();
        else if (HWND main = findTargetWindow())
            found.push_back(reinterpret_cast<WindowKey>(main));
        for (WindowKey key : found) {
            if (trigger != TriggerState::active || isInFront(reinterpret_cast<HWND>(key)))
                looked.meeting.push_back(key);
        }
        looked.window = found.empty() ? nullptr : reinterpret_cast<HWND>(found.front());
        looked.holds = !looked.meeting.empty();
        noteLook(looked.window, nullptr, looked.holds && trigger == TriggerState::active);
    } else if (usesProcessWatch(trigger)) {
        looked.window = findTargetWindow();
        if (looked.window && windowProcess(looked.window) != awaited.id) {
            openOwnerProcess(awaited.process, looked.window);
            awaited.id = awaited.process.get() ? windowProcess(looked.window) : 0;
        }
        looked.holds =
            !looked.window && (!awaited.process.get() ||
                               WaitForSingleObject(awaited.process.get(), 0) != WAIT_TIMEOUT);
        if (looked.holds) {
            awaited.process.reset();
            awaited.id = 0;
        }
        noteLook(looked.window, nullptr, false);
    } else {
        looked.window = findTargetWindow();
        const TriggerSeen seen = judgeTrigger(looked.window);
        looked.holds = seen.holds;
        noteLook(looked.window, seen.front, seen.inFront);
    }
    return looked;
}

void postToShell(UINT message, WPARAM wParam = 0) {
    if (HWND shell = app.shellWindow)
        PostMessageW(shell, message, wParam, 0);
}

// A list between two waits: the timeout counts the waits, not the list.
void runBetweenWaits(ListKind kind, HWND window, std::int32_t fired) {
    postToShell(WM_TIMEOUT_PAUSE);
    runCommandList(kind, window, fired);
    postToShell(WM_RESET_TIMEOUT);
}

} // namespace

void repeatingWatch() {
    app.lookNow = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    app.eventPlan =
        planRepeatEvents(app.rule.trigger, !app.rule.title.empty(), countsOnlyVisible(app.rule));
    noteWaitBegins(false);
    startWindowThread();
    const bool perWindow = firesPerWindow(app.rule.trigger);
    Awaited awaited;
    RepeatEdges edges;
    std::int32_t fired = 0;
    // Fires for each window newly meeting the trigger, or for the state
    // coming to hold; false once the count is reached.
    const auto fireOn = [&](const Looked& looked, bool edge) {
        const std::vector<WindowKey> fresh =
            perWindow ? edges.newlyMeeting(looked.meeting) : std::vector<WindowKey>();
        const std::size_t times = perWindow ? fresh.size() : (edge ? 1 : 0);
        for (std::size_t i = 0; i < times; ++i) {
            noteFired(static_cast<std::uint32_t>(++fired));
            postToShell(WM_FIRED, static_cast<WPARAM>(fired));
            runBetweenWaits(ListKind::Exec, perWindow ? reinterpret_cast<HWND>(fresh[i]) : nullptr,
                            fired);
            if (firedEnough(app.rule, fired))
                return false;
        }
        return true;
    };
    Looked looked = lookOnce(awaited);
    bool going = true;
    switch (repeatStart(app.rule.check, looked.holds)) {
    case RepeatStart::Watch:
        edges.newlyMeeting(looked.meeting);
        break;
    case RepeatStart::OnUnmatchThenWatch:
        edges.newlyMeeting(looked.meeting);
        runBetweenWaits(ListKind::OnUnmatch, nullptr, 0);
        break;
    case RepeatStart::FireThenWatch:
        going = fireOn(looked, true);
        break;
    }
    edges.held = looked.holds;
    const HANDLE wakers[2] = {app.workerThread, app.lookNow};
    while (going) {
        HANDLE handles[3] = {wakers[0], wakers[1], awaited.process.get()};
        const DWORD count = !app.lookNow ? 1 : awaited.process.get() ? 3 : 2;
        const DWORD woken =
            WaitForMultipleObjects(count, handles, FALSE, static_cast<DWORD>(app.rule.polling));
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED)
            break; // the window thread has ended: timed out, or ended from outside
        looked = lookOnce(awaited);
        going = fireOn(looked, edges.newlyHolds(looked.holds));
    }
    const bool ended = !going;
    stopWindowThread();
    // As the single watch: a timeout runs ontimeout; so does a closed rule's
    // wait ended from outside while its window is there.
    if (!ended &&
        (app.timedOut || (usesProcessWatch(app.rule.trigger) && findTargetWindow() != nullptr)))
        runCommandList(ListKind::OnTimeout);
}
