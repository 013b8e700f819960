#include "ctl/window_list.h"
#include "ctl/text_out.h"
#include "shell/platform.h"

namespace {

constexpr int kTextChars = 1024;

// The program's file name, as the core reads it for process= rules.
std::wstring programName(DWORD process) {
    std::wstring path;
    if (!processImagePath(process, path))
        return std::wstring();
    return path.substr(path.rfind(L'\\') + 1);
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

} // namespace

WindowInfo describeWindow(HWND window) {
    wchar_t className[kTextChars] = {};
    wchar_t title[kTextChars] = {};
    GetClassNameW(window, className, kTextChars);
    GetWindowTextW(window, title, kTextChars);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return {window,
            className,
            title,
            IsWindowVisible(window) != FALSE,
            IsIconic(window) != FALSE,
            window == GetForegroundWindow(),
            processId,
            programName(processId)};
}

std::vector<WindowInfo> topLevelWindows(bool includeHidden) {
    Gathering gathering{includeHidden, {}};
    EnumWindows(gather, reinterpret_cast<LPARAM>(&gathering));
    std::vector<WindowInfo> windows;
    for (HWND window : gathering.windows)
        windows.push_back(describeWindow(window));
    return windows;
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
        .value(std::to_wstring(window.processId))
        .key(L"program")
        .string(window.program)
        .close();
}
