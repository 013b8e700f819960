#include "shell/shell_window.h"
#include "shell/app_state.h"
#include "shell/confirm_text.h"
#include "shell/event_hooks.h"
#include "shell/platform.h"
#include "shell/status.h"
#include "shell/timeout_timer.h"
#include "shell/window_order.h"
#include <cwchar>

#ifndef _WIN64
static_assert(NOTIFYICONDATAW_V1_SIZE == 152, "the icon record is 152 bytes");
#endif

namespace {

std::atomic<bool> closeRequested{false};

void closeWindow(HWND window) {
    if (window)
        PostMessageW(window, WM_CLOSE, 0, 0);
}

void addNotifyIcon() {
    NOTIFYICONDATAW& icon = app.notifyIcon;
    icon = NOTIFYICONDATAW{};
    icon.cbSize = NOTIFYICONDATAW_V1_SIZE;
    icon.hWnd = app.shellWindow;
    icon.uID = WM_TRAY_NOTIFY;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = WM_TRAY_NOTIFY;
    const size_t tipChars = sizeof icon.szTip / sizeof icon.szTip[0];
    wcsncpy(icon.szTip, app.settings.appName.c_str(), tipChars - 1);
    icon.hIcon = static_cast<HICON>(
        LoadImageW(app.instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, 11, 12, 0));
    Shell_NotifyIconW(NIM_ADD, &icon);
}

void removeNotifyIcon() {
    Shell_NotifyIconW(NIM_DELETE, &app.notifyIcon);
}

// A repeating rule's icon says how many times it has fired: "Palimoor 3回実行".
void showFiredCount(unsigned fired) {
    if (!app.settings.showicon)
        return;
    NOTIFYICONDATAW& icon = app.notifyIcon;
    wchar_t tip[64];
    wsprintfW(tip, L"%s %u回実行", app.settings.appName.c_str(), fired);
    const size_t tipChars = sizeof icon.szTip / sizeof icon.szTip[0];
    wcsncpy(icon.szTip, tip, tipChars - 1);
    icon.uFlags = NIF_TIP;
    Shell_NotifyIconW(NIM_MODIFY, &icon);
}

void confirmExit(HWND window) {
    const std::wstring caption = confirmCaption(app.settings.appName);
    const std::wstring question = confirmQuestion(app.settings.windowTitle);
    if (MessageBoxW(nullptr, question.c_str(), caption.c_str(), MB_OKCANCEL | MB_ICONQUESTION) ==
        IDOK)
        closeWindow(window);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        onShellWindowCreated();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            pushWindowToBottom(window);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_CLOSE:
        stopWatchingWindowEvents(); // the watch is over: no wake-up may outlive it
        removeNotifyIcon();
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_SETTINGCHANGE:
        onSettingChange(window, wParam, lParam);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDM_CLOSE)
            return DefWindowProcW(window, message, wParam, lParam);
        closeWindow(window);
        return 0;
    case WM_TIMER:
        // The program sets no timer that reaches here (its timeout steps post
        // WM_TIMEOUT_STEP, its retry timer has a callback): a WM_TIMER comes
        // from outside, and counts as the timeout's expiry, as it always has.
        app.timedOut = true;
        closeWindow(window);
        return 0;
    case WM_TRAY_NOTIFY:
        if (lParam == WM_LBUTTONUP)
            confirmExit(window);
        return 0;
    case WM_RESET_TIMEOUT:
        stopTimeoutTimer();
        startTimeoutTimer();
        return 0;
    case WM_TIMEOUT_STEP:
        onTimeoutStep(static_cast<UINT>(wParam));
        return 0;
    case WM_COPYDATA:
        return answerStatus(window, reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE;
    case WM_FOLLOW_PROCESS:
        followProcess(static_cast<DWORD>(wParam));
        return 0;
    case WM_TIMEOUT_PAUSE:
        stopTimeoutTimer();
        return 0;
    case WM_FIRED:
        showFiredCount(static_cast<unsigned>(wParam));
        return 0;
    default:
        // The desktop shell forgets every icon when it restarts.
        if (message == taskbarCreatedMessage() && message != 0 && app.settings.showicon) {
            addNotifyIcon();
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

bool initInstance(HINSTANCE instance, int) {
    app.instance = instance;
    initShellLibrary();
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = app.settings.appName.c_str();
    return RegisterClassW(&windowClass) != 0;
}

void closeShellWindow() {
    closeRequested = true;
    closeWindow(app.shellWindow);
}

DWORD WINAPI windowThreadProc(LPVOID ready) {
    HWND window = CreateWindowExW(0, app.settings.appName.c_str(), app.settings.windowTitle.c_str(),
                                  WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, nullptr, nullptr, app.instance, nullptr);
    app.shellWindow = window;
    if (ready)
        SetEvent(static_cast<HANDLE>(ready));
    if (!window)
        return 0;
    if (closeRequested) // the watch ended before the window existed
        closeWindow(window);
    if (app.settings.showtask)
        ShowWindow(window, SW_SHOWNOACTIVATE);
    if (app.settings.showicon)
        addNotifyIcon();
    startTimeoutTimer();
    // Without the events, the polling watch simply looks at its interval.
    if (app.lookNow)
        watchWindowEvents(app.lookNow, app.eventPlan, app.eventProcess);
    MSG message;
    for (BOOL got; (got = GetMessageW(&message, nullptr, 0, 0)) != 0;) {
        // A message the system could not hand over (Wine fails a WM_COPYDATA of
        // 2 MB or more so) is lost, not the end of the watch; it is not handed
        // out again, so going on costs nothing.
        if (got == -1)
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    stopWatchingWindowEvents();
    if (app.settings.showicon)
        removeNotifyIcon();
    return static_cast<DWORD>(message.wParam);
}
