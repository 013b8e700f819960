#include "ctl/observed/waiting_instances.h"
#include "base/settings.h"
#include "ctl/observed/desktop_look.h"
#include "ctl/observed/near_miss.h"
#include "ctl/observed/window_list.h"
#include "ctl/reading/section_names.h"
#include "shell/platform.h"
#include "shell/instance_control.h"
#include <cstring>

namespace {

// An instance answers at most every 100 ms (another asker's turn may come
// first), so it is asked again a few times; the whole asking takes a second
// at most, an instance that does not answer (busy, hung, another version)
// included.
constexpr DWORD kAskMs = 1000;
constexpr DWORD kBetweenTriesMs = 60;

BOOL CALLBACK gather(HWND window, LPARAM context) {
    std::wstring section;
    if (!instanceSection(window, kProgramName, section))
        return TRUE;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    reinterpret_cast<std::vector<WaitingInstance>*>(context)->push_back(
        {window, section, processId, IsWindowVisible(window) != FALSE});
    return TRUE;
}

// The answer being waited for: from which instance, and where it goes.
struct Awaited {
    HWND from = nullptr;
    bool arrived = false;
    StatusRecord record = {};
} awaited;

LRESULT CALLBACK replyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA)
        return DefWindowProcW(window, message, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (reinterpret_cast<HWND>(wParam) != awaited.from || !data ||
        !isStatusAnswer(static_cast<std::uint32_t>(data->dwData), data->lpData, data->cbData))
        return FALSE;
    std::memcpy(&awaited.record, data->lpData, sizeof(StatusRecord));
    awaited.arrived = true;
    return TRUE;
}

HWND replyWindow() {
    static HWND window = nullptr;
    if (window)
        return window;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = replyProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PalimoorctlStatusReply";
    RegisterClassW(&windowClass);
    window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                             nullptr, windowClass.hInstance, nullptr);
    return window;
}

} // namespace

std::vector<WaitingInstance> waitingInstances() {
    std::vector<WaitingInstance> instances;
    EnumWindows(gather, reinterpret_cast<LPARAM>(&instances));
    return instances;
}

bool askInstance(HWND instance, StatusRecord& record) {
    HWND reply = replyWindow();
    if (!reply)
        return false;
    StatusRequest request = {kStatusRequestTag, kStatusVersion,
                             static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(reply))};
    COPYDATASTRUCT data = {kStatusRequestTag, sizeof request, &request};
    awaited = Awaited();
    awaited.from = instance;
    const DWORD start = GetTickCount();
    for (bool first = true; !awaited.arrived; first = false) {
        if (!first)
            Sleep(kBetweenTriesMs);
        const DWORD spent = GetTickCount() - start;
        if (spent >= kAskMs)
            break;
        DWORD_PTR result = 0;
        // The answer arrives while this call waits: sent messages are handled then.
        SendMessageTimeoutW(instance, WM_COPYDATA, reinterpret_cast<WPARAM>(reply),
                            reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAskMs - spent,
                            &result);
    }
    record = awaited.record;
    return awaited.arrived;
}

namespace {

WindowSeen seen(std::uint32_t handle) {
    WindowSeen window;
    HWND hwnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
    window.there = handle != 0 && IsWindow(hwnd);
    if (!window.there)
        return window;
    window.className = readWindowText(hwnd, WindowText::ClassName, kLongestWindowText);
    window.title = readWindowText(hwnd, WindowText::Title, kLongestWindowText);
    windowProgram(hwnd, window.program);
    window.minimized = IsIconic(hwnd) != FALSE;
    window.hidden = IsWindowVisible(hwnd) == FALSE;
    return window;
}

} // namespace

bool instanceStatus(const WaitingInstance& instance, InstanceStatus& status) {
    status.section = instance.section;
    if (!askInstance(instance.window, status.record))
        return false;
    const SectionLoad load = loadSection(ruleFileOf(status.record), instance.section);
    status.ruleRead = load.loaded;
    status.ruleEdited = load.loaded && load.keysHash != keysHashOf(status.record);
    status.rule = load.rule;
    status.window = seen(status.record.look.window);
    status.front = seen(status.record.look.front);
    if (status.record.look.window == 0 && status.ruleRead && !status.record.processWatch) {
        for (const NearMiss& nearby : nearMisses(status.rule, lookAtDesktop()))
            status.nearest.push_back(nearMissText(nearby));
    }
    return true;
}
