#include "ctl/observed/window_list.h"
#include "ctl/io/shown_text.h"
#include "shell/platform.h"
#include "watch/window_match.h"

namespace {

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

bool windowProgram(HWND window, std::wstring& fileName, DWORD* processId) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (processId)
        *processId = process;
    std::wstring path;
    if (process == 0 || !processImagePath(process, path))
        return false;
    fileName = programFileName(path);
    return true;
}

WindowInfo describeWindow(HWND window) {
    DWORD processId = 0;
    std::wstring program;
    const bool programRead = windowProgram(window, program, &processId);
    return {window,
            readWindowText(window, WindowText::ClassName, kLongestWindowText),
            readWindowText(window, WindowText::Title, kLongestWindowText),
            IsWindowVisible(window) != FALSE,
            IsIconic(window) != FALSE,
            window == GetForegroundWindow(),
            processId,
            programRead,
            program};
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
           (window.programRead ? visible(window.program) : L"program unreadable") + L"  " +
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
        .value(window.programRead ? jsonString(window.program) : L"null")
        .close();
}
