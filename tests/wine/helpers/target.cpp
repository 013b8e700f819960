// A program with one top-level window of a given class and title, for the
// run driver to watch. Like most programs, the window holds a control that
// takes the focus whenever the window is activated.
//   target --class=C --title=T [--log=FILE] [--foreground] [--exit-after=MS]
//          [--destroy-after=MS] [--linger=MS] [--exit-delay=MS] [--minimized]
//          [--front-after=MS] [--hang-after=MS [--hang-for=MS]] [--delayed-clipboard=TEXT]
//          [--churn-children=N] [--churn-windows=N] [--more-windows=N]
//          [--hang-on-render] [--splash=MS] [--dialog-on-front] [--label-updates=N]
//          [--helper-window=TITLE] [--open-windows=N [--window-life=MS]] [--retitle=TEXT]
//          [--hidden] [--tool] [--ignore-close]
// The log has a line for created, ready, front (activated), destroyed and exit.
// --front-after brings the window to the front by itself after that long, so
// that no other process takes part in the change.
// WM_CLOSE ends the program; the private message WM_APP+1 (or --destroy-after)
// destroys the window while the process lives on for --linger ms. --exit-delay
// keeps the process alive that long after its window has gone, whatever the cause.
// --hang-after makes the window's thread stop pumping messages (it sleeps, 60 s
// unless --hang-for says otherwise), as a hung program does; the log says
// "hung" when it begins. --delayed-clipboard owns the clipboard with text it
// renders only when asked (WM_RENDERFORMAT). --churn-children and
// --churn-windows make it a busy neighbour: it creates and destroys N child
// windows, or N hidden top-level windows, every second. --more-windows keeps
// N more small visible top-level windows open, for a crowded desktop.
// --hang-on-render answers every message but hangs (60 s) once asked to
// render its delayed clipboard text. --splash shows a splash window (a tool
// window, unowned and visible, as splash windows are) for MS before the main
// window appears. --dialog-on-front opens an owned dialog, and gives it the
// front whenever the window gets it, as a modal dialog does. --label-updates sets a child
// label's text N times a second (a clock, a progress text). --helper-window
// keeps a hidden top-level window with that title, made after the main one,
// as the IME, OLE and tray windows that programs keep. --open-windows opens N
// small visible top-level windows a second, each living --window-life ms
// (1000 unless given), above the others, tool windows as tooltips and menus are.
// --retitle gives the window that title when the private message WM_APP+3
// comes (a document opened), and the one before it when it comes again.
// --hidden makes the window without showing it, as a program that starts in
// the notification area; WM_APP+4 shows it and brings it to the front, WM_APP+5
// hides it (closed to the notification area). --tool: a tool window, unowned but
// not on the taskbar (a tray program's popup). --ignore-close: WM_CLOSE is refused.
#include "helper_util.h"
#include <utility>
#include <vector>

namespace {

constexpr UINT WM_DESTROY_ONLY = WM_APP + 1;
constexpr UINT WM_OPEN_DIALOG = WM_APP + 2;
constexpr UINT WM_RETITLE = WM_APP + 3;
constexpr UINT WM_SHOW_FRONT = WM_APP + 4;
constexpr UINT WM_HIDE = WM_APP + 5;
constexpr UINT_PTR kExitTimer = 1, kDestroyTimer = 2, kFrontTimer = 3, kHangTimer = 4,
                   kChurnTimer = 5, kLabelTimer = 6, kOpenTimer = 7;
constexpr UINT kChurnTickMs = 20;
// A rate kept by the clock, not by the timer's ticks: a thread slowed by
// what it makes (a visible window costs Wine tens of ms) or by a loaded
// machine catches up, by up to a tenth of a second's worth at a time.
struct Rate {
    int perSecond = 0;
    long long start = 0, done = 0;
    int due(long long now) {
        const long long owed = (now - start) * perSecond / 1000 - done;
        const long long most = perSecond / 10 + 1;
        const long long count = owed < 0 ? 0 : owed > most ? most : owed;
        done += count;
        if (owed > most)
            done = (now - start) * perSecond / 1000; // what could not be made is let go
        return static_cast<int>(count);
    }
};
Rate churnChildren, churnWindows, openWindows;
std::wstring logPath;
std::wstring delayedText;
DWORD hangMs = 60000;
HWND edit = nullptr;
HWND label = nullptr;
HWND dialog = nullptr;
bool keepProcess = false;
bool hangOnRender = false;
bool dialogOnFront = false;
bool ignoreClose = false;
long long labelTicks = 0;
std::wstring retitle;
DWORD windowLife = 1000;
std::vector<std::pair<long long, HWND>> opened; // when each closes

void note(const char* event) {
    if (!logPath.empty())
        appendLine(logPath, std::to_string(epochMilliseconds()) + "\t" + event + "\t" +
                                std::to_string(GetCurrentProcessId()));
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            note("front");
        // As a modal dialog does, it takes the front whenever its owner gets it.
        if (LOWORD(wParam) != WA_INACTIVE && dialog)
            PostMessageW(window, WM_OPEN_DIALOG, 0, 0); // once the activation is done
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_OPEN_DIALOG:
        if (dialog) {
            SetForegroundWindow(dialog);
        } else {
            // Owned, so it stays above its owner.
            dialog = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", L"Options",
                                     WS_POPUP | WS_CAPTION | WS_VISIBLE, 80, 80, 200, 100, window,
                                     nullptr, nullptr, nullptr);
            CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 4, 4, 120, 20,
                            dialog, nullptr, nullptr, nullptr);
            SetForegroundWindow(dialog);
            note("dialog");
        }
        return 0;
    case WM_SETFOCUS:
        if (edit)
            SetFocus(edit);
        return 0;
    case WM_RETITLE: {
        wchar_t before[256] = {};
        GetWindowTextW(window, before, 256);
        SetWindowTextW(window, retitle.c_str());
        retitle = before;
        return 0;
    }
    case WM_SHOW_FRONT:
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        return 0;
    case WM_HIDE:
        ShowWindow(window, SW_HIDE);
        return 0;
    case WM_CLOSE:
        return ignoreClose ? 0 : DefWindowProcW(window, message, wParam, lParam);
    case WM_DESTROY_ONLY:
        keepProcess = true;
        DestroyWindow(window);
        return 0;
    case WM_RENDERFORMAT:
        if (hangOnRender) {
            note("rendering");
            Sleep(hangMs);
        }
        if (wParam == CF_UNICODETEXT && !delayedText.empty()) {
            const size_t bytes = (delayedText.size() + 1) * sizeof(wchar_t);
            HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
            memcpy(GlobalLock(memory), delayedText.c_str(), bytes);
            GlobalUnlock(memory);
            SetClipboardData(CF_UNICODETEXT, memory);
        }
        return 0;
    case WM_TIMER:
        if (wParam == kOpenTimer) {
            const long long now = epochMilliseconds();
            while (!opened.empty() && opened.front().first <= now) {
                DestroyWindow(opened.front().second);
                opened.erase(opened.begin());
            }
            for (int i = openWindows.due(now); i > 0; --i) {
                // Shown as tooltips are, without activation: Wine activates a
                // window created visible, and the front then fell back to this
                // program's main window when the tip went.
                HWND tip = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
                                           L"STATIC", L"tip", WS_POPUP, 600, 600, 8, 8, nullptr,
                                           nullptr, nullptr, nullptr);
                ShowWindow(tip, SW_SHOWNOACTIVATE);
                opened.emplace_back(now + windowLife, tip);
            }
        } else if (wParam == kLabelTimer) {
            SetWindowTextW(label, std::to_wstring(++labelTicks).c_str());
        } else if (wParam == kChurnTimer) {
            // As many as the rates ask for by now, created and destroyed.
            const long long now = epochMilliseconds();
            for (int i = churnChildren.due(now); i > 0; --i)
                DestroyWindow(CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 8, 8, window,
                                              nullptr, nullptr, nullptr));
            for (int i = churnWindows.due(now); i > 0; --i)
                DestroyWindow(CreateWindowExW(0, L"STATIC", L"churn", WS_POPUP, 0, 0, 8, 8, nullptr,
                                              nullptr, nullptr, nullptr));
        } else if (wParam == kHangTimer) {
            KillTimer(window, kHangTimer);
            note("hung");
            Sleep(hangMs);
        } else if (wParam == kFrontTimer) {
            KillTimer(window, kFrontTimer);
            SetForegroundWindow(window);
        } else if (wParam == kDestroyTimer) {
            keepProcess = true;
            DestroyWindow(window);
        } else {
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        note("destroyed");
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring className = option(argc, argv, L"class", L"PalimoorTarget");
    const std::wstring title = option(argc, argv, L"title", L"Target");
    logPath = option(argc, argv, L"log");
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const int splashMs = _wtoi(option(argc, argv, L"splash", L"0").c_str());
    HWND splash = nullptr;
    if (splashMs > 0) {
        splash =
            CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE,
                            200, 200, 300, 150, nullptr, nullptr, instance, nullptr);
        note("splash");
        for (const long long end = epochMilliseconds() + splashMs; epochMilliseconds() < end;) {
            MSG pending;
            while (PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&pending);
            Sleep(5);
        }
    }
    WNDCLASSW wc = {};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className.c_str();
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(flag(argc, argv, L"tool") ? WS_EX_TOOLWINDOW : 0,
                                  className.c_str(), title.c_str(), WS_OVERLAPPEDWINDOW, 40, 40,
                                  320, 200, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 2;
    note("created"); // the moment a watch can first see it
    if (splash)
        DestroyWindow(splash);
    edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 24, window, nullptr,
                           instance, nullptr);
    if (!flag(argc, argv, L"hidden"))
        ShowWindow(window, flag(argc, argv, L"minimized")    ? SW_SHOWMINNOACTIVE
                           : flag(argc, argv, L"foreground") ? SW_SHOW
                                                             : SW_SHOWNOACTIVATE);
    if (flag(argc, argv, L"foreground"))
        SetForegroundWindow(window);
    const std::pair<const wchar_t*, UINT_PTR> timers[] = {{L"exit-after", kExitTimer},
                                                          {L"front-after", kFrontTimer},
                                                          {L"destroy-after", kDestroyTimer},
                                                          {L"hang-after", kHangTimer}};
    for (const auto& timer : timers) {
        const std::wstring after = option(argc, argv, timer.first);
        if (!after.empty())
            SetTimer(window, timer.second, static_cast<UINT>(_wtoi(after.c_str())), nullptr);
    }
    hangMs = static_cast<DWORD>(_wtoi(option(argc, argv, L"hang-for", L"60000").c_str()));
    for (int i = _wtoi(option(argc, argv, L"more-windows", L"0").c_str()); i > 0; --i)
        CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, className.c_str(), L"more",
                        WS_POPUP | WS_VISIBLE, i % 100, 0, 4, 4, nullptr, nullptr, instance,
                        nullptr);
    const int labelUpdates = _wtoi(option(argc, argv, L"label-updates", L"0").c_str());
    if (labelUpdates > 0) {
        label = CreateWindowExW(0, L"STATIC", L"0", WS_CHILD | WS_VISIBLE, 0, 30, 100, 20, window,
                                nullptr, instance, nullptr);
        SetTimer(window, kLabelTimer, static_cast<UINT>(1000 / labelUpdates), nullptr);
    }
    const std::wstring helperTitle = option(argc, argv, L"helper-window");
    if (!helperTitle.empty())
        CreateWindowExW(0, L"STATIC", helperTitle.c_str(), WS_POPUP, 0, 0, 4, 4, nullptr, nullptr,
                        instance, nullptr);
    openWindows.perSecond = _wtoi(option(argc, argv, L"open-windows", L"0").c_str());
    openWindows.start = epochMilliseconds();
    windowLife = static_cast<DWORD>(_wtoi(option(argc, argv, L"window-life", L"1000").c_str()));
    if (openWindows.perSecond > 0)
        SetTimer(window, kOpenTimer, kChurnTickMs, nullptr);
    hangOnRender = flag(argc, argv, L"hang-on-render");
    ignoreClose = flag(argc, argv, L"ignore-close");
    retitle = option(argc, argv, L"retitle");
    dialogOnFront = flag(argc, argv, L"dialog-on-front");
    if (dialogOnFront)
        SendMessageW(window, WM_OPEN_DIALOG, 0, 0);
    churnChildren.perSecond = _wtoi(option(argc, argv, L"churn-children", L"0").c_str());
    churnWindows.perSecond = _wtoi(option(argc, argv, L"churn-windows", L"0").c_str());
    churnChildren.start = churnWindows.start = epochMilliseconds();
    if (churnChildren.perSecond > 0 || churnWindows.perSecond > 0)
        SetTimer(window, kChurnTimer, kChurnTickMs, nullptr);
    delayedText = option(argc, argv, L"delayed-clipboard");
    if (!delayedText.empty() && OpenClipboard(window)) {
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, nullptr); // rendered when asked
        CloseClipboard();
    }
    note("ready");
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (keepProcess)
        Sleep(static_cast<DWORD>(_wtoi(option(argc, argv, L"linger", L"3000").c_str())));
    Sleep(static_cast<DWORD>(_wtoi(option(argc, argv, L"exit-delay", L"0").c_str())));
    note("exit");
    return 0;
}
