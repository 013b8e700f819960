#include "shell/platform.h"
#include "rules/text_file.h"
#include "base/shortcut_text.h"
#include <cwchar>

#ifdef _WIN32_WCE
#include <aygshell.h>
#include <tlhelp32.h>

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
bool processImagePath(DWORD process, std::wstring& path) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS | TH32CS_SNAPNOHEAPS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry)) {
        found = entry.th32ProcessID == process;
        if (found)
            path.assign(entry.szExeFile, wcsnlen(entry.szExeFile, MAX_PATH));
    }
    CloseToolhelp32Snapshot(snapshot);
    return found;
}
bool watchWindowEvents(HANDLE, const EventPlan&, DWORD) {
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

// Limited access is given for elevated programs too.
bool processImagePath(DWORD process, std::wstring& path) {
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (!handle)
        return false;
    wchar_t buffer[1024];
    DWORD size = 1024;
    const bool read = QueryFullProcessImageNameW(handle, 0, buffer, &size) && size < 1024;
    CloseHandle(handle);
    if (read)
        path.assign(buffer, size);
    return read;
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

// One hook: a range of consecutive events, from every process or the target's.
struct HookRange {
    DWORD first;
    DWORD last;
    bool oneProcess;
};

constexpr size_t kMostHooks = 7;

// All of it belongs to the window thread, which holds the hooks; their
// callbacks and the rehook timer run on it too.
struct EventWatch {
    bool watching = false;
    HANDLE lookNow = nullptr;
    EventPlan plan;
    DWORD process = 0;
    HWINEVENTHOOK hooks[kMostHooks] = {};
    EventStorm storm;
    UINT_PTR rehookTimer = 0;
} events;

size_t hookRanges(const EventPlan& plan, HookRange (&ranges)[kMostHooks]) {
    size_t count = 0;
    if (plan.appear)
        ranges[count++] = {EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, false};
    if (plan.vanish)
        ranges[count++] = {EVENT_OBJECT_DESTROY, EVENT_OBJECT_DESTROY, plan.oneProcess};
    if (plan.shown)
        ranges[count++] = {EVENT_OBJECT_SHOW, EVENT_OBJECT_HIDE, plan.oneProcess};
    if (plan.renamed)
        ranges[count++] = {EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, plan.oneProcess};
    if (plan.front) {
        ranges[count++] = {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, false};
        ranges[count++] = {EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND, false};
        // Wine tells a program's coming to the front only by its control's focus.
        ranges[count++] = {EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, false};
    }
    return count;
}

void unhookAll() {
    for (HWINEVENTHOOK& hook : events.hooks) {
        if (hook)
            UnhookWinEvent(hook);
        hook = nullptr;
    }
}

void CALLBACK onWindowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                            DWORD);

bool hookAll() {
    HookRange ranges[kMostHooks];
    const size_t count = hookRanges(events.plan, ranges);
    for (size_t i = 0; i < count; ++i) {
        events.hooks[i] = SetWinEventHook(ranges[i].first, ranges[i].last, nullptr, onWindowEvent,
                                          ranges[i].oneProcess ? events.process : 0, 0,
                                          WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
        if (!events.hooks[i]) {
            unhookAll();
            return false;
        }
    }
    events.storm.listening(GetTickCount());
    return true;
}

void CALLBACK rehook(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    events.rehookTimer = 0;
    if (events.watching && hookAll())
        SetEvent(events.lookNow); // what happened meanwhile is looked at now
}

// Windows themselves, not their parts; focus is reported for a window's
// client area. Anything more would be judged here, and judging is the
// polling loop's.
void CALLBACK onWindowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                            DWORD) {
    if (events.storm.arrived(GetTickCount()) && events.rehookTimer == 0) {
        unhookAll(); // plain polling for a quiet spell
        events.rehookTimer = SetTimer(nullptr, 0, events.storm.quietSpell(), rehook);
    }
    if (child != CHILDID_SELF || (object != OBJID_WINDOW && event != EVENT_OBJECT_FOCUS))
        return;
    if (event == EVENT_OBJECT_CREATE && GetAncestor(window, GA_ROOT) != window)
        return; // a control inside a window
    SetEvent(events.lookNow);
}

} // namespace

#ifdef PALIMOOR_TEST_NO_EVENT_HOOK
constexpr bool kWindowEvents = false; // a test build, to compare with plain polling
#else
constexpr bool kWindowEvents = true;
#endif

bool watchWindowEvents(HANDLE lookNow, const EventPlan& plan, DWORD process) {
    if (!kWindowEvents)
        return false;
    events.lookNow = lookNow;
    events.plan = plan;
    events.process = process;
    events.watching = hookAll();
    return events.watching;
}

void stopWatchingWindowEvents() {
    events.watching = false;
    unhookAll();
    if (events.rehookTimer)
        KillTimer(nullptr, events.rehookTimer);
    events.rehookTimer = 0;
}

#endif

void foldCase(std::wstring& text) {
    if (!text.empty())
        CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
}
