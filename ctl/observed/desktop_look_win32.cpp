#include "ctl/observed/desktop_look.h"
#include "shell/platform.h"
#include "watch/window_match.h"
#include <windows.h>
#include <set>

namespace {

struct Kept {
    std::wstring className;
    DWORD process;
    bool ownedOrTool;
    std::wstring title; // the last read
};

// Of the windows and processes of the last look: a handle gone is forgotten,
// as it may come back for another window.
std::map<std::uint64_t, Kept> kept;
std::map<DWORD, std::wstring> programs; // empty: cannot be read

const std::wstring& programOf(DWORD process) {
    auto known = programs.find(process);
    if (known == programs.end()) {
        std::wstring path;
        known = programs
                    .emplace(process, process != 0 && processImagePath(process, path)
                                          ? programFileName(path)
                                          : std::wstring())
                    .first;
    }
    return known->second;
}

BOOL CALLBACK lookAt(HWND window, LPARAM context) {
    auto* look = reinterpret_cast<DesktopLook*>(context);
    const std::uint64_t id = windowId(window);
    const LONG style = GetWindowLongW(window, GWL_STYLE); // visible and minimized in one read
    WindowLook& seen = look->windows[id];
    seen.visible = (style & WS_VISIBLE) != 0;
    seen.minimized = (style & WS_MINIMIZE) != 0;
    auto known = kept.find(id);
    if (known == kept.end()) {
        Kept fresh;
        fresh.className = readWindowText(window, WindowText::ClassName, kLongestWindowText);
        fresh.process = 0;
        GetWindowThreadProcessId(window, &fresh.process);
        fresh.ownedOrTool = GetWindow(window, GW_OWNER) != nullptr || !isTaskbarWindow(window);
        fresh.title = readWindowText(window, WindowText::Title, kLongestWindowText);
        known = kept.emplace(id, fresh).first;
    } else if (seen.visible) {
        known->second.title = readWindowText(window, WindowText::Title, kLongestWindowText);
    }
    seen.className = known->second.className;
    seen.process = known->second.process;
    seen.program = programOf(known->second.process);
    seen.taskbar = !known->second.ownedOrTool;
    seen.title = known->second.title;
    return TRUE;
}

} // namespace

std::uint64_t windowId(const void* window) {
    return static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(window));
}

DesktopLook lookAtDesktop() {
    DesktopLook look;
    EnumWindows(lookAt, reinterpret_cast<LPARAM>(&look));
    look.front = windowId(GetForegroundWindow());
    std::set<DWORD> running;
    for (auto it = kept.begin(); it != kept.end();) {
        if (look.windows.count(it->first) == 0) {
            it = kept.erase(it);
            continue;
        }
        running.insert(it->second.process);
        ++it;
    }
    for (auto it = programs.begin(); it != programs.end();)
        it = running.count(it->first) ? std::next(it) : programs.erase(it);
    return look;
}

bool desktopNow(DesktopLook& look) {
    look = lookAtDesktop();
    return true;
}
