// Running one command list: built-ins on the target window, pauses, launches.
#include "watch/command_list.h"
#include "shell/app_state.h"
#include "shell/instance_control.h"
#include "shell/platform.h"
#include "shell/window_order.h"
#include "watch/clipboard.h"
#include "watch/command_text.h"
#include "watch/launch.h"
#include "watch/target_window.h"
#include <new>

namespace {

constexpr DWORD kRetryMs = 10;

// "In front" as the rule means it: for a process-only rule, a dialog of its
// program in front counts, and waiting for the main window itself could last
// for ever.
void activateTarget(bool sync) {
    for (;;) {
        if (HWND window = findTargetWindow())
            bringToFront(window);
        if (!sync)
            return;
        HWND window = findTargetWindow();
        if (!window || isInFront(window))
            return;
        Sleep(kRetryMs);
    }
}

// The target goes back, and so does the window of its program that is in
// front for it (a process-only rule's dialog), which would keep it in front.
void pushTargetBack() {
    HWND window = findTargetWindow();
    pushWindowToBottom(window);
    // Read once: the window judged in front for it is the window pushed.
    HWND front = GetForegroundWindow();
    if (front != window && isInFrontOf(window, front))
        pushWindowToBottom(front);
}

void inactivateTarget(bool sync) {
    pushTargetBack();
    if (!sync)
        return;
    for (;;) {
        HWND window = findTargetWindow();
        if (!window || !isInFront(window))
            return;
        Sleep(kRetryMs);
        pushTargetBack();
    }
}

void closeTarget(bool sync) {
    HWND window = findTargetWindow();
    ProcessHandle process;
    // Opened before the close, so a process that ends at once is still waited for.
    if (sync)
        openOwnerProcess(process, window);
    if (window)
        PostMessageW(window, WM_CLOSE, 0, 0);
    if (process.get())
        WaitForSingleObject(process.get(), INFINITE);
}

void runEntry(const std::wstring& entry) {
    const SyncSplit split = splitSyncPrefix(entry);
    // Read only where it is used: reading can take up to a second.
    const std::wstring text = holdsClipboardToken(split.text)
                                  ? expandClipboardToken(split.text, readClipboardText())
                                  : split.text;
    std::int32_t sleepMs = 0;
    switch (classifyCommand(text, sleepMs)) {
    case Builtin::Nothing:
        break;
    case Builtin::Activate:
        activateTarget(split.sync);
        break;
    case Builtin::Inactivate:
        inactivateTarget(split.sync);
        break;
    case Builtin::Close:
        closeTarget(split.sync);
        break;
    case Builtin::Sleep:
        Sleep(static_cast<DWORD>(sleepMs));
        break;
    case Builtin::External:
        launchCommand(split.sync, text);
        break;
    }
}

const CommandList& listOf(ListKind kind) {
    switch (kind) {
    case ListKind::Exec:
        return app.rule.exec;
    case ListKind::OnUnmatch:
        return app.rule.onunmatch;
    default:
        return app.rule.ontimeout;
    }
}

} // namespace

void runCommandList(ListKind kind) {
    releaseStartLock(); // decided not to wait, or done waiting
    const CommandList& list = listOf(kind);
    if (kind == ListKind::Exec)
        Sleep(static_cast<DWORD>(app.rule.sleep));
    app.reporter.show(buildCommandListing(list), kBoxPlain);
    for (const std::wstring& entry : list) {
        try {
            runEntry(entry);
        } catch (const std::bad_alloc&) {
            // A clipboard too large to substitute: the entry is skipped like a failed launch.
        }
    }
}
