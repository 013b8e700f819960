#include "ctl/new/desktop_recording.h"
#include "ctl/observed/window_list.h"
#include "shell/platform.h"
#include "shell/window_events.h"
#include <atomic>

namespace {

constexpr DWORD kLookMs = 20;

std::atomic<bool> interrupted{false};
bool lookNow = false;
EventStorm storm;
bool shed = false;
DWORD shedUntil = 0;
unsigned spells = 0;

BOOL WINAPI onControl(DWORD type) {
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT)
        return FALSE;
    interrupted = true;
    return TRUE;
}

// What cannot change while a window lives, read once: its class, its
// program, whether the taskbar would show it.
struct Kept {
    std::wstring className;
    std::wstring program;
    bool ownedOrTool;
};
std::map<std::uint64_t, Kept> kept;

struct LookContext {
    DesktopLook* look;
    const std::map<std::uint64_t, WindowLook>* seen;
};

BOOL CALLBACK lookAt(HWND window, LPARAM context) {
    auto* look = reinterpret_cast<LookContext*>(context);
    const auto id = static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(window));
    const LONG style = GetWindowLongW(window, GWL_STYLE); // visible and minimized in one read
    WindowLook& seen = look->look->windows[id];
    seen.visible = (style & WS_VISIBLE) != 0;
    seen.minimized = (style & WS_MINIMIZE) != 0;
    // A window neither visible nor ever was is not read further.
    if (!seen.visible && look->seen->count(id) == 0)
        return TRUE;
    auto known = kept.find(id);
    if (known == kept.end()) {
        Kept fresh;
        fresh.className = readWindowText(window, WindowText::ClassName, kLongestWindowText);
        windowProgram(window, fresh.program);
        fresh.ownedOrTool = GetWindow(window, GW_OWNER) != nullptr || !isTaskbarWindow(window);
        known = kept.emplace(id, fresh).first;
    }
    seen.className = known->second.className;
    seen.program = known->second.program;
    seen.taskbar = !known->second.ownedOrTool;
    seen.title = readWindowText(window, WindowText::Title, kLongestWindowText);
    return TRUE;
}

DesktopLook lookAtDesktop(const std::map<std::uint64_t, WindowLook>& seen) {
    DesktopLook look;
    LookContext context{&look, &seen};
    EnumWindows(lookAt, reinterpret_cast<LPARAM>(&context));
    look.front = static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(GetForegroundWindow()));
    // A handle gone is forgotten: it may come back for another window.
    for (auto it = kept.begin(); it != kept.end();)
        it = look.windows.count(it->first) ? std::next(it) : kept.erase(it);
    return look;
}

HWINEVENTHOOK hooks[4] = {};
std::atomic<unsigned> lastStorm{0};

void CALLBACK onEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                      DWORD) {
    const bool whole = object == OBJID_WINDOW && child == CHILDID_SELF;
    const bool matters =
        whole && (event == EVENT_OBJECT_DESTROY || event == EVENT_SYSTEM_FOREGROUND ||
                  event == EVENT_SYSTEM_MINIMIZESTART || event == EVENT_SYSTEM_MINIMIZEEND ||
                  GetAncestor(window, GA_ROOT) == window);
    if (storm.arrived(GetTickCount(), matters) && !shed) {
        for (HWINEVENTHOOK& hook : hooks) {
            if (hook)
                UnhookWinEvent(hook);
            hook = nullptr;
        }
        shed = true;
        shedUntil = GetTickCount() + storm.quietSpell();
        lastStorm = storm.stormEvents();
        ++spells;
    }
    lookNow = lookNow || matters;
}

void listen() {
    // Every change a top-level window can make, from every program but ours.
    const DWORD ranges[4][2] = {{EVENT_OBJECT_CREATE, EVENT_OBJECT_HIDE},
                                {EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE},
                                {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND},
                                {EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND}};
    for (int i = 0; i < 4; ++i)
        hooks[i] = SetWinEventHook(ranges[i][0], ranges[i][1], nullptr, onEvent, 0, 0,
                                   WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    storm.listening(GetTickCount());
}

// Enter on the console; other input is read and dropped.
bool enterPressed(HANDLE input) {
    DWORD count = 0;
    while (input && GetNumberOfConsoleInputEvents(input, &count) && count > 0) {
        INPUT_RECORD record;
        DWORD read = 0;
        if (!ReadConsoleInputW(input, &record, 1, &read) || read == 0)
            return false;
        if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown &&
            record.Event.KeyEvent.wVirtualKeyCode == VK_RETURN)
            return true;
    }
    return false;
}

} // namespace

bool consoleToReadEnter() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

Recording recordDesktop(std::uint32_t forMs, const std::function<void()>& ready) {
    Recording recording;
    HANDLE input = consoleToReadEnter() ? GetStdHandle(STD_INPUT_HANDLE) : nullptr;
    SetConsoleCtrlHandler(onControl, TRUE);
    const auto console = static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(GetConsoleWindow()));
    DesktopChanges changes(console);
    changes.start(lookAtDesktop(changes.seen()));
    listen();
    ready();
    const DWORD start = GetTickCount();
    DWORD lastLook = start;
    for (;;) {
        const DWORD now = GetTickCount();
        if (interrupted || (forMs > 0 && now - start >= forMs) ||
            (forMs == 0 && enterPressed(input)))
            break;
        const DWORD waited = now - lastLook;
        MsgWaitForMultipleObjects(input ? 1 : 0, &input, FALSE,
                                  waited < kLookMs ? kLookMs - waited : 0, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        if (shed && static_cast<LONG>(GetTickCount() - shedUntil) >= 0) {
            shed = false;
            listen();
        }
        if (lookNow || GetTickCount() - lastLook >= kLookMs) {
            lookNow = false;
            const DWORD before = GetTickCount();
            changes.next(lookAtDesktop(changes.seen()), before - start);
            lastLook = GetTickCount();
            recording.longestLookMs =
                std::max<std::uint32_t>(recording.longestLookMs, lastLook - before);
        }
    }
    for (HWINEVENTHOOK hook : hooks) {
        if (hook)
            UnhookWinEvent(hook);
    }
    SetConsoleCtrlHandler(onControl, FALSE);
    recording.ms = GetTickCount() - start;
    recording.interrupted = interrupted;
    recording.changes = changes.changes();
    recording.seen = changes.seen();
    recording.shedSpells = spells;
    recording.stormEvents = lastStorm;
    return recording;
}
