#include "ctl/window_list.h"
#include "ctl/text_out.h"
#include <tlhelp32.h>
#include <map>

namespace {

constexpr int kTextChars = 1024;

std::map<DWORD, std::wstring> programNames() {
    std::map<DWORD, std::wstring> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return names;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        names[entry.th32ProcessID] = entry.szExeFile;
    CloseHandle(snapshot);
    return names;
}

struct Gathering {
    bool includeHidden;
    std::vector<HWND> windows;
};

BOOL CALLBACK gather(HWND window, LPARAM context) {
    auto* gathering = reinterpret_cast<Gathering*>(context);
    if (gathering->includeHidden || IsWindowVisible(window))
        gathering->windows.push_back(window);
    return TRUE;
}

std::wstring handleText(HWND window) {
    wchar_t text[32];
    wsprintfW(text, L"0x%08lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    return text;
}

WindowInfo describe(HWND window, const std::map<DWORD, std::wstring>& names) {
    wchar_t className[kTextChars] = {};
    wchar_t title[kTextChars] = {};
    GetClassNameW(window, className, kTextChars);
    GetWindowTextW(window, title, kTextChars);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const auto name = names.find(processId);
    return {window,
            className,
            title,
            IsWindowVisible(window) != FALSE,
            IsIconic(window) != FALSE,
            window == GetForegroundWindow(),
            processId,
            name == names.end() ? L"" : name->second};
}

} // namespace

std::vector<WindowInfo> topLevelWindows(bool includeHidden) {
    Gathering gathering{includeHidden, {}};
    EnumWindows(gather, reinterpret_cast<LPARAM>(&gathering));
    const std::map<DWORD, std::wstring> names = programNames();
    std::vector<WindowInfo> windows;
    for (HWND window : gathering.windows)
        windows.push_back(describe(window, names));
    return windows;
}

WindowInfo describeWindow(HWND window) {
    return describe(window, programNames());
}

std::wstring windowLine(const WindowInfo& window) {
    return std::wstring(window.foreground ? L"* " : L"  ") + L"class " + quoted(window.className) +
           L"  title " + quoted(window.title) + L"  " + (window.visible ? L"visible" : L"hidden") +
           (window.minimized ? L" minimized" : L"") + L"  pid " +
           std::to_wstring(window.processId) + L" " +
           (window.program.empty() ? L"?" : visible(window.program)) + L"  " +
           handleText(window.handle);
}

void writeWindowJson(JsonWriter& json, const WindowInfo& window) {
    json.beginObject()
        .key(L"handle")
        .string(handleText(window.handle))
        .key(L"class")
        .string(window.className)
        .key(L"title")
        .string(window.title)
        .key(L"visible")
        .boolean(window.visible)
        .key(L"minimized")
        .boolean(window.minimized)
        .key(L"foreground")
        .boolean(window.foreground)
        .key(L"pid")
        .number(window.processId)
        .key(L"program")
        .string(window.program)
        .end();
}
