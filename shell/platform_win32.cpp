#include "shell/platform.h"
#include "rules/text_file.h"
#include "base/shortcut_text.h"
#include <cwchar>

#ifdef _WIN32_WCE
#include <aygshell.h>

static SHACTIVATEINFO activateInfo;

DWORD ownerProcessAccess() {
    return 0;
}
int launchShowCommand() {
    return SW_HIDE;
}
ULONG launchExtraMask() {
    return 0;
}
const wchar_t* folderViewer() {
    return L"fexplore";
}
void shortcutTarget(const std::wstring& path, wchar_t* buffer, size_t capacity) {
    SHGetShortcutTarget(path.c_str(), buffer, static_cast<int>(capacity));
    buffer[capacity - 1] = L'\0';
}
void initShellLibrary() {
    SHInitExtraControls();
}
void onShellWindowCreated() {
    memset(&activateInfo, 0, sizeof activateInfo);
    activateInfo.cbSize = sizeof activateInfo;
}
void onSettingChange(HWND window, WPARAM wParam, LPARAM lParam) {
    SHHandleWMSettingChange(window, wParam, lParam, &activateInfo);
}
UINT taskbarCreatedMessage() {
    return 0;
}
void bringToFront(HWND window) {
    SetForegroundWindow(window);
}
bool windowAnswers(HWND) {
    return true;
}
UINT noWaitWindowPos() {
    return 0;
}
bool watchWindowEvents(HANDLE) {
    return false;
}
void stopWatchingWindowEvents() {}

#else
#include "shell/shell_link.h"

// A handle with no access right cannot be waited on here.
DWORD ownerProcessAccess() {
    return SYNCHRONIZE;
}
// Windows CE ignores the show command; desktop Windows would start every
// program hidden if it were SW_HIDE.
int launchShowCommand() {
    return SW_SHOWNORMAL;
}
ULONG launchExtraMask() {
    return SEE_MASK_FLAG_NO_UI;
}
const wchar_t* folderViewer() {
    return L"explorer.exe";
}

namespace {

void copyBounded(const std::wstring& text, wchar_t* buffer, size_t capacity) {
    const size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
    wmemcpy(buffer, text.data(), length);
    buffer[length] = L'\0';
}

} // namespace

void shortcutTarget(const std::wstring& path, wchar_t* buffer, size_t capacity) {
    buffer[0] = L'\0';
    std::vector<std::wstring> lines;
    std::wstring target;
    if (readTextLines(path, lines) && !lines.empty() && parseCeShortcutText(lines[0], target)) {
        copyBounded(target, buffer, capacity);
    } else if (readShellLink(path, target)) {
        copyBounded(target, buffer, capacity);
    }
}

namespace {
UINT taskbarCreated = 0; // set on the main thread before the window thread exists
} // namespace

void initShellLibrary() {
    taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
}
void onShellWindowCreated() {}
void onSettingChange(HWND, WPARAM, LPARAM) {}

UINT taskbarCreatedMessage() {
    return taskbarCreated;
}

// Long enough for any thread that pumps its messages to answer; short enough
// that a `sync activate` retrying against a hung program stays responsive.
constexpr UINT kAnswerMs = 200;

bool windowAnswers(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerMs,
                               &result) != 0;
}

UINT noWaitWindowPos() {
    return SWP_ASYNCWINDOWPOS;
}

// A minimized window made the foreground window stays an icon, so it is
// restored first (asynchronously: a hung target must not hang us). Desktop
// Windows lets only the process the user last used set the foreground
// window; a waiting instance that fires minutes after its start is not that
// process, and its call would only flash the taskbar button. For the moment
// of the call this thread shares the input state of the foreground window's
// thread, which gives it that right; it lets go at once. Attached, the call
// waits for that thread to let go of the front, so a thread that does not
// answer is not attached to: the plain call then goes through without waiting.
void bringToFront(HWND window) {
    if (IsIconic(window))
        ShowWindowAsync(window, SW_RESTORE);
    const DWORD self = GetCurrentThreadId();
    HWND front = GetForegroundWindow();
    const DWORD frontThread = front ? GetWindowThreadProcessId(front, nullptr) : 0;
    const bool attached = frontThread != 0 && frontThread != self && windowAnswers(front) &&
                          AttachThreadInput(self, frontThread, TRUE);
    SetForegroundWindow(window);
    if (attached)
        AttachThreadInput(self, frontThread, FALSE);
}

namespace {

// The events that can change what a polling watch would see, in ranges of
// consecutive numbers. Out-of-context hooks reach this thread as messages, so
// an unused neighbour (such as location changes) would cost a wake-up each.
constexpr DWORD kWindowEventRanges[][2] = {
    {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND},
    {EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND},
    {EVENT_OBJECT_CREATE, EVENT_OBJECT_HIDE}, // create, destroy, show, hide
    {EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS},
    {EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE},
};
constexpr size_t kWindowEventHooks = sizeof kWindowEventRanges / sizeof kWindowEventRanges[0];

HWINEVENTHOOK windowEventHooks[kWindowEventHooks] = {};
HANDLE lookNowEvent = nullptr; // the window thread's alone, like the hooks

// Windows themselves, not their parts; focus is reported for a window's
// client area. Anything more would be judged here, and judging is the
// polling loop's.
void CALLBACK onWindowEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD,
                            DWORD) {
    if (child == CHILDID_SELF && (object == OBJID_WINDOW || event == EVENT_OBJECT_FOCUS))
        SetEvent(lookNowEvent);
}

} // namespace

#ifdef PALIMOOR_TEST_NO_EVENT_HOOK
constexpr bool kWindowEvents = false; // a test build, to compare with plain polling
#else
constexpr bool kWindowEvents = true;
#endif

bool watchWindowEvents(HANDLE lookNow) {
    if (!kWindowEvents)
        return false;
    lookNowEvent = lookNow;
    for (size_t i = 0; i < kWindowEventHooks; ++i) {
        windowEventHooks[i] =
            SetWinEventHook(kWindowEventRanges[i][0], kWindowEventRanges[i][1], nullptr,
                            onWindowEvent, 0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
        if (!windowEventHooks[i]) {
            stopWatchingWindowEvents();
            return false;
        }
    }
    return true;
}

void stopWatchingWindowEvents() {
    for (HWINEVENTHOOK& hook : windowEventHooks) {
        if (hook)
            UnhookWinEvent(hook);
        hook = nullptr;
    }
}

#endif
