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
bool sendWithoutWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD result = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 200, &result) != 0;
}
UINT noWaitWindowPos() {
    return 0;
}
bool isDesktopTopLevel(HWND window) {
    return GetParent(window) == nullptr;
}
DWORD launchedProcessId(HANDLE process) {
    return reinterpret_cast<DWORD>(process); // a process handle is its id on the handheld
}
bool isTaskbarWindow(HWND) {
    return true; // the handheld's task list shows every visible unowned window
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
// The process ends soon after its list: a launch that the shell finishes on
// a thread of its own (a DDE conversation, a COM handler) would be cut off.
ULONG launchExtraMask() {
    return SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
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

bool sendWithoutWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                               kAnswerMs, &result) != 0;
}

UINT noWaitWindowPos() {
    return SWP_ASYNCWINDOWPOS;
}

constexpr DWORD kLongestPath = 32768; // characters, with the terminating zero

// Limited access is given for elevated programs too.
bool processImagePath(DWORD process, std::wstring& path) {
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (!handle)
        return false;
    // It says only that the buffer was too small: a longer one is tried, up
    // to the longest path the system has.
    bool read = false;
    DWORD size = 0;
    for (DWORD capacity = MAX_PATH;;
         capacity = capacity * 4 < kLongestPath ? capacity * 4 : kLongestPath) {
        path.resize(capacity);
        size = capacity;
        read = QueryFullProcessImageNameW(handle, 0, &path[0], &size) != FALSE;
        if (read || GetLastError() != ERROR_INSUFFICIENT_BUFFER || capacity == kLongestPath)
            break;
    }
    read = read && size < path.size();
    path.resize(read ? size : 0);
    CloseHandle(handle);
    return read;
}

bool isTaskbarWindow(HWND window) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
    return !(style & WS_EX_TOOLWINDOW) || (style & WS_EX_APPWINDOW);
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

bool isDesktopTopLevel(HWND window) {
    return GetAncestor(window, GA_PARENT) == GetDesktopWindow();
}

DWORD launchedProcessId(HANDLE process) {
    return GetProcessId(process);
}

#endif

bool actOnWindow(HWND window, WindowAction action) {
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | noWaitWindowPos();
    switch (action) {
    case WindowAction::Topmost:
        return SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, keep) != FALSE;
    case WindowAction::NotTopmost:
        return SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, keep) != FALSE;
    case WindowAction::Minimize:
    case WindowAction::Maximize:
    case WindowAction::Restore:
        break;
    }
    const int show = action == WindowAction::Minimize   ? SW_MINIMIZE
                     : action == WindowAction::Maximize ? SW_MAXIMIZE
                                                        : SW_RESTORE;
#ifdef _WIN32_WCE
    ShowWindow(window, show);
    return IsWindow(window) != FALSE;
#else
    return ShowWindowAsync(window, show) != FALSE;
#endif
}

bool windowIsSo(HWND window, WindowAction action) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const bool topmost = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    switch (action) {
    case WindowAction::Topmost:
        return topmost;
    case WindowAction::NotTopmost:
        return !topmost;
    case WindowAction::Minimize:
        return (style & WS_MINIMIZE) != 0;
    case WindowAction::Maximize:
        return (style & WS_MAXIMIZE) != 0;
    case WindowAction::Restore:
        break;
    }
    return (style & (WS_MINIMIZE | WS_MAXIMIZE)) == 0;
}

std::wstring readWindowText(HWND window, WindowText which, int chars) {
    wchar_t text[kLongestWindowText] = {};
    chars = chars < kLongestWindowText ? chars : kLongestWindowText;
    if (which == WindowText::ClassName)
        GetClassNameW(window, text, chars);
    else
        GetWindowTextW(window, text, chars);
    text[chars - 1] = L'\0';
    return text;
}
