// How a new invocation acts on the instances that are already waiting.
#include "shell/instance_control.h"
#include "shell/app_state.h"
#include "shell/instance_match.h"
#include "shell/platform.h"
#include "shell/shell_window.h"

namespace {

constexpr int kOtherWindowChars = 256;
// Long enough for another start of the same section to make its window on a
// slow device; past it this start goes on as if unordered.
constexpr DWORD kStartLockWaitMs = 3000;

HANDLE startLock = nullptr; // held by the main thread while not null

// An instance without its window yet cannot be found, so two quick starts of
// one section would both wait: each start looks only while holding this lock.
void acquireStartLock() {
    startLock = CreateMutexW(nullptr, FALSE, startLockName(app.settings.section).c_str());
    if (startLock && WaitForSingleObject(startLock, kStartLockWaitMs) == WAIT_TIMEOUT) {
        CloseHandle(startLock);
        startLock = nullptr;
    }
}

BOOL CALLBACK closeMatchingInstance(HWND window, LPARAM) {
    std::wstring section;
    if (instanceSection(window, app.settings.appName, section) &&
        instanceMatches(app.settings.execmode, app.settings.section, section))
        PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

BOOL CALLBACK resetInstance(HWND window, LPARAM) {
    std::wstring section;
    if (instanceSection(window, app.settings.appName, section))
        PostMessageW(window, WM_RESET_TIMEOUT, 0, 0);
    return TRUE;
}

void resetAll() {
    app.reporter.show(enumerationReport(ExecMode::RESET), kBoxPlain);
    EnumWindows(resetInstance, 0);
}

} // namespace

bool applyExecMode() {
    const ExecMode mode = app.settings.execmode;
    switch (mode) {
    case ExecMode::CLOSEALL:
    case ExecMode::CLOSEPREFIX:
    case ExecMode::CLOSEINFIX:
    case ExecMode::CLOSEPOSTFIX:
        app.reporter.show(enumerationReport(mode), kBoxPlain);
        EnumWindows(closeMatchingInstance, 0);
        return false;
    case ExecMode::RESET:
        resetAll();
        return false;
    default:
        break;
    }
    acquireStartLock();
    HWND running = FindWindowW(app.settings.appName.c_str(), app.settings.windowTitle.c_str());
    app.shellWindow = running;
    if (!running) {
        if (mode == ExecMode::CLOSE) {
            releaseStartLock();
            app.reporter.show(L"起動していないため何もしない", kBoxPlain);
            return false;
        }
        return true;
    }
    if (mode == ExecMode::TOGGLE || mode == ExecMode::CLOSE) {
        PostMessageW(running, WM_CLOSE, 0, 0);
        // The next start of this section looks once the closed window is gone,
        // so that a burst of taps alternates between starting and closing.
        for (DWORD waited = 0; IsWindow(running) && waited < kStartLockWaitMs; waited += 10)
            Sleep(10);
    }
    releaseStartLock();
    if (mode == ExecMode::OPEN)
        app.reporter.show(L"すでに起動しているため何もしない", kBoxPlain);
    else if (mode == ExecMode::OPENRESET)
        resetAll();
    return false;
}

bool instanceSection(HWND window, const std::wstring& appName, std::wstring& section) {
    if (appName != readWindowText(window, WindowText::ClassName, kOtherWindowChars))
        return false;
    section = sectionOfTitle(readWindowText(window, WindowText::Title, kOtherWindowChars));
    return true;
}

void releaseStartLock() {
    if (!startLock)
        return;
    ReleaseMutex(startLock);
    CloseHandle(startLock);
    startLock = nullptr;
}
