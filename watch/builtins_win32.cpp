#include "watch/builtins.h"
#include "shell/platform.h"
#include "shell/window_order.h"
#include "watch/process_handle.h"
#include "watch/target_window.h"

namespace {

constexpr DWORD kRetryMs = 10;

HWND listWindow = nullptr;
bool listWindowGiven = false;
HWND closed = nullptr;

// The window the entry acts on now: the one that fired while it lives, else
// the rule's window looked up afresh.
HWND ruleWindow() {
    if (!listWindowGiven)
        return findTargetWindow();
    return IsWindow(listWindow) ? listWindow : nullptr;
}

// "In front" as the rule means it: for a process-only rule, a dialog of its
// program in front counts, and waiting for the main window itself could last
// for ever.
EntryResult activateTarget(bool sync) {
    for (;;) {
        HWND window = ruleWindow();
        if (!window)
            return EntryResult::Gone;
        bringToFront(window);
        if (!sync)
            return EntryResult::Done;
        window = ruleWindow();
        if (!window)
            return EntryResult::Gone;
        if (isInFront(window))
            return EntryResult::Done;
        Sleep(kRetryMs);
    }
}

// The target goes back, and so does the window of its program that is in
// front for it (a process-only rule's dialog), which would keep it in front.
void pushTargetBack(HWND window) {
    pushWindowToBottom(window);
    // Read once: the window judged in front for it is the window pushed.
    HWND front = GetForegroundWindow();
    if (front != window && isInFrontOf(window, front))
        pushWindowToBottom(front);
}

EntryResult inactivateTarget(bool sync) {
    HWND window = ruleWindow();
    if (!window)
        return EntryResult::Gone;
    pushTargetBack(window);
    while (sync && (window = ruleWindow()) != nullptr && isInFront(window)) {
        Sleep(kRetryMs);
        pushTargetBack(window);
    }
    return EntryResult::Done;
}

EntryResult closeTarget(bool sync) {
    closed = nullptr;
    HWND window = ruleWindow();
    ProcessHandle process;
    // Opened before the close, so a process that ends at once is still waited for.
    if (sync)
        openOwnerProcess(process, window);
    if (!window)
        return EntryResult::Gone;
    PostMessageW(window, WM_CLOSE, 0, 0);
    closed = window;
    if (process.get())
        WaitForSingleObject(process.get(), INFINITE);
    return EntryResult::Done;
}

// Asked without waiting; with sync, looked at every 10 ms until it is so, as
// long as the window is there and its program answers.
EntryResult actOn(WindowAction action, bool sync) {
    HWND window = ruleWindow();
    if (!window)
        return EntryResult::Gone;
    if (!actOnWindow(window, action))
        return EntryResult::Refused;
    while (sync && !windowIsSo(window, action)) {
        if (!IsWindow(window))
            return EntryResult::Gone;
        if (!windowAnswers(window))
            return EntryResult::Refused;
        Sleep(kRetryMs);
    }
    return EntryResult::Done;
}

} // namespace

void setListWindow(HWND window) {
    listWindow = window;
    listWindowGiven = window != nullptr;
    closed = nullptr;
}

EntryResult runBuiltin(Builtin builtin, bool sync) {
    switch (builtin) {
    case Builtin::Activate:
        return activateTarget(sync);
    case Builtin::Inactivate:
        return inactivateTarget(sync);
    case Builtin::Close:
        return closeTarget(sync);
    case Builtin::Topmost:
        return actOn(WindowAction::Topmost, sync);
    case Builtin::NotTopmost:
        return actOn(WindowAction::NotTopmost, sync);
    case Builtin::Minimize:
        return actOn(WindowAction::Minimize, sync);
    case Builtin::Maximize:
        return actOn(WindowAction::Maximize, sync);
    case Builtin::Restore:
        return actOn(WindowAction::Restore, sync);
    case Builtin::Nothing:
    case Builtin::Sleep:
    case Builtin::External:
        break;
    }
    return EntryResult::Nothing;
}

HWND lastClosed() {
    return closed;
}

EntryResult closeOutcome(HWND window, DWORD graceMs) {
    const DWORD start = GetTickCount();
    while (IsWindow(window) && GetTickCount() - start < graceMs)
        Sleep(1); // most windows go within a millisecond or two
    return IsWindow(window) ? EntryResult::Refused : EntryResult::Done;
}
