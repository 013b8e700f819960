#include "ctl/new/desktop_recording.h"
#include "ctl/observed/desktop_look.h"
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

HWINEVENTHOOK hooks[4] = {};
std::atomic<unsigned> lastStorm{0};

void CALLBACK onEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                      DWORD) {
    const bool whole = object == OBJID_WINDOW && child == CHILDID_SELF;
    const bool matters =
        whole && (event == EVENT_OBJECT_DESTROY || event == EVENT_SYSTEM_FOREGROUND ||
                  event == EVENT_SYSTEM_MINIMIZESTART || event == EVENT_SYSTEM_MINIMIZEEND ||
                  isDesktopTopLevel(window));
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

// A line on a pipe (or its end), read on a thread of its own: a pipe cannot
// be waited on, and Wine cannot peek into one.
std::atomic<bool> lineCame{false};

DWORD WINAPI readLine(LPVOID input) {
    char bytes[256];
    DWORD got = 0;
    while (ReadFile(static_cast<HANDLE>(input), bytes, sizeof bytes, &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got; ++i) {
            if (bytes[i] == '\n' || bytes[i] == '\r') {
                lineCame = true;
                return 0;
            }
        }
    }
    lineCame = true;
    return 0;
}

// Enter on the console; other input is read and dropped.
bool enterPressed(HANDLE input, bool pipe) {
    if (pipe)
        return lineCame;
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

bool isConsole(HANDLE input) {
    DWORD mode = 0;
    return GetConsoleMode(input, &mode) != 0;
}

} // namespace

bool canReadEnter() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    return isConsole(input) || GetFileType(input) == FILE_TYPE_PIPE;
}

Recording recordDesktop(std::uint32_t forMs, const std::function<void()>& ready) {
    HANDLE input = canReadEnter() && forMs == 0 ? GetStdHandle(STD_INPUT_HANDLE) : nullptr;
    const bool pipe = input && !isConsole(input);
    HANDLE consoleInput = input && !pipe ? input : nullptr; // a pipe cannot be waited on
    if (pipe) {
        HANDLE reader = CreateThread(nullptr, 0, readLine, input, 0, nullptr);
        if (reader)
            CloseHandle(reader);
    }
    SetConsoleCtrlHandler(onControl, TRUE);
    Recording recording{DesktopChanges(windowId(GetConsoleWindow()))};
    DesktopChanges& changes = recording.desktop;
    changes.start(lookAtDesktop());
    listen();
    ready();
    const DWORD start = GetTickCount();
    DWORD lastLook = start;
    for (;;) {
        const DWORD now = GetTickCount();
        if (interrupted || (forMs > 0 && now - start >= forMs) ||
            (input && enterPressed(input, pipe)))
            break;
        const DWORD waited = now - lastLook;
        MsgWaitForMultipleObjects(consoleInput ? 1 : 0, &consoleInput, FALSE,
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
            changes.next(lookAtDesktop(), before - start);
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
    recording.shedSpells = spells;
    recording.stormEvents = lastStorm;
    return recording;
}
