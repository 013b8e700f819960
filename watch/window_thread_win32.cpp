// The window thread of a wait: it makes the instance's hidden window and
// icon, hears the window events, and ends with the wait.
#include "watch/window_thread.h"
#include "shell/app_state.h"
#include "shell/instance_control.h"
#include "shell/shell_window.h"

namespace {

// Long enough for the window thread to remove its icon, short enough that
// nobody notices when it cannot.
constexpr DWORD kWindowThreadGraceMs = 500;
// How long this start keeps the start lock while its window thread makes the
// window (the next start of the section waits for the lock at most 3 s).
constexpr DWORD kWindowReadyMs = 5000;

} // namespace

void startWindowThread() {
    DWORD threadId = 0;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, windowThreadProc, ready, 0, &threadId);
    const DWORD error = thread ? 0 : GetLastError(); // before any other call replaces it
    app.workerThread = thread;
    DWORD waited = WAIT_OBJECT_0;
    if (thread && ready) {
        // Once our window can be found, later starts may look for it.
        const HANDLE handles[2] = {ready, thread};
        waited = WaitForMultipleObjects(2, handles, FALSE, kWindowReadyMs);
    }
    releaseStartLock();
    if (ready && waited != WAIT_TIMEOUT) // else the window thread may still set it
        CloseHandle(ready);
    if (!thread) {
        wchar_t text[96];
        wsprintfW(text, L"CreateThread() failed: GetLastError()=%d(0x%08x)",
                  static_cast<int>(error), static_cast<unsigned>(error));
        app.reporter.show(text, kBoxStop);
    }
}

void stopWindowThread() {
    closeShellWindow();
    if (HANDLE thread = app.workerThread) {
        WaitForSingleObject(thread, kWindowThreadGraceMs);
        CloseHandle(thread);
    }
}
